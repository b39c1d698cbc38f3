#include "line_styles.h"

#include <algorithm>
#include <vector>

namespace tarvo {

LineStyleList overlayRuns(const LineStyleList& existing, const QVector<LineRun>& runs,
                          int lineLength) {
    // Runs of one line never overlap, but a word's run can follow a comment
    // that comes after it.
    QVector<LineRun> overlay;
    overlay.reserve(runs.size());
    for (const LineRun& r : runs) {
        const int from = std::max(r.start, 0);
        const int to = std::min(r.start + r.length, lineLength);
        if (to > from && r.kind != TokenKind::EarlierWord)
            overlay.append({from, to - from, r.kind, nullptr});
    }
    if (overlay.isEmpty())
        return existing;
    std::sort(overlay.begin(), overlay.end(),
              [](const LineRun& a, const LineRun& b) { return a.start < b.start; });

    std::vector<int> cuts;
    cuts.reserve(size_t(2 * (existing.size() + overlay.size())));
    for (const StyleRun& e : existing)
        cuts.insert(cuts.end(), {e.start, e.start + e.length});
    for (const LineRun& o : overlay)
        cuts.insert(cuts.end(), {o.start, o.start + o.length});
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    LineStyleList out;
    int ei = 0;
    int oi = 0;
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        const int from = cuts[i];
        const int to = cuts[i + 1];
        while (ei < existing.size() && existing[ei].start + existing[ei].length <= from)
            ++ei;
        while (oi < overlay.size() && overlay[oi].start + overlay[oi].length <= from)
            ++oi;
        pane_styles::CharStyle style;
        if (ei < existing.size() && existing[ei].start <= from)
            style = existing[ei].style;
        if (oi < overlay.size() && overlay[oi].start <= from) {
            const TokenKind kind = overlay[oi].kind;
            style.hasColor = true;
            style.color = tokenColor(kind).rgba();
            if (const std::optional<bool> bold = tokenBold(kind))
                style.bold = *bold;
        }
        if (style.isPlain())
            continue;
        if (!out.isEmpty() && out.last().start + out.last().length == from &&
            out.last().style == style)
            out.last().length += to - from;
        else
            out.append({from, to - from, style});
    }
    return out;
}

} // namespace tarvo
