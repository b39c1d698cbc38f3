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
    // The same for a word already in ASCII lower case, which the scan makes
    // once for all three lists.
    QString lookupLowerCase(const QString& lowerCaseWord) const;
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

// The colouring of a C text `text` (CR LF line breaks), as runs in text order:
// keywords, numbers and comments with their colour and weight, and the letter
// case fix of data-type and reserved keywords. Text outside the runs keeps its
// format. A case fix only ever changes the letter case of the word's own
// letters, so applying the runs never moves any text.
QVector<FormatRun> scanColorRuns(const QString& text, const KeywordLists& lists);

} // namespace tarvo
