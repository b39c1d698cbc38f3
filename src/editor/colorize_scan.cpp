#include "colorize_scan.h"

namespace tarvo {

namespace {

bool isWordChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u'_' || u == u'#';
}

bool isDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Into `out`, whose buffer is reused from word to word.
void asciiLowerInto(QStringView word, QString& out) {
    out.resize(word.size());
    QChar* d = out.data();
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t u = word[i].unicode();
        d[i] = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u);
    }
}

QString asciiLower(QStringView word) {
    QString lower;
    asciiLowerInto(word, lower);
    return lower;
}

bool isWord(QStringView s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        if (!isWordChar(c))
            return false;
    }
    return true;
}

// What the three lists say about one lower-case word, so that each word of
// the text costs one lookup.
struct KeywordEntry {
    QString dataType; // the list's letters, null when not listed
    QString reserved;
    bool extra = false;
};

QHash<QString, KeywordEntry> combined(const KeywordLists& lists) {
    QHash<QString, KeywordEntry> table;
    for (auto it = lists.dataTypes.entries().cbegin(); it != lists.dataTypes.entries().cend(); ++it)
        table[it.key()].dataType = it.value();
    for (auto it = lists.reserved.entries().cbegin(); it != lists.reserved.entries().cend(); ++it)
        table[it.key()].reserved = it.value();
    for (auto it = lists.extra.entries().cbegin(); it != lists.extra.entries().cend(); ++it)
        table[it.key()].extra = true;
    return table;
}

// The pass over the text; runs are appended in the order they are found.
class Scanner {
public:
    Scanner(const QString& text, const KeywordLists& lists)
        : m_text(text), m_keywords(combined(lists)) {
        // Roughly one run per ten characters of C text.
        m_runs.reserve(m_text.size() / 10 + 16);
    }

    QVector<FormatRun> run() {
        const int n = int(m_text.size());
        int p = 0;
        while (p < n) {
            const QChar c = m_text[p];
            if (isWordChar(c)) {
                appendToWord(p);
                ++p;
            } else if (c == u'"') {
                const int close = int(m_text.indexOf(u'"', p + 1));
                if (close < 0)
                    break;
                p = close + 1;
            } else if (c == u'/' && p + 1 < n && m_text[p + 1] == u'*') {
                p = blockComment(p);
            } else if (c == u'/' && p + 1 < n && m_text[p + 1] == u'/') {
                p = lineComment(p);
            } else if (c == u'/') {
                ++p;
            } else if (isDigit(c)) {
                int end = p + 1;
                while (end < n && isDigit(m_text[end]))
                    ++end;
                add(p, end - p, ColorizeColors::Number, false);
                p = end;
            } else {
                endWord();
                ++p;
            }
        }
        // A word still pending at the end of the text is not looked up.
        return std::move(m_runs);
    }

private:
    void appendToWord(int p) {
        if (m_wordLength == 0)
            m_wordStart = p;
        ++m_wordLength;
    }

    void endWord() {
        if (m_wordLength == 0)
            return;
        const int start = m_wordStart;
        const int length = m_wordLength;
        m_wordLength = 0;
        // The word is read from the text, not from the letters collected: the
        // span of letters scattered around a number, literal or comment (in1t)
        // holds those other characters too, so no list entry can equal it and
        // the span stays unformatted and unchanged.
        const QStringView word = QStringView(m_text).mid(start, length);
        // A data-type or reserved keyword takes its list's colour and letters;
        // the first list wins when both hold the word, and the extra list's
        // bold then does not apply.
        asciiLowerInto(word, m_key);
        const auto it = m_keywords.constFind(m_key);
        if (it == m_keywords.constEnd())
            return;
        const KeywordEntry& k = it.value();
        if (!k.dataType.isNull() || !k.reserved.isNull()) {
            const bool dataType = !k.dataType.isNull();
            const QString& letters = dataType ? k.dataType : k.reserved;
            FormatRun& r =
                add(start, length, dataType ? ColorizeColors::DataType : ColorizeColors::Reserved,
                    false);
            if (letters != word)
                r.caseFix = letters;
        } else if (k.extra) {
            add(start, length, ColorizeColors::Extra, true);
        }
    }

    // From "/*" through the closing "*/" (searched from the opening asterisk)
    // or to the end of the text; every line part grey, only the last part
    // also set not bold. Returns the position after the comment.
    int blockComment(int p) {
        const int n = int(m_text.size());
        const int close = int(m_text.indexOf(QLatin1String("*/"), p + 1));
        const int end = close < 0 ? n : close + 2;
        int partStart = p;
        for (;;) {
            const int br = int(m_text.indexOf(QLatin1String("\r\n"), partStart));
            if (br < 0 || br + 2 > end)
                break;
            add(partStart, br + 2 - partStart, ColorizeColors::Comment, std::nullopt);
            partStart = br + 2;
        }
        if (end > partStart)
            add(partStart, end - partStart, ColorizeColors::Comment, false);
        return end;
    }

    // From "//" through the CR LF ending its line, or to the end of the text;
    // the scan goes on at the line break, which ends a pending word.
    int lineComment(int p) {
        const int br = int(m_text.indexOf(QLatin1String("\r\n"), p + 2));
        const int end = br < 0 ? int(m_text.size()) : br + 2;
        add(p, end - p, ColorizeColors::Comment, false);
        return br < 0 ? end : br;
    }

    FormatRun& add(int start, int length, const QColor& color, std::optional<bool> bold) {
        FormatRun r;
        r.start = start;
        r.length = length;
        r.color = color;
        r.bold = bold;
        m_runs.append(std::move(r));
        return m_runs.last();
    }

    const QString& m_text;
    const QHash<QString, KeywordEntry> m_keywords;
    QVector<FormatRun> m_runs;
    int m_wordStart = 0;
    int m_wordLength = 0;
    QString m_key; // the pending word in lower case
};

} // namespace

KeywordList::KeywordList(const QString& list) {
    // Entries lie between neighbouring asterisks. Only entries made of word
    // characters can ever equal a word of the text.
    const QStringList entries = list.split(u'*');
    for (qsizetype i = 1; i + 1 < entries.size(); ++i) {
        const QString& entry = entries[i];
        if (!isWord(entry))
            continue;
        const QString key = asciiLower(entry);
        if (!m_byLowerCase.contains(key))
            m_byLowerCase.insert(key, entry);
    }
}

QString KeywordList::lookup(QStringView word) const {
    return lookupLowerCase(asciiLower(word));
}

QString KeywordList::lookupLowerCase(const QString& lowerCaseWord) const {
    const auto it = m_byLowerCase.constFind(lowerCaseWord);
    return it == m_byLowerCase.constEnd() ? QString() : it.value();
}

QVector<FormatRun> scanColorRuns(const QString& text, const KeywordLists& lists) {
    return Scanner(text, lists).run();
}

} // namespace tarvo
