#include "property_grid.h"

#include "app/core/ide_context.h"
#include "designer_state.h"
#include "platform/object_picture.h"

#include <QTableWidget>

namespace tarvo {

ToolTipParts splitToolTip(const QString& toolTip) {
    const qsizetype comma = toolTip.indexOf(QLatin1Char(','));
    if (comma < 0)
        return {toolTip, QString()};
    return {toolTip.left(comma), toolTip.mid(comma + 1)};
}

PropertyGrid::PropertyGrid(IdeContext& ctx, DesignerState& state) : m_ctx(ctx), m_state(state) {}

void PropertyGrid::setupRows() {
    QTableWidget* grid = m_ctx.ui.MSFlexGrid1;
    auto cell = [grid](int row, int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        if (row == 0 || column == 0)
            item->setBackground(grid->palette().button());
        grid->setItem(row, column, item);
    };
    // Each name goes in at row 1, pushing the earlier ones down.
    for (const char* name : {"Height", "Width", "Y", "X", "Type", "ID"}) {
        grid->insertRow(1);
        cell(1, 0, QString::fromLatin1(name));
        cell(1, 1, QString());
    }
    cell(0, 0, QStringLiteral("Property"));
    cell(0, 1, QStringLiteral("Value R/O (Modify text file)"));
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (!grid->item(row, 1))
            cell(row, 1, QString());
        if (!grid->item(row, 0))
            cell(row, 0, QString());
        grid->item(row, 1)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void PropertyGrid::ShowObjectProperties(qint16 index) {
    const ObjectPicture* picture = m_state.usablePicture(index, m_ctx.settings.ObjectsPerPage);
    if (!picture)
        return;
    const ToolTipParts parts = splitToolTip(picture->toolTipText());
    // Whole pixels show without a decimal point.
    auto number = [](float v) { return QString::number(double(v)); };
    setValue(1, parts.id);
    setValue(2, parts.type);
    setValue(3, number(picture->left() - float(m_state.ScreenLeft)));
    setValue(4, number(picture->top() - m_state.ScreenTop));
    setValue(5, number(picture->width()));
    setValue(6, number(picture->height()));
}

void PropertyGrid::setValue(int row, const QString& text) {
    // Every value cell exists from start-up on.
    if (QTableWidgetItem* item = m_ctx.ui.MSFlexGrid1->item(row, 1))
        item->setText(text);
}

} // namespace tarvo
