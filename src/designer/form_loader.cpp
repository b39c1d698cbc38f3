#include "form_loader.h"

#include "app/core/ide_context.h"
#include "designer_state.h"
#include "gesture_edits.h"
#include "platform/dialogs.h"
#include "platform/object_picture.h"
#include "platform/rich_text_pane.h"
#include "resource_text.h"

#include <algorithm>
#include <limits>

namespace tarvo {

namespace {

const QString kTextError =
    QStringLiteral("A text error has been detected in resource.txt or you need to increase the "
                   "ObjectsPerPage variable.  Please fix and resave.");

// A number looked up for the loader, or why there is none.
struct NumberLookup {
    std::optional<qint16> value;
    QString fault;
};

// The value of `key` for `id` as a number. `who` names the block in a fault
// ("Object 12"); `nonNegative` refuses sizes below 0.
NumberLookup numberValue(QStringView text, const IdLineIndex& index, qint16 id, const QString& key,
                         const QString& who, bool nonNegative = false) {
    if (!index.contains(id))
        return {std::nullopt, QStringLiteral("%1: no line reads \"ID=%2\".").arg(who).arg(id)};
    const TextSpan span = index.findObjectValue(id, key);
    if (!span.found())
        return {std::nullopt, QStringLiteral("%1: its block has no \"%2\" line ending in a line "
                                             "break.")
                                  .arg(who, key)};
    const QStringView value = text.mid(span.start, span.length);
    const std::optional<qint16> number = toInt16(value);
    if (number && (!nonNegative || *number >= 0))
        return {number, QString()};
    // Counting lines costs a pass over the text: only for the message.
    const int line = lineNumberAt(text, span.start);
    if (!number)
        return {std::nullopt, QStringLiteral("%1: \"%2%3\" (line %4) is not a number from -32768 "
                                             "to 32767.")
                                  .arg(who, key, value.toString())
                                  .arg(line)};
    return {
        std::nullopt,
        QStringLiteral("%1: \"%2%3\" (line %4) is negative.").arg(who, key).arg(*number).arg(line)};
}

} // namespace

FormLoader::FormLoader(IdeContext& ctx, DesignerState& state) : m_ctx(ctx), m_state(state) {}

void FormLoader::LoadFormPageHidingText1(qint16 page) {
    RichTextPane* text1 = m_ctx.ui.Text1;
    const bool shown = !text1->isHidden();
    if (shown)
        text1->hide();
    LoadFormPage(page);
    if (shown)
        text1->show();
}

void FormLoader::LoadFormPage(qint16 page) {
    const QString fault = loadPage(page);
    if (!fault.isEmpty() && m_ctx.project.isOpen())
        m_ctx.dialogs->message(kTextError + QLatin1Char('\n') + fault, QStringLiteral("TarvoIDE"));
    if (m_afterLoad)
        m_afterLoad();
}

QString FormLoader::loadPage(qint16 page) {
    // One copy of the text and one index of its identifier lines serve every
    // lookup of the load; the text does not change while it runs.
    const QString text = m_ctx.ui.Text1->text();

    int p = 0;
    int f = -1;
    for (int n = 0; n <= page; ++n) {
        f = findText(text, ResourceKeys::Form, p);
        if (f == -1)
            break; // every later search would fail as well
        p = f + 1;
    }
    if (f == -1 && m_state.CurrentFormPage > 0) {
        --m_state.CurrentFormPage;
        return QString();
    }

    if (!ClearObjectPictures())
        return QStringLiteral("ObjectsPerPage is %1, more than the %2 object pictures there can "
                              "be.")
            .arg(m_ctx.settings.ObjectsPerPage)
            .arg(DesignerState::MaxPictures);
    const IdLineIndex index(text);
    if (QString fault = drawFrame(text, index, p); !fault.isEmpty())
        return fault;

    const int formEnd = findText(text, ResourceKeys::EndForm, p);
    int cursor = p;
    m_state.NextPictureSlot = 1;
    const int keyLength = int(ResourceKeys::ObjectIdLine.size());
    for (;;) {
        f = findText(text, ResourceKeys::ObjectIdLine, cursor);
        if (f == -1 || f >= formEnd)
            break;
        cursor = f + 1;
        const int cr = int(QStringView(text).indexOf(QLatin1Char('\r'), f));
        if (cr < 0)
            return QStringLiteral("The \"(U)OBJECT_ID=\" line %1 does not end in a line break.")
                .arg(lineNumberAt(text, f + 1));
        const QStringView value = QStringView(text).mid(f + keyLength, cr - f - keyLength);
        const std::optional<qint16> id = toInt16(value);
        if (!id)
            return QStringLiteral("\"(U)OBJECT_ID=%1\" (line %2) is not an identifier from -32768 "
                                  "to 32767.")
                .arg(value.toString())
                .arg(lineNumberAt(text, f + 1));
        if (QString fault = placeObject(text, index, *id); !fault.isEmpty())
            return fault;
        ++m_state.NextPictureSlot;
    }

    if (index.count() > std::numeric_limits<qint16>::max())
        return QStringLiteral("The text has %1 lines that begin with \"ID=\", more than the %2 "
                              "that 16-bit identifiers can count.")
            .arg(index.count())
            .arg(std::numeric_limits<qint16>::max());
    m_state.NextObjectId = qint16(index.count());
    return drawFrame(text, index, p);
}

QString FormLoader::placeObject(QStringView text, const IdLineIndex& index, qint16 id) {
    const QString who = QStringLiteral("Object %1").arg(id);
    const NumberLookup y = numberValue(text, index, id, ResourceKeys::Y, who);
    if (!y.value)
        return y.fault;
    ObjectPicture* picture =
        m_state.usablePicture(m_state.NextPictureSlot, m_ctx.settings.ObjectsPerPage);
    if (!picture) {
        const int pictures =
            std::min<int>(m_ctx.settings.ObjectsPerPage, DesignerState::MaxPictures);
        return QStringLiteral("Form page %1 lists more objects than the %2 object pictures "
                              "(ObjectsPerPage is %3, at most %4).")
            .arg(m_state.CurrentFormPage)
            .arg(pictures)
            .arg(m_ctx.settings.ObjectsPerPage)
            .arg(DesignerState::MaxPictures);
    }
    picture->setTop(float(*y.value) + m_state.ScreenTop);

    const NumberLookup x = numberValue(text, index, id, ResourceKeys::X, who);
    if (!x.value)
        return x.fault;
    picture->setLeft(float(*x.value + m_state.ScreenLeft));

    const NumberLookup width = numberValue(text, index, id, ResourceKeys::Width, who, true);
    if (!width.value)
        return width.fault;
    picture->setWidth(*width.value);

    const NumberLookup height = numberValue(text, index, id, ResourceKeys::Height, who, true);
    if (!height.value)
        return height.fault;
    picture->setHeight(*height.value);

    const TextSpan type = index.findObjectValue(id, ResourceKeys::Type);
    if (!type.found())
        return QStringLiteral("%1: its block has no \"%2\" line ending in a line break.")
            .arg(who, ResourceKeys::Type);
    picture->setToolTipText(QString::number(id) + QLatin1Char(',') +
                            text.mid(type.start, type.length).toString());
    return QString();
}

bool FormLoader::ClearObjectPictures() {
    for (int i = 1; i <= m_ctx.settings.ObjectsPerPage; ++i) {
        ObjectPicture* picture = m_state.usablePicture(i, m_ctx.settings.ObjectsPerPage);
        if (!picture)
            return false;
        picture->setWidth(0);
        picture->setHeight(0);
        picture->setTop(0);
        picture->setLeft(0);
        picture->setToolTipText(QString());
    }
    m_state.NextObjectId = 1;
    return true;
}

bool FormLoader::DrawFormFrame(int start) {
    const QString text = m_ctx.ui.Text1->text();
    return drawFrame(text, IdLineIndex(text), start).isEmpty();
}

QString FormLoader::drawFrame(QStringView text, const IdLineIndex& index, int start) {
    const int line = findText(text, ResourceKeys::IdLine, start);
    if (line < 0)
        return QStringLiteral("No line beginning with \"ID=\" follows the start of form page %1.")
            .arg(m_state.CurrentFormPage);
    const int cr = int(text.indexOf(QLatin1Char('\r'), line));
    if (cr < 0)
        return QStringLiteral("The form's \"ID=\" line %1 does not end in a line break.")
            .arg(lineNumberAt(text, line + 1));
    const int valueStart = line + int(ResourceKeys::IdLine.size());
    const QStringView value = text.mid(valueStart, cr - valueStart);
    const std::optional<qint16> id = toInt16(value);
    if (!id)
        return QStringLiteral("The form's \"ID=%1\" (line %2) is not an identifier from -32768 "
                              "to 32767.")
            .arg(value.toString())
            .arg(lineNumberAt(text, line + 1));

    const QString who = QStringLiteral("Form %1").arg(*id);
    qint16 bounds[4] = {};
    const QString* keys[4] = {&ResourceKeys::Y, &ResourceKeys::X, &ResourceKeys::Width,
                              &ResourceKeys::Height};
    for (int k = 0; k < 4; ++k) {
        const NumberLookup lookup = numberValue(text, index, *id, *keys[k], who);
        if (!lookup.value)
            return lookup.fault;
        bounds[k] = *lookup.value;
    }
    const int top = int(float(bounds[0]) + m_state.ScreenTop);
    const int left = bounds[1] + m_state.ScreenLeft;
    const int right = left + bounds[2];
    const int bottom = top + bounds[3];
    const Controls& ui = m_ctx.ui;
    ui.Line2->setLine(left, top, right, top);
    ui.Line3->setLine(right, top, right, bottom);
    ui.Line4->setLine(right, bottom, left, bottom);
    ui.Line5->setLine(left, bottom, left, top);
    ui.Text1->setSelStart(0);
    return QString();
}

bool FormLoader::GetObjectValue(qint16 id, const QString& key, QString* value) {
    RichTextPane* pane = m_ctx.ui.Text1;
    const QString text = pane->text();
    const TextSpan span = findObjectValue(text, id, key);
    if (!span.found())
        return false;
    pane->select(span.start, span.length);
    if (value)
        *value = text.mid(span.start, span.length);
    return true;
}

bool FormLoader::SetObjectValue(qint16 id, const QString& key, const QString& value) {
    RichTextPane* pane = m_ctx.ui.Text1;
    const QString text = pane->text();
    const TextSpan span = findObjectValue(text, id, key);
    if (!span.found())
        return false;
    // Writing the value that is already there would be an undo step that
    // changes nothing; the caret ends behind the value either way.
    if (QStringView(text).mid(span.start, span.length) == value) {
        pane->setSelStart(span.start + span.length);
        return true;
    }
    pane->select(span.start, span.length);
    pane->setSelText(value);
    return true;
}

} // namespace tarvo
