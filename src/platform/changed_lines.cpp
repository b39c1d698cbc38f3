#include "changed_lines.h"

#include <algorithm>

namespace tarvo {

void ChangedLines::replace(int first, int oldLast, int newLast, const SameLine& same) {
    const int added = newLast - oldLast;
    // The stretches the edit overlaps or touches become one.
    auto lo = m_stretches.begin();
    while (lo != m_stretches.end() && lo->end() < first)
        ++lo;
    auto hi = lo;
    while (hi != m_stretches.end() && hi->first <= oldLast + 1)
        ++hi;
    const int offsetBefore = lo == m_stretches.begin() ? 0 : (lo - 1)->baseEnd() - (lo - 1)->end();
    const int offsetAfter = hi == lo ? offsetBefore : (hi - 1)->baseEnd() - (hi - 1)->end();
    const int start = lo == hi ? first : std::min(first, lo->first);
    const int oldEnd = lo == hi ? oldLast + 1 : std::max(oldLast + 1, (hi - 1)->end());
    Stretch merged{start, oldEnd - start + added, start + offsetBefore, 0};
    merged.baseCount = oldEnd + offsetAfter - merged.baseFirst;

    auto at = m_stretches.erase(lo, hi);
    for (auto it = at; it != m_stretches.end(); ++it)
        it->first += added;
    bool differs = merged.count != merged.baseCount;
    for (int i = 0; i < merged.count && !differs; ++i)
        differs = !same(merged.first + i, merged.baseFirst + i);
    if (differs)
        m_stretches.insert(at, merged);
}

} // namespace tarvo
