#include "form_pages.h"

#include "app/core/ide_context.h"
#include "designer_state.h"
#include "platform/object_picture.h"

namespace tarvo {

FormPages::FormPages(IdeContext& ctx, DesignerState& state, FormLoader& loader)
    : m_ctx(ctx), m_state(state), m_loader(loader) {}

void FormPages::Command2_Click() {}

void FormPages::Command3_Click() {}

void FormPages::AdjustObjectsPerPage_Click() {}

void FormPages::createPictures(int from, int to) {
    for (int i = from; i <= to && i <= DesignerState::MaxPictures; ++i) {
        ObjectPicture* p = m_ctx.ui.DynamicPicture->create(i);
        p->setWidth(0);
        p->setHeight(0);
        p->setTop(0);
        p->setLeft(0);
        p->setVisible(true);
        m_state.ObjectPictures[i] = p;
    }
}

} // namespace tarvo
