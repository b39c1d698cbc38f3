#pragma once

#include "live_colorizer.h"

#include <memory>

namespace tarvo {

class RichTextPane;
struct IdeContext;

// Keyword colouring of one pane (ColorizeWords).
class Colorizer {
public:
    explicit Colorizer(IdeContext& ctx);
    // Index 2 colours resourceh, 3.. code pane Index; anything else changes
    // nothing. A pane whose text and keyword lists are those of its last pass
    // already shows the pass's result and is left as it is. The caret, the
    // selection and the scrolled place stay where they were.
    void ColorizeWords(int Index);

private:
    RichTextPane* paneOf(int Index) const;
    std::shared_ptr<const KeywordTable> tableFor(const KeywordListsKey& key);

    IdeContext& m_ctx;
    std::shared_ptr<const KeywordTable> m_table;
    KeywordListsKey m_tableKey;
};

} // namespace tarvo
