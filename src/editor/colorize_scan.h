#pragma once

#include "platform/rich_text_pane.h"

#include <QColor>
#include <QHash>
#include <QString>
#include <QVector>

namespace tarvo {

using FormatRun = RichTextPane::FormatRun;

// One keyword list ("*int*char*long*") ready for lookups: a word belongs to it
// when some entry equals the word with letter case ignored; the first such
// entry gives the keyword's letters.
class KeywordList {
public:
    KeywordList() = default;
    explicit KeywordList(const QString& list);
    // The keyword's letters for `word`, or a null string when it is not listed.
    QString lookup(QStringView word) const;
    // Entries by their lower-case form, each the first of its spelling.
    const QHash<QString, QString>& entries() const { return m_byLowerCase; }

private:
    QHash<QString, QString> m_byLowerCase;
};

struct KeywordLists {
    KeywordList dataTypes;
    KeywordList reserved;
    KeywordList extra;
};

namespace ColorizeColors {
inline const QColor DataType{0, 127, 0};
inline const QColor Reserved{0, 0, 255};
inline const QColor Extra{0, 0, 0};
inline const QColor Number{255, 0, 0};
inline const QColor Comment{127, 127, 127};
} // namespace ColorizeColors

// What a token is coloured as.
enum class TokenKind : quint8 {
    DataType,
    Reserved,
    Extra,
    Number,
    Comment,     // grey and not bold
    CommentPart, // grey, weight left as it is: a line of a block comment before its last
    EarlierWord, // a word that began on an earlier line; see ScanState
};

// One token of a line, in positions from the line's start. `caseFix`, when
// set, holds the keyword's letters where they differ from the text's.
struct LineRun {
    int start = 0;
    int length = 0;
    TokenKind kind = TokenKind::Number;
    const QString* caseFix = nullptr;
};

// The three lists joined, so that each word of the text costs one lookup.
class KeywordTable {
public:
    explicit KeywordTable(const KeywordLists& lists);
    // The run for the word `word` at `start`, or false when it is no keyword.
    bool wordRun(QStringView word, int start, LineRun& run) const;

private:
    struct Entry {
        QString dataType; // the list's letters, null when not listed
        QString reserved;
        bool extra = false;
    };
    QHash<QString, Entry> m_entries;
    mutable QString m_key; // reused lower-case buffer
};

// Where the scan stands at the start of a line. A word is only ever coloured
// when its letters stand together, so a word that is still open at a line
// break (carried by a comment or literal running over it) counts only if no
// further letter joins it: it is then reported as an EarlierWord run of the
// line that ends it, at a start before that line.
struct ScanState {
    enum class Mode : quint8 { Code, BlockComment, StringLiteral };
    Mode mode = Mode::Code;
    bool wordOpen = false;
    bool wordBroken = false;  // something other than a letter came after its letters
    bool wordSpoiled = false; // letters came after that: it can be no keyword
    int wordStart = 0;        // from the line's start, so never positive across lines
    int wordLength = 0;

    // A carried word that may still be coloured, on the line `-wordStart`
    // characters back.
    bool carriesCandidate() const { return wordOpen && !wordSpoiled; }
    bool operator==(const ScanState& o) const {
        return mode == o.mode && wordOpen == o.wordOpen && wordBroken == o.wordBroken &&
               wordSpoiled == o.wordSpoiled && wordStart == o.wordStart &&
               wordLength == o.wordLength;
    }
    bool operator!=(const ScanState& o) const { return !(*this == o); }
};

// Scans one line, `line` holding its CR LF when one follows, from `state`:
// appends the line's runs to `runs` in the order they are found and leaves
// in `state` where the next line starts.
void scanLine(QStringView line, ScanState& state, const KeywordTable& table,
              QVector<LineRun>& runs);

// Calls `visit(lineStart, line)` for each line of a CR LF text, every line
// but the last holding its CR LF.
template <typename Visit> void forEachLine(QStringView text, Visit&& visit) {
    qsizetype start = 0;
    for (;;) {
        const qsizetype br = text.indexOf(QLatin1String("\r\n"), start);
        const qsizetype end = br < 0 ? text.size() : br + 2;
        visit(int(start), text.mid(start, end - start));
        if (br < 0)
            return;
        start = end;
    }
}

// Colour and weight of a token kind; no weight where it is left as it is.
QColor tokenColor(TokenKind kind);
std::optional<bool> tokenBold(TokenKind kind);

// The colouring of a C text `text` (CR LF line breaks), as runs in text order:
// keywords, numbers and comments with their colour and weight, and the letter
// case fix of data-type and reserved keywords. Text outside the runs keeps its
// format. A case fix only ever changes the letter case of the word's own
// letters, so applying the runs never moves any text.
QVector<FormatRun> scanColorRuns(const QString& text, const KeywordLists& lists);

} // namespace tarvo
