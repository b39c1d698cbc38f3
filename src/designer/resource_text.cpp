#include "resource_text.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvo {

namespace {

// The character at `i`, or a null one past the end.
QChar charAt(QStringView text, qsizetype i) {
    return i < text.size() ? text[i] : QChar();
}

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

std::optional<qint16> roundToInt16(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    // The default rounding mode takes halves to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(rounded);
}

// Length of the identifier written at `pos` as a lookup must see it: an
// optional minus sign and the digits after it.
int identifierLength(QStringView text, int pos) {
    int end = pos;
    if (charAt(text, end) == QLatin1Char('-'))
        ++end;
    while (isAsciiDigit(charAt(text, end)))
        ++end;
    return end - pos;
}

} // namespace

std::optional<qint16> toInt16(QStringView text) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        return std::nullopt;
    return roundToInt16(value);
}

std::optional<qint16> leadingInt16(QStringView text) {
    int pos = 0;
    while (charAt(text, pos).isSpace())
        ++pos;
    const int start = pos;
    if (charAt(text, pos) == QLatin1Char('-') || charAt(text, pos) == QLatin1Char('+'))
        ++pos;
    const int digitsStart = pos;
    while (isAsciiDigit(charAt(text, pos)))
        ++pos;
    int digits = pos - digitsStart;
    if (charAt(text, pos) == QLatin1Char('.')) {
        const int fractionStart = ++pos;
        while (isAsciiDigit(charAt(text, pos)))
            ++pos;
        digits += pos - fractionStart;
    }
    if (digits == 0)
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(text.mid(start, pos - start), &ok);
    return ok ? roundToInt16(value) : std::nullopt;
}

QString wholeNumberText(float value) {
    return QString::number(qint64(std::nearbyint(double(value))));
}

int findText(QStringView text, QStringView what, int from) {
    if (what.isEmpty() || from < 0 || from > text.size())
        return -1;
    const char16_t first = what[0].unicode();
    const bool caseless = first < 128 && !((first | 0x20) >= u'a' && (first | 0x20) <= u'z');
    if (!caseless)
        return int(text.indexOf(what, from, Qt::CaseInsensitive));
    // Every key and marker starts with a character without letter case (LF,
    // "#", "("): finding that character is far quicker than a search that
    // folds the case of the whole text, and only its hits are compared.
    const QStringView rest = what.mid(1);
    const qsizetype last = text.size() - what.size();
    for (qsizetype i = text.indexOf(what[0], from); i >= 0 && i <= last;
         i = text.indexOf(what[0], i + 1)) {
        if (text.mid(i + 1, rest.size()).compare(rest, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int findIdLine(QStringView text, qint16 id, int from) {
    // One search for the whole line start rather than one per identifier
    // line: a page of objects in a long text looks up many identifiers.
    const QString line = ResourceKeys::IdLine + QString::number(id);
    for (int r = findText(text, line, from); r >= 0; r = findText(text, line, r + 1)) {
        const int after = r + int(line.size());
        if (after == text.size() || !isAsciiDigit(text[after]))
            return r;
    }
    return -1;
}

int findBlockEnd(QStringView text, int idLine) {
    const int next = findText(text, ResourceKeys::IdLine, idLine + 1);
    return next < 0 ? int(text.size()) : next;
}

TextSpan findValueInBlock(QStringView text, int idLine, int blockEnd, QStringView key) {
    if (idLine < 0 || blockEnd > text.size() || blockEnd < idLine)
        return {};
    const QStringView block = text.mid(idLine, blockEnd - idLine);
    const int k = findText(block, key, 0);
    if (k < 0)
        return {};
    const int valueStart = k + int(key.size());
    const int cr = int(block.indexOf(QLatin1Char('\r'), valueStart));
    if (cr < 0)
        return {};
    return {idLine + valueStart, cr - valueStart};
}

TextSpan findObjectValue(QStringView text, qint16 id, QStringView key) {
    const int line = findIdLine(text, id);
    if (line < 0)
        return {};
    return findValueInBlock(text, line, findBlockEnd(text, line), key);
}

IdLineIndex::IdLineIndex(QStringView text) : m_text(text), m_firstLineOfId(65536, -1) {
    const int keyLength = int(ResourceKeys::IdLine.size());
    for (int r = findText(text, ResourceKeys::IdLine, 0); r >= 0;
         r = findText(text, ResourceKeys::IdLine, r + 1)) {
        m_lines.push_back(r);
        const int start = r + keyLength;
        const int length = identifierLength(text, start);
        // Only the identifier's own decimal text is matched by a lookup:
        // no leading zeros, no "-0", nothing beyond 16 bits.
        if (length == 0 || length > 6)
            continue;
        bool ok = false;
        const int id = text.mid(start, length).toInt(&ok);
        if (!ok || id < -32768 || id > 32767 || QString::number(id) != text.mid(start, length))
            continue;
        int& first = m_firstLineOfId[size_t(id + 32768)];
        if (first < 0)
            first = r;
    }
}

int IdLineIndex::lineOf(qint16 id) const {
    return m_firstLineOfId[size_t(int(id) + 32768)];
}

int IdLineIndex::blockEnd(int idLine) const {
    const auto next = std::upper_bound(m_lines.begin(), m_lines.end(), idLine);
    return next == m_lines.end() ? int(m_text.size()) : *next;
}

TextSpan IdLineIndex::findObjectValue(qint16 id, QStringView key) const {
    const int line = lineOf(id);
    if (line < 0)
        return {};
    return findValueInBlock(m_text, line, blockEnd(line), key);
}

} // namespace tarvo
