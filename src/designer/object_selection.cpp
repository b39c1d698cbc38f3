#include "object_selection.h"

#include "app/core/ide_context.h"
#include "designer_geometry.h"
#include "designer_state.h"
#include "form_loader.h"
#include "platform/object_picture.h"
#include "platform/rich_text_pane.h"
#include "resource_text.h"

#include <QApplication>
#include <QTabBar>

namespace tarvo {

ObjectSelection::ObjectSelection(IdeContext& ctx, DesignerState& state, FormLoader& loader)
    : m_ctx(ctx), m_state(state), m_frame(new OutlineShape(ctx.ui.client, true)),
      m_preview(new OutlineShape(ctx.ui.client, false)) {
    m_frame->setObjectName(QStringLiteral("SelectionFrame"));
    m_preview->setObjectName(QStringLiteral("DragOutline"));
    loader.setAfterLoad([this] { afterLoad(); });
    // Choosing a pane, by the mouse or by its tab, ends the selection.
    QObject::connect(qApp, &QApplication::focusChanged, &m_connections,
                     [this](QWidget*, QWidget* now) {
                         if (qobject_cast<RichTextPane*>(now))
                             clear();
                     });
    if (ctx.ui.TabStrip1)
        QObject::connect(ctx.ui.TabStrip1, &QTabBar::currentChanged, &m_connections,
                         [this] { clear(); });
}

void ObjectSelection::select(int index) {
    ObjectPicture* picture = m_state.usablePicture(index, m_ctx.settings.ObjectsPerPage);
    const std::optional<qint16> id = picture ? leadingInt16(picture->toolTipText()) : std::nullopt;
    if (!id) {
        clear();
        return;
    }
    QObject::disconnect(m_following);
    m_picture = picture;
    m_index = index;
    m_id = *id;
    m_page = m_state.CurrentFormPage;
    m_project = m_ctx.project.ProjectPath;
    m_following = QObject::connect(picture, &ObjectPicture::boundsChanged, &m_connections,
                                   [this] { follow(); });
    follow();
}

void ObjectSelection::clear() {
    QObject::disconnect(m_following);
    m_picture = nullptr;
    m_index = 0;
    m_frame->hide();
}

void ObjectSelection::follow() {
    if (!m_picture) {
        m_frame->hide();
        return;
    }
    m_frame->showAround(
        QRectF(m_picture->left(), m_picture->top(), m_picture->width(), m_picture->height()));
}

void ObjectSelection::afterLoad() {
    if (!m_picture)
        return;
    if (m_page != m_state.CurrentFormPage || m_project != m_ctx.project.ProjectPath) {
        clear();
        return;
    }
    const bool hadFocus = m_picture->hasFocus();
    for (int i = 1; i < m_state.NextPictureSlot; ++i) {
        ObjectPicture* p = m_state.usablePicture(i, m_ctx.settings.ObjectsPerPage);
        if (p && leadingInt16(p->toolTipText()) == m_id) {
            select(i);
            if (hadFocus)
                p->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    clear();
}

void ObjectSelection::preview(const PictureBounds& b) {
    m_preview->showAround(QRectF(b.left, b.top, b.width, b.height));
}

void ObjectSelection::endPreview() {
    m_preview->hide();
}

} // namespace tarvo
