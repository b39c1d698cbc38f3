#include "toolbox.h"

#include "app/core/ide_context.h"
#include "designer_geometry.h"
#include "designer_state.h"
#include "gesture_edits.h"
#include "gesture_history.h"
#include "object_mover.h"
#include "object_selection.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/object_picture.h"
#include "platform/rich_text_pane.h"
#include "platform/text_codec.h"
#include "property_grid.h"
#include "resource_text.h"

#include <QColor>
#include <QPushButton>
#include <limits>

namespace tarvo {

namespace {

constexpr ToolboxType kTypes[ToolboxTypeCount] = {
    {"Button.txt", "Button"},    {"List.txt", "List"},           {"Scrollbar.txt", "Scrollbar"},
    {"String.txt", "String"},    {"Bitmap.txt", "Bitmap"},       {"Field.txt", "Field"},
    {"Line.txt", "Line"},        {"CheckBox.txt", "CheckBox"},   {"Schline.txt", "Schline"},
    {"Textbox.txt", "Textbox"},  {"Table.txt", "Table"},         {"Repeat Button.txt", "Repeat"},
    {"Push Button.txt", "Push"}, {"Popup Trigger.txt", "Popup"}, {"Menu.txt", "Menu"},
    {"Form.txt", "Form"},
};

const QColor kNewObjectColor(192, 255, 192);
const QString kIdKey = QStringLiteral("ID=");

} // namespace

const ToolboxType& toolboxType(int index) {
    return kTypes[index >= 0 && index < ToolboxTypeCount ? index : 0];
}

Toolbox::Toolbox(IdeContext& ctx, DesignerState& state, ObjectMover& mover, PropertyGrid& grid,
                 ObjectSelection& selection, GestureHistory& history)
    : m_ctx(ctx), m_state(state), m_mover(mover), m_grid(grid), m_selection(selection),
      m_history(history) {
    for (QPushButton* button : m_ctx.ui.Command1) {
        if (button)
            button->setCheckable(true);
    }
}

void Toolbox::Command1_Click(int Index) {
    m_state.SelectedObjectType = qint16(Index);
    // A second click on the pressed button would release it; it stays chosen.
    showChosenType(Index);
}

void Toolbox::showChosenType(int index) {
    for (int i = 0; i < ToolboxTypeCount; ++i) {
        if (QPushButton* button = m_ctx.ui.Command1[size_t(i)])
            button->setChecked(i == index);
    }
}

void Toolbox::Form_MouseDown(int, float X, float Y) {
    m_state.DropStartX = 0;
    m_state.DropStartY = 0;
    if (isOnScreen(X, Y, screenRectOf(m_state))) {
        m_state.DropStartX = X;
        m_state.DropStartY = Y;
        // A press on the empty screen is the designer's: keys stay off the panes.
        m_selection.clear();
        m_ctx.ui.client->setFocus(Qt::MouseFocusReason);
    }
}

void Toolbox::Form_MouseMove(int Buttons, float X, float Y) {
    const float x0 = m_state.DropStartX;
    const float y0 = m_state.DropStartY;
    if ((Buttons & Qt::LeftButton) &&
        isDropRectangle(x0, y0, X, Y, int(Qt::LeftButton), screenRectOf(m_state)))
        m_selection.preview({x0, y0, X - x0, Y - y0});
    else
        m_selection.endPreview();
}

void Toolbox::Form_MouseUp(int Button, float X, float Y) {
    m_selection.endPreview();
    if (!isDropRectangle(m_state.DropStartX, m_state.DropStartY, X, Y, Button,
                         screenRectOf(m_state)))
        return;
    const ToolboxType& type = toolboxType(m_state.SelectedObjectType);
    const QString typeWord = QString::fromLatin1(type.typeWord);
    const bool isForm = typeWord == QLatin1String("Form");

    // Everything that could make the drop fail is checked before the text
    // changes, so that a refused drop leaves no half-made block behind.
    m_state.TemplateBuffer.clear();
    QString problem;
    if (!ReadTemplateFile(QString::fromLatin1(type.templateFile), &problem))
        problem =
            QStringLiteral("The template file \"%1\" could not be read (%2).")
                .arg(m_ctx.settings.TemplatePath + QString::fromLatin1(type.templateFile), problem);
    else
        problem = dropObstacle(!isForm);
    if (!problem.isEmpty()) {
        m_ctx.dialogs->message(problem + QStringLiteral(" The object was not added."),
                               QStringLiteral("Add Object"));
        return;
    }

    m_state.NewObjectTypeName = typeWord;
    const qint16 slot = m_state.NextPictureSlot;
    m_history.record([&] { drop(X, Y, isForm); });
    ++m_state.NextObjectId;
    ++m_state.NextPictureSlot;
    showChosenType(-1);
    if (!isForm) {
        m_selection.select(slot);
        if (ObjectPicture* picture = m_state.usablePicture(slot, m_ctx.settings.ObjectsPerPage))
            picture->setFocus(Qt::OtherFocusReason);
    }
}

void Toolbox::drop(float X, float Y, bool isForm) {
    // The whole change is worked out on one reading of the text and then
    // written, so that nothing is read back while the undo step is open.
    RichTextPane* pane = m_ctx.ui.Text1;
    const QString text = pane->text();
    const int appendedAt = int(text.size());
    QString appended = m_state.TemplateBuffer;
    const qint16 id = m_state.NextObjectId;
    appended.insert(appended.indexOf(kIdKey, 0, Qt::CaseInsensitive) + kIdKey.size(),
                    QString::number(id));
    if (isForm) {
        GestureHistory::write(*pane, {{appendedAt, 0, appended}});
        pane->select(appendedAt, pane->textLength() - appendedAt);
        return;
    }

    const qint16 slot = m_state.NextPictureSlot;
    ObjectPicture* picture = m_state.usablePicture(slot, m_ctx.settings.ObjectsPerPage);
    picture->setLeft(m_state.DropStartX);
    picture->setTop(m_state.DropStartY);
    picture->setWidth(X - m_state.DropStartX);
    picture->setHeight(Y - m_state.DropStartY);
    picture->setToolTipText(QString::number(id) + QLatin1Char(',') + m_state.NewObjectTypeName);
    picture->setVisible(true);
    picture->setBackColor(kNewObjectColor);
    m_grid.ShowObjectProperties(slot);

    // The new block's bounds, as StoreObjectBounds writes them.
    const QString withBlock = text + appended;
    const std::array<QString, 4> bounds{
        wholeNumberText(picture->left() - float(m_state.ScreenLeft)),
        wholeNumberText(picture->top() - m_state.ScreenTop), wholeNumberText(picture->width()),
        wholeNumberText(picture->height())};
    const BoundsWrite write = boundsEdits(withBlock, id, bounds);
    QVector<TextEdit> edits{{appendedAt, 0, applyEdits(withBlock, write.edits).mid(appendedAt)}};
    // Listed on the form page on view, the object is still there when the
    // page is loaded again.
    if (const auto listing = formListingEdit(text, m_state.CurrentFormPage, id))
        edits.append(*listing);
    GestureHistory::write(*pane, edits);
    if (write.complete)
        m_mover.placeCaret(applyEdits(text, edits), id);
}

QString Toolbox::dropObstacle(bool needsPicture) {
    const QString& buffer = m_state.TemplateBuffer;
    const QString file = m_ctx.settings.TemplatePath +
                         QString::fromLatin1(toolboxType(m_state.SelectedObjectType).templateFile);
    const qsizetype id = buffer.indexOf(kIdKey, 0, Qt::CaseInsensitive);
    if (id < 0)
        return QStringLiteral("The template file \"%1\" holds no \"ID=\" for the new "
                              "object's identifier.")
            .arg(file);
    // Lookups find identifier lines only at the start of a line.
    if (id > 0 && buffer[id - 1] != QLatin1Char('\n') && buffer[id - 1] != QLatin1Char('\r'))
        return QStringLiteral("In the template file \"%1\" the first \"ID=\" does not begin "
                              "a line.")
            .arg(file);
    if (needsPicture &&
        !m_state.usablePicture(m_state.NextPictureSlot, m_ctx.settings.ObjectsPerPage))
        return QStringLiteral("No free object picture is left on this page (ObjectsPerPage "
                              "is %1); raise it with Options, Adjust ObjectsPerPage.")
            .arg(m_ctx.settings.ObjectsPerPage);

    // The count of identifier lines may name an object that is already there.
    const QString text = m_ctx.ui.Text1->text();
    const IdLineIndex index(text);
    int next = m_state.NextObjectId;
    while (next <= std::numeric_limits<qint16>::max() && index.contains(qint16(next)))
        ++next;
    if (next > std::numeric_limits<qint16>::max())
        return QStringLiteral("No free object identifier is left.");
    m_state.NextObjectId = qint16(next);
    return QString();
}

bool Toolbox::ReadTemplateFile(const QString& fileName, QString* error) {
    QByteArray bytes;
    if (!FileOps::ReadAll(m_ctx.settings.TemplatePath + fileName, &bytes, error))
        return false;
    // The resource text's own line ends, whatever the template was saved with.
    QString text = decodeText(bytes).text;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    m_state.TemplateBuffer += text;
    return true;
}

} // namespace tarvo
