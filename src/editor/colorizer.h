#pragma once

namespace tarvo {

struct IdeContext;

// Keyword colouring of one pane (ColorizeWords).
class Colorizer {
public:
    explicit Colorizer(IdeContext& ctx);
    // Index 2 colours resourceh, 3.. code pane Index; anything else changes nothing.
    void ColorizeWords(int Index);

private:
    IdeContext& m_ctx;
};

} // namespace tarvo
