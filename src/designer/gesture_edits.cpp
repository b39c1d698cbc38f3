#include "gesture_edits.h"

#include <Qt>
#include <algorithm>
#include <limits>

namespace tarvo {

namespace {

constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;

const QString kObjectIdKey = QStringLiteral("(U)OBJECT_ID=");

// One line of the text: [start, contentEnd) is its text, `next` the start of
// the line after it (the text's length for the last line).
struct Line {
    int start = 0;
    int contentEnd = 0;
    int next = 0;
};

Line lineAt(QStringView text, int start) {
    const auto isBreak = [](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); };
    const int end = int(std::find_if(text.begin() + start, text.end(), isBreak) - text.begin());
    const QStringView rest = text.mid(end);
    return {start, end, end + (rest.startsWith(u"\r\n") ? 2 : rest.isEmpty() ? 0 : 1)};
}

// Start of the line before the one starting at `lineStart` (> 0).
int previousLineStart(QStringView text, int lineStart) {
    int i = lineStart - 2; // skips the LF that ends the previous line
    while (i >= 0 && text[i] != QLatin1Char('\n'))
        --i;
    return i + 1;
}

// The lines that bound an object's block, and those that must not stand in it.
enum class Marker { Other, Object, EndObject, Form, IdLine };

Marker classify(QStringView line) {
    if (line.startsWith(QLatin1String("#OBJECT"), Qt::CaseInsensitive))
        return Marker::Object;
    if (line.startsWith(QLatin1String("#END_OBJECT"), Qt::CaseInsensitive))
        return Marker::EndObject;
    // Form pages are counted by "#FORM" anywhere, so no removal may take one.
    if (line.contains(ResourceKeys::Form, Qt::CaseInsensitive) ||
        line.contains(ResourceKeys::EndForm, Qt::CaseInsensitive))
        return Marker::Form;
    if (line.startsWith(QLatin1String("ID="), Qt::CaseInsensitive))
        return Marker::IdLine;
    return Marker::Other;
}

Marker classify(QStringView text, const Line& line) {
    return classify(text.mid(line.start, line.contentEnd - line.start));
}

ObjectRemoval refused(const QString& why) {
    return {{}, why};
}

} // namespace

DesignerKey designerKey(int keyCode, int shift) {
    const float step = (shift & kShift) ? 8.0f : 1.0f;
    const auto arrow = [&](float dx, float dy) {
        if (shift & kAlt)
            return DesignerKey{};
        const auto action = (shift & kCtrl) ? DesignerKeyAction::Resize : DesignerKeyAction::Move;
        return DesignerKey{action, dx * step, dy * step};
    };
    switch (keyCode) {
    case Qt::Key_Left:
        return arrow(-1, 0);
    case Qt::Key_Right:
        return arrow(1, 0);
    case Qt::Key_Up:
        return arrow(0, -1);
    case Qt::Key_Down:
        return arrow(0, 1);
    case Qt::Key_Delete:
        return {shift == 0 ? DesignerKeyAction::Delete : DesignerKeyAction::None};
    case Qt::Key_Z:
        if (shift == kCtrl)
            return {DesignerKeyAction::Undo};
        return {shift == (kCtrl | kShift) ? DesignerKeyAction::Redo : DesignerKeyAction::None};
    case Qt::Key_Y:
        return {shift == kCtrl ? DesignerKeyAction::Redo : DesignerKeyAction::None};
    case Qt::Key_Escape:
        return {shift == 0 ? DesignerKeyAction::Deselect : DesignerKeyAction::None};
    default:
        return {};
    }
}

QString applyEdits(QString text, QVector<TextEdit> edits) {
    // Last first, so that each edit's position still holds.
    std::sort(edits.begin(), edits.end(),
              [](const TextEdit& a, const TextEdit& b) { return a.start > b.start; });
    for (const TextEdit& e : std::as_const(edits))
        text.replace(e.start, e.length, e.text);
    return text;
}

BoundsWrite boundsEdits(QStringView text, qint16 id, const std::array<QString, 4>& values) {
    const QString* keys[] = {&ResourceKeys::X, &ResourceKeys::Y, &ResourceKeys::Width,
                             &ResourceKeys::Height};
    BoundsWrite write;
    const int line = findIdLine(text, id);
    if (line < 0)
        return write;
    const int end = findBlockEnd(text, line);
    // Values are numbers, so writing one never moves or makes another key.
    for (int k = 0; k < 4; ++k) {
        const TextSpan span = findValueInBlock(text, line, end, *keys[k]);
        if (!span.found())
            return write;
        if (text.mid(span.start, span.length) != values[k])
            write.edits.append({span.start, span.length, values[k]});
    }
    write.complete = true;
    return write;
}

int blockMarkerAfterId(QStringView text, int id) {
    if (id < std::numeric_limits<qint16>::min() || id > std::numeric_limits<qint16>::max())
        return -1;
    const int line = findIdLine(text, qint16(id));
    return line < 0 ? -1 : findText(text, QStringLiteral("#"), line);
}

