#pragma once

#include <functional>
#include <vector>

namespace tarvo {

// Which lines of an edited text differ from the text it started from, kept up
// to date edit by edit: an edit only compares the lines it touched (and the
// changed stretches it joins), never the whole text again.
class ChangedLines {
public:
    // Whether line `line` of the text equals line `baseLine` of the original.
    using SameLine = std::function<bool(int line, int baseLine)>;

    // The text now is the original: nothing differs.
    void reset() { m_stretches.clear(); }
    // Lines first..oldLast (both included) were replaced by lines first..newLast.
    void replace(int first, int oldLast, int newLast, const SameLine& same);
    bool any() const { return !m_stretches.empty(); }

    // Lines first..first+count-1 of the text stand where lines
    // baseFirst..baseFirst+baseCount-1 of the original stood, and differ.
    // Between stretches the lines are the original ones.
    struct Stretch {
        int first;
        int count;
        int baseFirst;
        int baseCount;
        int end() const { return first + count; }
        int baseEnd() const { return baseFirst + baseCount; }
    };
    const std::vector<Stretch>& stretches() const { return m_stretches; }

private:
    std::vector<Stretch> m_stretches; // in text order, apart
};

} // namespace tarvo
