#include "diagnostics.h"

#include <algorithm>
#include <climits>

namespace tarvo {

namespace {

struct SeverityWord {
    QLatin1String word;
    Severity severity;
};

// "fatal error" before "error", so that the longer word wins.
const SeverityWord kSeverityWords[] = {
    {QLatin1String("fatal error"), Severity::Error},
    {QLatin1String("error"), Severity::Error},
    {QLatin1String("warning"), Severity::Warning},
    {QLatin1String("note"), Severity::Note},
};

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

qsizetype skipBlanks(QStringView line, qsizetype pos) {
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    return pos;
}

// The length of the severity word at `pos` (any letter case), or 0.
qsizetype matchSeverity(QStringView line, qsizetype pos, Severity* severity) {
    for (const SeverityWord& w : kSeverityWords) {
        const qsizetype length = w.word.size();
        if (pos + length <= line.size() &&
            line.mid(pos, length).compare(w.word, Qt::CaseInsensitive) == 0) {
            *severity = w.severity;
            return length;
        }
    }
    return 0;
}

// Start of the run of digits that ends just before `end`.
qsizetype digitsStart(QStringView line, qsizetype end) {
    while (end > 0 && isDigit(line[end - 1]))
        --end;
    return end;
}

// Saturates: a number past the end of the file is still a place to go to.
int toNumber(QStringView digits) {
    qint64 value = 0;
    for (QChar c : digits) {
        value = value * 10 + c.digitValue();
        if (value > INT_MAX)
            return INT_MAX;
    }
    return int(value);
}

// One candidate reading of a line: where its parts lie.
struct Match {
    qsizetype fileEnd = 0;
    QStringView lineDigits;
    QStringView columnDigits;
    Severity severity = Severity::Error;
    qsizetype severityPos = -1;
    qsizetype messageStart = 0;
};

// "FILE:LINE:COL: SEVERITY: MSG" or "FILE:LINE: SEVERITY: MSG". Each digit run
// is looked at from at most two colons, so the scan stays linear.
bool matchColonForm(QStringView line, Match* m) {
    for (qsizetype colon = line.indexOf(QLatin1Char(':')); colon >= 0;
         colon = line.indexOf(QLatin1Char(':'), colon + 1)) {
        const qsizetype wordPos = skipBlanks(line, colon + 1);
        if (wordPos == colon + 1)
            continue;
        const qsizetype wordLength = matchSeverity(line, wordPos, &m->severity);
        const qsizetype afterWord = wordPos + wordLength;
        if (wordLength == 0 || afterWord >= line.size() || line[afterWord] != QLatin1Char(':'))
            continue;
        const qsizetype last = digitsStart(line, colon);
        if (last == colon || last < 2 || line[last - 1] != QLatin1Char(':'))
            continue;
        const qsizetype first = digitsStart(line, last - 1);
        if (first < last - 1 && first >= 2 && line[first - 1] == QLatin1Char(':')) {
            m->fileEnd = first - 1;
            m->lineDigits = line.mid(first, last - 1 - first);
            m->columnDigits = line.mid(last, colon - last);
        } else {
            m->fileEnd = last - 1;
            m->lineDigits = line.mid(last, colon - last);
            m->columnDigits = {};
        }
        m->severityPos = wordPos;
        m->messageStart = skipBlanks(line, afterWord + 1);
        return true;
    }
    return false;
}

// "FILE(LINE): SEVERITY MSG", "FILE(LINE) : SEVERITY MSG", "FILE(LINE,COL): ...".
bool matchParenForm(QStringView line, Match* m) {
    for (qsizetype close = line.indexOf(QLatin1Char(')')); close >= 0;
         close = line.indexOf(QLatin1Char(')'), close + 1)) {
        qsizetype open = digitsStart(line, close);
        if (open == close)
            continue;
        QStringView lineDigits = line.mid(open, close - open);
        QStringView columnDigits;
        if (open > 0 && line[open - 1] == QLatin1Char(',')) {
            const qsizetype start = digitsStart(line, open - 1);
            if (start == open - 1)
                continue;
            columnDigits = lineDigits;
            lineDigits = line.mid(start, open - 1 - start);
            open = start;
        }
        if (open < 2 || line[open - 1] != QLatin1Char('('))
            continue;
        qsizetype pos = skipBlanks(line, close + 1);
        if (pos >= line.size() || line[pos] != QLatin1Char(':'))
            continue;
        pos = skipBlanks(line, pos + 1);
        const qsizetype wordLength = matchSeverity(line, pos, &m->severity);
        const qsizetype afterWord = pos + wordLength;
        if (wordLength == 0 || (afterWord < line.size() && !isBlank(line[afterWord]) &&
                                line[afterWord] != QLatin1Char(':')))
            continue;
        m->fileEnd = open - 1;
        m->lineDigits = lineDigits;
        m->columnDigits = columnDigits;
        m->severityPos = pos;
        qsizetype message = skipBlanks(line, afterWord);
        if (message < line.size() && line[message] == QLatin1Char(':'))
            message = skipBlanks(line, message + 1);
        m->messageStart = message;
        return true;
    }
    return false;
}

bool parseLine(QStringView line, Diagnostic* d) {
    Match colon;
    Match paren;
    const bool hasColon = matchColonForm(line, &colon);
    const bool hasParen = matchParenForm(line, &paren);
    if (!hasColon && !hasParen)
        return false;
    // The reading whose severity word comes first: later ones are message text.
    const Match& m =
        !hasParen || (hasColon && colon.severityPos < paren.severityPos) ? colon : paren;
    // Lines echoing source code start with blanks; a file name does not.
    if (isBlank(line[0]))
        return false;
    qsizetype messageEnd = line.size();
    while (messageEnd > m.messageStart && isBlank(line[messageEnd - 1]))
        --messageEnd;
    d->file = line.left(m.fileEnd).toString();
    d->line = std::max(1, toNumber(m.lineDigits));
    d->column = toNumber(m.columnDigits);
    d->severity = m.severity;
    d->message = line.mid(m.messageStart, messageEnd - m.messageStart).toString();
    return true;
}

} // namespace

QList<Diagnostic> parseDiagnostics(QStringView text) {
    QList<Diagnostic> found;
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (qsizetype index = 0;; ++index) {
        qsizetype end = start;
        while (end < size && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
            ++end;
        Diagnostic d;
        if (end > start && parseLine(text.mid(start, end - start), &d)) {
            d.consoleLine = index;
            d.lineStart = start;
            d.lineLength = end - start;
            found.append(std::move(d));
        }
        if (end >= size)
            break;
        const bool crLf =
            text[end] == QLatin1Char('\r') && end + 1 < size && text[end + 1] == QLatin1Char('\n');
        start = end + (crLf ? 2 : 1);
    }
    return found;
}

qsizetype diagnosticAtPosition(const QList<Diagnostic>& diagnostics, qsizetype position) {
    const auto after =
        std::upper_bound(diagnostics.begin(), diagnostics.end(), position,
                         [](qsizetype pos, const Diagnostic& d) { return pos < d.lineStart; });
    if (after == diagnostics.begin())
        return -1;
    const auto it = after - 1;
    return position <= it->lineStart + it->lineLength ? it - diagnostics.begin() : -1;
}

QString severityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return QStringLiteral("error");
    case Severity::Warning:
        return QStringLiteral("warning");
    case Severity::Note:
        return QStringLiteral("note");
    }
    return {};
}

} // namespace tarvo
