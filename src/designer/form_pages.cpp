#include "form_pages.h"

#include "app/core/ide_context.h"
#include "designer_state.h"
#include "form_loader.h"
#include "platform/dialogs.h"
#include "platform/object_picture.h"

#include <QLabel>
#include <algorithm>

namespace tarvo {

std::optional<int> parseObjectsPerPage(const QString& answer) {
    const QString trimmed = answer.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 9)
        return std::nullopt;
    for (QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int n = trimmed.toInt();
    if (n > DesignerState::MaxPictures)
        return std::nullopt;
    return n;
}

FormPages::FormPages(IdeContext& ctx, DesignerState& state, FormLoader& loader)
    : m_ctx(ctx), m_state(state), m_loader(loader) {}

void FormPages::Command2_Click() {
    m_state.CurrentFormPage = qint16(std::max(0, m_state.CurrentFormPage - 1));
    showCurrentPage();
}

void FormPages::Command3_Click() {
    ++m_state.CurrentFormPage;
    showCurrentPage();
}

void FormPages::showCurrentPage() {
    m_loader.LoadFormPageHidingText1(m_state.CurrentFormPage);
    m_ctx.ui.Label2->setText(QStringLiteral("Form ") + QString::number(m_state.CurrentFormPage));
}

void FormPages::AdjustObjectsPerPage_Click() {
    const int current = m_ctx.settings.ObjectsPerPage;
    const std::optional<int> answer = parseObjectsPerPage(
        m_ctx.dialogs->inputBox(QStringLiteral("Please enter maximum number of Objects per page."),
                                QStringLiteral("Adjust ObjectsPerPage"), QString::number(current)));
    if (!answer)
        return;
    const int n = *answer;
    if (n > current)
        createPictures(current + 1, n);
    for (int i = n + 1; i <= std::min(current, int(DesignerState::MaxPictures)); ++i) {
        m_ctx.ui.DynamicPicture->destroy(i);
        m_state.ObjectPictures[size_t(i)] = nullptr;
    }
    m_ctx.settings.ObjectsPerPage = qint16(n);
}

void FormPages::createPictures(int from, int to) {
    for (int i = std::max(from, 1); i <= to && i <= DesignerState::MaxPictures; ++i) {
        ObjectPicture* p = m_ctx.ui.DynamicPicture->create(i);
        p->setWidth(0);
        p->setHeight(0);
        p->setTop(0);
        p->setLeft(0);
        p->setVisible(true);
        m_state.ObjectPictures[size_t(i)] = p;
    }
}

} // namespace tarvo
