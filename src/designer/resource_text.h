#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace tarvo {

// The keys and markers of the resource text. Keys that must begin a line are
// searched with the LF in front of them.
namespace ResourceKeys {
inline const QString IdLine = QStringLiteral("\nID=");
inline const QString ObjectIdLine = QStringLiteral("\n(U)OBJECT_ID=");
inline const QString Form = QStringLiteral("#FORM");
inline const QString EndForm = QStringLiteral("#END_FORM");
inline const QString X = QStringLiteral("(SH)BOUNDS.X=");
inline const QString Y = QStringLiteral("(SH)BOUNDS.Y=");
inline const QString Width = QStringLiteral("(SH)BOUNDS.WIDTH=");
inline const QString Height = QStringLiteral("(SH)BOUNDS.HEIGHT=");
inline const QString Type = QStringLiteral("(B)OBJECT.TYPE=");
} // namespace ResourceKeys

// A stretch of the text; start -1 when it was not found.
struct TextSpan {
    int start = -1;
    int length = 0;
    bool found() const { return start >= 0; }
};

// A number of the text as a 16-bit integer: blanks around it allowed, a
// fraction rounded to the nearest integer (halves to even). Empty, non-numeric
// or out-of-range text gives nothing.
std::optional<qint16> toInt16(QStringView text);

// The number at the start of `text` ("12,Button" gives 12), as a 16-bit integer.
std::optional<qint16> leadingInt16(QStringView text);

// A picture coordinate as the whole number written to the text.
QString wholeNumberText(float value);

// Case-insensitive search of `what` at or after `from`; -1 when not found.
int findText(QStringView text, QStringView what, int from);

// Position of the LF of the first line that begins with "ID=" followed by
// exactly the digits of `id` (a longer identifier does not match), or -1.
int findIdLine(QStringView text, qint16 id, int from = 0);

// End of the block whose identifier line has its LF at `idLine`: the LF of the
// next line beginning with "ID=", or the end of the text.
int findBlockEnd(QStringView text, int idLine);

// The value of `key` inside [idLine, blockEnd): from the end of the key up to
// the CR that ends its line. Not found when the key or the CR is missing there.
TextSpan findValueInBlock(QStringView text, int idLine, int blockEnd, QStringView key);

// The value of `key` in the block of identifier `id`.
TextSpan findObjectValue(QStringView text, qint16 id, QStringView key);

// The identifier lines of one text, found once, for many lookups on that
// text; the text must outlive the index and stay unchanged.
class IdLineIndex {
public:
    explicit IdLineIndex(QStringView text);

    int lineOf(qint16 id) const;                      // as findIdLine(text, id)
    int blockEnd(int idLine) const;                   // as findBlockEnd(text, idLine)
    int count() const { return int(m_lines.size()); } // lines beginning with "ID="
    bool contains(qint16 id) const { return lineOf(id) >= 0; }
    TextSpan findObjectValue(qint16 id, QStringView key) const; // as the free function

private:
    QStringView m_text;
    std::vector<int> m_lines;         // LF positions, ascending
    std::vector<int> m_firstLineOfId; // by id + 32768; -1 when absent
};

} // namespace tarvo
