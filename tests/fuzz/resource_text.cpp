// Page and identifier bytes, then a resource text: quick searches agree with plain ones,
// and a page load leaves the text alone and ends complete or with one text-error message.
#include "designer/resource_text.h"
#include "app/core/ide_context.h"
#include "designer/designer_state.h"
#include "designer/form_loader.h"
#include "fuzz_check.h"
#include "platform/dialogs.h"
#include "platform/object_picture.h"
#include "platform/rich_text_pane.h"

#include <QApplication>

using namespace tarvo;

static const QString* const kKeys[] = {&ResourceKeys::IdLine, &ResourceKeys::ObjectIdLine,
                                       &ResourceKeys::Form,   &ResourceKeys::EndForm,
                                       &ResourceKeys::X,      &ResourceKeys::Y,
                                       &ResourceKeys::Width,  &ResourceKeys::Height,
                                       &ResourceKeys::Type};

constexpr int kPictures = 6; // few, so that a page can list more objects than there are

// The loader's part of the window, made once: widgets are slow to create.
struct Designer {
    int argc = 1;
    char* argv[2] = {const_cast<char*>("fuzz_resource_text"), nullptr};
    bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app{argc, argv};
    RichTextPane text1;
    LineShape lines[4];
    ObjectPicture pictures[kPictures];
    ScriptedDialogs dialogs;
    IdeContext ctx;
    DesignerState state;
    FormLoader loader{ctx, state};

    Designer() {
        std::tie(ctx.ui.Text1, ctx.ui.Line2, ctx.ui.Line3, ctx.ui.Line4, ctx.ui.Line5) =
            std::make_tuple(&text1, &lines[0], &lines[1], &lines[2], &lines[3]);
        ctx.dialogs = &dialogs;
        ctx.project.ProjectPath = QStringLiteral("/project"); // errors are reported
        ctx.settings.ObjectsPerPage = kPictures;
        for (int i = 0; i < kPictures; ++i)
            state.ObjectPictures[size_t(i + 1)] = &pictures[i];
    }
};

static void checkLoad(Designer& d, const QString& text, qint16 page, int idLines) {
    d.loader.ClearObjectPictures();
    d.dialogs.shown.clear();
    d.state.CurrentFormPage = page;
    d.loader.LoadFormPage(page);
    FUZZ_CHECK(d.text1.text() == text);
    const QStringList messages = d.dialogs.messages();
    FUZZ_CHECK(messages.size() <= 1);
    if (!messages.isEmpty()) { // the fixed text, then a line naming what is at fault
        FUZZ_CHECK(messages[0].startsWith(u"A text error has been detected in resource.txt"));
        FUZZ_CHECK(!messages[0].section(QLatin1Char('\n'), 1).trimmed().isEmpty());
        return;
    }
    FUZZ_CHECK(d.state.CurrentFormPage == page || d.state.CurrentFormPage == page - 1);
    if (d.state.CurrentFormPage != page)
        return;
    FUZZ_CHECK(d.text1.selStart() == 0 && d.text1.selLength() == 0);
    FUZZ_CHECK(d.state.NextObjectId == idLines);
    for (int i = 1; i <= kPictures; ++i) {
        const ObjectPicture& p = d.pictures[i - 1];
        const QString tip = p.toolTipText();
        const std::optional<qint16> id = leadingInt16(tip);
        FUZZ_CHECK(i < d.state.NextPictureSlot // the rest are emptied
                       ? id && tip.startsWith(QString::number(*id) + u',') &&
                             findIdLine(text, *id) >= 0 && p.width() >= 0 && p.height() >= 0
                       : p.left() == 0 && p.top() == 0 && p.width() == 0 && p.height() == 0 &&
                             tip.isEmpty());
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const qint16 page = qint16(data[0] % 4);
    const qint16 someId = qint16(data[1] | data[2] << 8);
    static Designer d;
    d.text1.setText(QString::fromUtf8(fuzzBytes(data + 3, size - 3)));
    const QString text = d.text1.text(); // line breaks made CR LF

    FUZZ_CHECK(toInt16(QString::number(someId)) == someId);
    QList<qint16> ids{someId};
    int idLines = 0;
    for (int r = findText(text, ResourceKeys::IdLine, 0); r >= 0;
         r = findText(text, ResourceKeys::IdLine, r + 1), ++idLines) {
        const std::optional<qint16> id = leadingInt16(QStringView(text).mid(r + 4));
        if (id && ids.size() < 50)
            ids << *id;
    }
    for (const QString* key : kKeys)
        for (int from : {0, int(text.size() / 2)})
            FUZZ_CHECK(findText(text, *key, from) ==
                       int(QStringView(text).indexOf(*key, from, Qt::CaseInsensitive)));
    const IdLineIndex index(text);
    FUZZ_CHECK(index.count() == idLines);
    for (qint16 id : ids) {
        const int line = findIdLine(text, id);
        FUZZ_CHECK(index.lineOf(id) == line);
        if (line < 0)
            continue;
        FUZZ_CHECK(index.blockEnd(line) == findBlockEnd(text, line));
        for (const QString* key : kKeys) {
            const TextSpan span = findObjectValue(text, id, *key);
            const TextSpan indexed = index.findObjectValue(id, *key);
            FUZZ_CHECK(span.start == indexed.start && span.length == indexed.length);
            const int end = span.start + span.length;
            FUZZ_CHECK(!span.found() || (end < text.size() && text[end] == QLatin1Char('\r')));
        }
    }
    checkLoad(d, text, page, idLines);

    for (qint16 id : {ids.last(), someId}) {
        const TextSpan span = findObjectValue(text, id, ResourceKeys::X);
        QString value;
        FUZZ_CHECK(d.loader.GetObjectValue(id, ResourceKeys::X, &value) == span.found());
        FUZZ_CHECK(value == text.mid(span.start, span.found() ? span.length : 0));
        FUZZ_CHECK(d.loader.SetObjectValue(id, ResourceKeys::X, QStringLiteral("7")) ==
                   span.found());
        if (span.found()) {
            const QString seven =
                QString(text).replace(span.start, span.length, QStringLiteral("7"));
            FUZZ_CHECK(d.text1.text() == seven);
            // The value it holds already: found, and nothing changes.
            FUZZ_CHECK(d.loader.SetObjectValue(id, ResourceKeys::X, QStringLiteral("7")) &&
                       d.text1.text() == seven);
            return 0; // the text has changed
        }
    }
    return 0;
}