std::optional<TextEdit> formListingEdit(QStringView text, qint16 page, qint16 id) {
    // The form page as the loader finds it: the page-th "#FORM", counted from 0.
    int p = 0;
    int form = -1;
    for (int n = 0; n <= page; ++n) {
        form = findText(text, ResourceKeys::Form, p);
        if (form < 0)
            return std::nullopt;
        p = form + 1;
    }
    const int end = findText(text, ResourceKeys::EndForm, p);
    if (end < 0)
        return std::nullopt;
    const QString line = kObjectIdKey + QString::number(id) + QStringLiteral("\r\n");

    int last = -1;
    for (int hit = findText(text, ResourceKeys::ObjectIdLine, p); hit >= 0 && hit < end;
         hit = findText(text, ResourceKeys::ObjectIdLine, hit + 1))
        last = hit;
    if (last >= 0) {
        const Line listed = lineAt(text, last + 1);
        if (listed.next <= end && listed.next > listed.contentEnd)
            return TextEdit{listed.next, 0, line};
    }
    int endLine = end;
    while (endLine > 0 && text[endLine - 1] != QLatin1Char('\n'))
        --endLine;
    if (endLine > form)
        return TextEdit{endLine, 0, line};
    // "#END_FORM" shares the "#FORM" line: the listing gets a line of its own.
    return TextEdit{end, 0, QStringLiteral("\r\n") + line};
}

ObjectRemoval objectRemoval(QStringView text, qint16 id) {
    const int idLf = findIdLine(text, id);
    if (idLf < 0)
        return refused(QStringLiteral("no line reads \"ID=%1\".").arg(id));
    const int twin = findIdLine(text, id, idLf + 1);
    if (twin >= 0)
        return refused(QStringLiteral("lines %1 and %2 both read \"ID=%3\".")
                           .arg(lineNumberAt(text, idLf + 1))
                           .arg(lineNumberAt(text, twin + 1))
                           .arg(id));
    const Line idLine = lineAt(text, idLf + 1);

    int open = -1;
    for (int start = idLine.start; start > 0;) {
        start = previousLineStart(text, start);
        const Marker m = classify(text, lineAt(text, start));
        if (m == Marker::Object)
            open = start;
        if (m != Marker::Other)
            break;
    }
    if (open < 0)
        return refused(QStringLiteral("no \"#OBJECT\" line opens its block before line %1.")
                           .arg(lineNumberAt(text, idLine.start)));

    int close = -1;
    for (Line line = idLine; line.next > line.contentEnd;) {
        line = lineAt(text, line.next);
        const Marker m = classify(text, line);
        if (m == Marker::EndObject)
            close = line.next;
        if (m != Marker::Other)
            break;
    }
    if (close < 0)
        return refused(QStringLiteral("no \"#END_OBJECT\" line closes its block (line %1) "
                                      "before the next block or the end of the text.")
                           .arg(lineNumberAt(text, idLine.start)));

    ObjectRemoval removal;
    removal.spans.append({open, close - open});
    for (int hit = findText(text, kObjectIdKey, 0); hit >= 0;
         hit = findText(text, kObjectIdKey, hit + 1)) {
        if (hit > 0 && text[hit - 1] != QLatin1Char('\n'))
            continue;
        if (hit >= open && hit < close)
            continue;
        const Line listing = lineAt(text, hit);
        const int valueStart = hit + int(kObjectIdKey.size());
        if (toInt16(text.mid(valueStart, listing.contentEnd - valueStart)) != id)
            continue;
        int start = listing.start;
        // A listing on the last line takes the line break before it along,
        // unless that break ends the removed block.
        if (listing.next == listing.contentEnd && start > close) {
            --start;
            if (start > close && text[start - 1] == QLatin1Char('\r'))
                --start;
        }
        removal.spans.append({start, listing.next - start});
    }
    std::sort(removal.spans.begin(), removal.spans.end(),
              [](const TextSpan& a, const TextSpan& b) { return a.start > b.start; });
    return removal;
}

QString boundsProblem(QStringView text, qint16 id) {
    const int line = findIdLine(text, id);
    if (line < 0)
        return QStringLiteral("no line reads \"ID=%1\".").arg(id);
    const int end = findBlockEnd(text, line);
    for (const QString* key :
         {&ResourceKeys::X, &ResourceKeys::Y, &ResourceKeys::Width, &ResourceKeys::Height}) {
        if (!findValueInBlock(text, line, end, *key).found())
            return QStringLiteral("its block (line %1) has no \"%2\" line ending in a line break.")
                .arg(lineNumberAt(text, line + 1))
                .arg(*key);
    }
    return QString();
}

int lineNumberAt(QStringView text, int pos) {
    pos = std::clamp(pos, 0, int(text.size()));
    return int(std::count(text.begin(), text.begin() + pos, QLatin1Char('\n'))) + 1;
}

} // namespace tarvo
