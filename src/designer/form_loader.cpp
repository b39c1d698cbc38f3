#include "form_loader.h"

#include "app/core/ide_context.h"
#include "designer_state.h"
#include "platform/dialogs.h"
#include "platform/object_picture.h"
#include "platform/rich_text_pane.h"
#include "resource_text.h"

#include <limits>

namespace tarvo {

namespace {

const QString kTextError =
    QStringLiteral("A text error has been detected in resource.txt or you need to increase the "
                   "ObjectsPerPage variable.  Please fix and resave.");

// The value of `key` for `id` as a number, or nothing on a text error.
std::optional<qint16> numberValue(QStringView text, const IdLineIndex& index, qint16 id,
                                  const QString& key) {
    const TextSpan span = index.findObjectValue(id, key);
    if (!span.found())
        return std::nullopt;
    return toInt16(text.mid(span.start, span.length));
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
    if (!loadPage(page) && m_ctx.project.isOpen())
        m_ctx.dialogs->message(kTextError, QStringLiteral("TarvoIDE"));
}

bool FormLoader::loadPage(qint16 page) {
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
        return true;
    }

    if (!ClearObjectPictures())
        return false;
    const IdLineIndex index(text);
    if (!drawFrame(text, index, p))
        return false;

    const int formEnd = findText(text, ResourceKeys::EndForm, p);
    int cursor = p;
    m_state.NextPictureSlot = 1;
    const int keyLength = int(ResourceKeys::ObjectIdLine.size());
    while (f != -1 && f < formEnd) {
        f = findText(text, ResourceKeys::ObjectIdLine, cursor);
        if (f == -1 || f >= formEnd)
            break;
        cursor = f + 1;
        const int cr = int(QStringView(text).indexOf(QLatin1Char('\r'), f));
        if (cr < 0)
            return false;
        const std::optional<qint16> id =
            toInt16(QStringView(text).mid(f + keyLength, cr - f - keyLength));
        if (!id || !placeObject(text, index, *id))
            return false;
        ++m_state.NextPictureSlot;
    }

    if (index.count() > std::numeric_limits<qint16>::max())
        return false;
    m_state.NextObjectId = qint16(index.count());
    return drawFrame(text, index, p);
}

bool FormLoader::placeObject(QStringView text, const IdLineIndex& index, qint16 id) {
    const std::optional<qint16> y = numberValue(text, index, id, ResourceKeys::Y);
    if (!y)
        return false;
    ObjectPicture* picture =
        m_state.usablePicture(m_state.NextPictureSlot, m_ctx.settings.ObjectsPerPage);
    if (!picture)
        return false;
    picture->setTop(float(*y) + m_state.ScreenTop);

    const std::optional<qint16> x = numberValue(text, index, id, ResourceKeys::X);
    if (!x)
        return false;
    picture->setLeft(float(*x + m_state.ScreenLeft));

    const std::optional<qint16> width = numberValue(text, index, id, ResourceKeys::Width);
    if (!width || *width < 0)
        return false;
    picture->setWidth(*width);

    const std::optional<qint16> height = numberValue(text, index, id, ResourceKeys::Height);
    if (!height || *height < 0)
        return false;
    picture->setHeight(*height);

    const TextSpan type = index.findObjectValue(id, ResourceKeys::Type);
    if (!type.found())
        return false;
    picture->setToolTipText(QString::number(id) + QLatin1Char(',') +
                            text.mid(type.start, type.length).toString());
    return true;
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
    return drawFrame(text, IdLineIndex(text), start);
}

bool FormLoader::drawFrame(QStringView text, const IdLineIndex& index, int start) {
    const int line = findText(text, ResourceKeys::IdLine, start);
    if (line < 0)
        return false;
    const int cr = int(text.indexOf(QLatin1Char('\r'), line));
    if (cr < 0)
        return false;
    const int valueStart = line + int(ResourceKeys::IdLine.size());
    const std::optional<qint16> id = toInt16(text.mid(valueStart, cr - valueStart));
    if (!id)
        return false;

    const auto y = numberValue(text, index, *id, ResourceKeys::Y);
    const auto x = y ? numberValue(text, index, *id, ResourceKeys::X) : std::nullopt;
    const auto w = x ? numberValue(text, index, *id, ResourceKeys::Width) : std::nullopt;
    const auto h = w ? numberValue(text, index, *id, ResourceKeys::Height) : std::nullopt;
    if (!h)
        return false;
    const int top = int(float(*y) + m_state.ScreenTop);
    const int left = *x + m_state.ScreenLeft;
    const int right = left + *w;
    const int bottom = top + *h;
    const Controls& ui = m_ctx.ui;
    ui.Line2->setLine(left, top, right, top);
    ui.Line3->setLine(right, top, right, bottom);
    ui.Line4->setLine(right, bottom, left, bottom);
    ui.Line5->setLine(left, bottom, left, top);
    ui.Text1->setSelStart(0);
    return true;
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
    const TextSpan span = findObjectValue(pane->text(), id, key);
    if (!span.found())
        return false;
    pane->select(span.start, span.length);
    pane->setSelText(value);
    return true;
}

} // namespace tarvo
