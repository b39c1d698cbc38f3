#include "property_grid.h"

#include "app/core/ide_context.h"

#include <QTableWidget>

namespace tarvo {

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

void PropertyGrid::ShowObjectProperties(qint16 index) {}

} // namespace tarvo
