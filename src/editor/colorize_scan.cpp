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
    const auto it = m_byLowerCase.constFind(asciiLower(word));
    return it == m_byLowerCase.constEnd() ? QString() : it.value();
}

KeywordTable::KeywordTable(const KeywordLists& lists) {
    for (auto it = lists.dataTypes.entries().cbegin(); it != lists.dataTypes.entries().cend(); ++it)
        m_entries[it.key()].dataType = it.value();
    for (auto it = lists.reserved.entries().cbegin(); it != lists.reserved.entries().cend(); ++it)
        m_entries[it.key()].reserved = it.value();
    for (auto it = lists.extra.entries().cbegin(); it != lists.extra.entries().cend(); ++it)
        m_entries[it.key()].extra = true;
}

bool KeywordTable::wordRun(QStringView word, int start, LineRun& run) const {
    asciiLowerInto(word, m_key);
    const auto it = m_entries.constFind(m_key);
    if (it == m_entries.constEnd())
        return false;
    const Entry& e = it.value();
    run = LineRun{start, int(word.size()), TokenKind::Extra, nullptr};
    // A data-type or reserved keyword takes its list's colour and letters; the
    // first list wins when both hold the word, and the extra list's bold then
    // does not apply.
    if (!e.dataType.isNull() || !e.reserved.isNull()) {
        const bool dataType = !e.dataType.isNull();
        const QString& letters = dataType ? e.dataType : e.reserved;
        run.kind = dataType ? TokenKind::DataType : TokenKind::Reserved;
        if (letters != word)
            run.caseFix = &letters;
        return true;
    }
    return e.extra;
}

namespace {

// Marks an open word as no longer standing alone: a digit, slash, comment or
// literal came after its letters without ending it.
void breakWord(ScanState& s) {
    if (s.wordOpen)
        s.wordBroken = true;
}

// A character that is no word character, digit, slash or quote ends the word.
void endWord(ScanState& s, QStringView line, const KeywordTable& table, QVector<LineRun>& runs) {
    if (!s.wordOpen)
        return;
    s.wordOpen = false;
    if (s.wordSpoiled)
        return;
    if (s.wordStart < 0) {
        runs.append({s.wordStart, s.wordLength, TokenKind::EarlierWord, nullptr});
        return;
    }
    LineRun run;
    if (table.wordRun(line.mid(s.wordStart, s.wordLength), s.wordStart, run))
        runs.append(run);
}

} // namespace

void scanLine(QStringView line, ScanState& s, const KeywordTable& table, QVector<LineRun>& runs) {
    const int n = int(line.size());
    const bool hasBreak = line.endsWith(QLatin1String("\r\n"));
    // The last line of a block comment that reaches the end of the text is
    // its last part, set not bold; the lines before keep their weight.
    const TokenKind openCommentKind = hasBreak ? TokenKind::CommentPart : TokenKind::Comment;
    int p = 0;
    if (s.mode == ScanState::Mode::BlockComment) {
        const int close = int(line.indexOf(QLatin1String("*/")));
        if (close < 0) {
            if (n > 0)
                runs.append({0, n, openCommentKind, nullptr});
            p = n;
        } else {
            runs.append({0, close + 2, TokenKind::Comment, nullptr});
            s.mode = ScanState::Mode::Code;
            p = close + 2;
        }
    } else if (s.mode == ScanState::Mode::StringLiteral) {
        const int close = int(line.indexOf(u'"'));
        if (close < 0) {
            p = n;
        } else {
            s.mode = ScanState::Mode::Code;
            p = close + 1;
        }
    }
    while (p < n) {
        const QChar c = line[p];
        if (isWordChar(c)) {
            if (!s.wordOpen) {
                s.wordOpen = true;
                s.wordBroken = s.wordSpoiled = false;
                s.wordStart = p;
                s.wordLength = 0;
            } else if (s.wordBroken) {
                s.wordSpoiled = true;
            }
            ++s.wordLength;
            ++p;
        } else if (c == u'"') {
            // No escapes: the literal ends at the next quote, on whatever line.
            breakWord(s);
            const int close = int(line.indexOf(u'"', p + 1));
            if (close < 0) {
                s.mode = ScanState::Mode::StringLiteral;
                p = n;
            } else {
                p = close + 1;
            }
        } else if (c == u'/' && p + 1 < n && line[p + 1] == u'*') {
            // "*/" is searched from the opening asterisk, so "/*/" is closed.
            breakWord(s);
            const int close = int(line.indexOf(QLatin1String("*/"), p + 1));
            if (close < 0) {
                runs.append({p, n - p, openCommentKind, nullptr});
                s.mode = ScanState::Mode::BlockComment;
                p = n;
            } else {
                runs.append({p, close + 2 - p, TokenKind::Comment, nullptr});
                p = close + 2;
            }
        } else if (c == u'/' && p + 1 < n && line[p + 1] == u'/') {
            // Through the CR LF; the scan goes on at the break, which ends a
            // pending word.
            breakWord(s);
            runs.append({p, n - p, TokenKind::Comment, nullptr});
            p = hasBreak ? n - 2 : n;
        } else if (c == u'/') {
            breakWord(s);
            ++p;
        } else if (isDigit(c)) {
            breakWord(s);
            int end = p + 1;
            while (end < n && isDigit(line[end]))
                ++end;
            runs.append({p, end - p, TokenKind::Number, nullptr});
            p = end;
        } else {
            endWord(s, line, table, runs);
            ++p;
        }
    }
    // A word still open here is carried by a comment or literal over the
    // break, or ends the text and is not looked up. What no longer matters is
    // cleared, so that equal states mean an equal rest of the text.
    if (!s.wordOpen)
        s.wordBroken = s.wordSpoiled = false;
    if (!s.wordOpen || s.wordSpoiled)
        s.wordStart = s.wordLength = 0;
    else
        s.wordStart -= n;
}

QColor tokenColor(TokenKind kind) {
    switch (kind) {
    case TokenKind::DataType:
        return ColorizeColors::DataType;
    case TokenKind::Reserved:
        return ColorizeColors::Reserved;
    case TokenKind::Extra:
        return ColorizeColors::Extra;
    case TokenKind::Number:
        return ColorizeColors::Number;
    case TokenKind::Comment:
    case TokenKind::CommentPart:
    case TokenKind::EarlierWord:
        break;
    }
    return ColorizeColors::Comment;
}

std::optional<bool> tokenBold(TokenKind kind) {
    if (kind == TokenKind::CommentPart)
        return std::nullopt;
    return kind == TokenKind::Extra;
}

QVector<FormatRun> scanColorRuns(const QString& text, const KeywordLists& lists) {
    const KeywordTable table(lists);
    ScanState state;
    QVector<LineRun> runs;
    QVector<FormatRun> out;
    forEachLine(text, [&](int lineStart, QStringView line) {
        runs.clear();
        scanLine(line, state, table, runs);
        for (LineRun r : std::as_const(runs)) {
            const int start = lineStart + r.start;
            if (r.kind == TokenKind::EarlierWord &&
                !table.wordRun(QStringView(text).mid(start, r.length), r.start, r))
                continue;
            FormatRun f;
            f.start = start;
            f.length = r.length;
            f.color = tokenColor(r.kind);
            f.bold = tokenBold(r.kind);
            if (r.caseFix)
                f.caseFix = *r.caseFix;
            out.append(std::move(f));
        }
    });
    return out;
}

} // namespace tarvo
