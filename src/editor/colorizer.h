#pragma once

namespace tarvo {

class RichTextPane;
struct IdeContext;

// Keyword colouring of one pane (ColorizeWords).
class Colorizer {
public:
    explicit Colorizer(IdeContext& ctx);
    // Index 2 colours resourceh, 3.. code pane Index; anything else changes nothing.
    void ColorizeWords(int Index);

private:
    RichTextPane* paneOf(int Index) const;

    IdeContext& m_ctx;
};

} // namespace tarvo
