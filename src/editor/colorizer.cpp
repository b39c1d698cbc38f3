#include "colorizer.h"

#include "app/core/ide_context.h"

namespace tarvo {

Colorizer::Colorizer(IdeContext& ctx) : m_ctx(ctx) {}

void Colorizer::ColorizeWords(int Index) {}

} // namespace tarvo
