#pragma once

#include "resource_text.h"

#include <QString>
#include <QStringView>
#include <QVector>
#include <QtGlobal>
#include <array>
#include <optional>

namespace tarvo {

// What a key pressed in the designer asks for. Shift state as the panes
// report it: Shift 1, Ctrl 2, Alt 4.
enum class DesignerKeyAction { None, Move, Resize, Delete, Undo, Redo, Deselect };
struct DesignerKey {
    DesignerKeyAction action = DesignerKeyAction::None;
    float dx = 0; // pixels to move by, or to add to the width
    float dy = 0; // likewise downwards, or to the height
};
DesignerKey designerKey(int keyCode, int shift);

// One replacement in the resource text: `length` characters at `start`
// become `text`.
struct TextEdit {
    int start = 0;
    int length = 0;
    QString text;
};

// `text` with the edits made, which must not overlap.
QString applyEdits(QString text, QVector<TextEdit> edits);

// Writing the four bounds values of object `id` (X, Y, width, height), as
// one lookup and replacement per key would: an edit for each value that
// differs, stopping at the first key that the object's block lacks, which
// leaves `complete` false.
struct BoundsWrite {
    QVector<TextEdit> edits;
    bool complete = false;
};
BoundsWrite boundsEdits(QStringView text, qint16 id, const std::array<QString, 4>& values);

// Position of the first "#" from the line that begins with "ID=" and `id`:
// where the caret goes after an object's bounds were written. -1 when none.
int blockMarkerAfterId(QStringView text, int id);

// The line that lists object `id` on form page `page`: after the last
// "(U)OBJECT_ID=" line of that form's block, or else at the start of the line
// holding its "#END_FORM". Nothing when the text has no such form page or the
// block is not closed.
std::optional<TextEdit> formListingEdit(QStringView text, qint16 page, qint16 id);

// What deleting object `id` removes: its block from the "#OBJECT" line before
// its "ID=" line through the next "#END_OBJECT" line, and every line that
// lists it, last first so that they can be removed in that order. When the
// text does not have that shape, `refusal` says why and `spans` is empty.
struct ObjectRemoval {
    QVector<TextSpan> spans;
    QString refusal;
};
ObjectRemoval objectRemoval(QStringView text, qint16 id);

// Why the four bounds values of object `id` cannot all be written, or empty
// when they can.
QString boundsProblem(QStringView text, qint16 id);

// 1-based number of the line holding position `pos`.
int lineNumberAt(QStringView text, int pos);

} // namespace tarvo
