#include "text_codec.h"

#include <algorithm>
#include <array>

namespace tarvo {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Characters a text document turns into block breaks; they are kept as
// stand-ins 0, 1, 2 ... of the stand-in block. Raw bytes use 0x80 to 0xFF.
constexpr std::array<char16_t, 3> kConverted = {0x2029, 0xFDD0, 0xFDD1};

constexpr char16_t kPrivateUseFirst = 0xE000;
constexpr int kStandInBlocks = 25; // U+E000 to U+F8FF in blocks of 256

int convertedIndex(char32_t cp) {
    for (size_t i = 0; i < kConverted.size(); ++i)
        if (kConverted[i] == cp)
            return int(i);
    return -1;
}

// Length of the valid UTF-8 sequence at `p` (shortest form, no surrogates,
// at most U+10FFFF) and its code point; 0 when the byte at `p` starts none.
int utf8Sequence(const uchar* p, const uchar* end, char32_t* cp) {
    const uchar b = p[0];
    auto cont = [&](int i, uchar lo = 0x80, uchar hi = 0xBF) {
        return p + i < end && p[i] >= lo && p[i] <= hi;
    };
    if (b < 0x80) {
        *cp = b;
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF && cont(1)) {
        *cp = char32_t(b & 0x1F) << 6 | (p[1] & 0x3F);
        return 2;
    }
    if (b >= 0xE0 && b <= 0xEF) {
        const uchar lo = b == 0xE0 ? 0xA0 : 0x80;
        const uchar hi = b == 0xED ? 0x9F : 0xBF;
        if (!cont(1, lo, hi) || !cont(2))
            return 0;
        *cp = char32_t(b & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        const uchar lo = b == 0xF0 ? 0x90 : 0x80;
        const uchar hi = b == 0xF4 ? 0x8F : 0xBF;
        if (!cont(1, lo, hi) || !cont(2) || !cont(3))
            return 0;
        *cp = char32_t(b & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6 |
              (p[3] & 0x3F);
        return 4;
    }
    return 0;
}

struct BodyScan {
    bool validUtf8 = true;
    quint32 usedBlocks = 0; // bit k: the file holds a character of stand-in block k
};

BodyScan scanBody(const uchar* p, const uchar* end) {
    BodyScan scan;
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        char32_t cp = 0;
        const int n = utf8Sequence(p, end, &cp);
        if (n == 0) {
            scan.validUtf8 = false;
            ++p;
            continue;
        }
        if (cp >= kPrivateUseFirst && cp < kPrivateUseFirst + 256u * kStandInBlocks)
            scan.usedBlocks |= 1u << ((cp - kPrivateUseFirst) / 256);
        p += n;
    }
    return scan;
}

LineEnd mostUsed(const std::array<qsizetype, 4>& counts) {
    LineEnd best = LineEnd::CrLf; // also for a file without line breaks
    for (LineEnd e : {LineEnd::Lf, LineEnd::Cr})
        if (counts[size_t(e)] > counts[size_t(best)])
            best = e;
    return best;
}

} // namespace

QByteArray lineEndBytes(LineEnd end) {
    switch (end) {
    case LineEnd::CrLf:
        return QByteArrayLiteral("\r\n");
    case LineEnd::Lf:
        return QByteArrayLiteral("\n");
    case LineEnd::Cr:
        return QByteArrayLiteral("\r");
    case LineEnd::None:
        break;
    }
    return {};
}

QVector<quint32> lineStarts(const QByteArray& bytes, qsizetype prefixSize) {
    QVector<quint32> starts{quint32(prefixSize)};
    const char* data = bytes.constData();
    const qsizetype n = bytes.size();
    for (qsizetype i = prefixSize; i < n; ++i) {
        if (data[i] == '\r' && i + 1 < n && data[i + 1] == '\n')
            ++i;
        if (data[i] == '\r' || data[i] == '\n')
            starts.append(quint32(i + 1));
    }
    starts.append(quint32(n));
    return starts;
}

DecodedText decodeText(const QByteArray& bytes) {
    DecodedText out;
    qsizetype start = 0;
    while (bytes.mid(start, kUtf8Bom.size()) == kUtf8Bom)
        start += kUtf8Bom.size();
    out.format.prefix = bytes.left(start);
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData()) + start;
    const auto* end = reinterpret_cast<const uchar*>(bytes.constData()) + bytes.size();

    const BodyScan scan = scanBody(p, end);
    bool utf8 = scan.validUtf8 || start > 0;
    int block = 0;
    while (block < kStandInBlocks && (scan.usedBlocks & (1u << block)))
        ++block;
    if (block == kStandInBlocks) {
        // Every block occurs in the file: 8-bit text needs no stand-in for bytes.
        utf8 = false;
        block = 0;
    }
    const char16_t standIns = char16_t(kPrivateUseFirst + 256 * block);
    out.format.encoding = utf8 ? TextEncoding::Utf8 : TextEncoding::Latin1;
    out.format.standIns = standIns;

    // Never more UTF-16 units than bytes.
    out.text.resize(end - p);
    QChar* o = out.text.data();
    std::array<qsizetype, 4> counts{};
    auto lineEnd = [&](LineEnd e) {
        *o++ = QLatin1Char('\n');
        out.lineEnds.append(char(e));
        ++counts[size_t(e)];
    };
    auto put = [&](char32_t cp) {
        const int converted = convertedIndex(cp);
        if (converted >= 0) {
            *o++ = QChar(char16_t(standIns + converted));
        } else if (cp > 0xFFFF) {
            *o++ = QChar(QChar::highSurrogate(cp));
            *o++ = QChar(QChar::lowSurrogate(cp));
        } else {
            *o++ = QChar(char16_t(cp));
        }
    };
    while (p < end) {
        const uchar b = *p;
        if (b == '\r') {
            const bool crlf = p + 1 < end && p[1] == '\n';
            lineEnd(crlf ? LineEnd::CrLf : LineEnd::Cr);
            p += crlf ? 2 : 1;
        } else if (b == '\n') {
            lineEnd(LineEnd::Lf);
            ++p;
        } else if (b < 0x80) {
            *o++ = QLatin1Char(char(b));
            ++p;
        } else if (!utf8) {
            put(b);
            ++p;
        } else {
            char32_t cp = 0;
            const int n = utf8Sequence(p, end, &cp);
            if (n == 0) {
                *o++ = QChar(char16_t(standIns + b));
                ++p;
            } else {
                put(cp);
                p += n;
            }
        }
    }
    out.text.truncate(o - out.text.constData());
    out.lineEnds.append(char(LineEnd::None));
    out.format.typedLineEnd = mostUsed(counts);
    return out;
}

QByteArray encodeText(const DecodedText& decoded) {
    TextEncoder encoder(decoded.format, decoded.text.size());
    QStringView rest(decoded.text);
    for (qsizetype line = 0;; ++line) {
        const qsizetype nl = rest.indexOf(QLatin1Char('\n'));
        if (nl < 0) {
            encoder.addLine(rest, LineEnd::None);
            return encoder.take();
        }
        LineEnd end =
            line < decoded.lineEnds.size() ? LineEnd(decoded.lineEnds.at(line)) : LineEnd::None;
        if (end == LineEnd::None)
            end = decoded.format.typedLineEnd;
        encoder.addLine(rest.left(nl), end);
        rest = rest.mid(nl + 1);
    }
}

TextEncoder::TextEncoder(const TextFileFormat& format, qsizetype expectedSize) : m_format(format) {
    m_out.reserve(format.prefix.size() + expectedSize);
    m_out.append(format.prefix);
}

void TextEncoder::addCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp <= 0xFF && m_format.encoding == TextEncoding::Latin1)) {
        m_out.append(char(cp));
    } else if (cp < 0x800) {
        m_out.append(char(0xC0 | cp >> 6));
        m_out.append(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        m_out.append(char(0xE0 | cp >> 12));
        m_out.append(char(0x80 | (cp >> 6 & 0x3F)));
        m_out.append(char(0x80 | (cp & 0x3F)));
    } else {
        m_out.append(char(0xF0 | cp >> 18));
        m_out.append(char(0x80 | (cp >> 12 & 0x3F)));
        m_out.append(char(0x80 | (cp >> 6 & 0x3F)));
        m_out.append(char(0x80 | (cp & 0x3F)));
    }
}

void TextEncoder::addLine(QStringView line, LineEnd end) {
    const char16_t* p = line.utf16();
    const char16_t* stop = p + line.size();
    while (p < stop) {
        const char16_t u = *p++;
        if (u < 0x80) {
            m_out.append(char(u));
            continue;
        }
        const int standIn = u - m_format.standIns;
        if (standIn >= 0x80 && standIn < 0x100) {
            m_out.append(char(standIn));
            continue;
        }
        if (standIn >= 0 && standIn < int(kConverted.size())) {
            addCodePoint(kConverted[size_t(standIn)]);
            continue;
        }
        if (QChar::isHighSurrogate(u) && p < stop && QChar::isLowSurrogate(*p)) {
            addCodePoint(QChar::surrogateToUcs4(u, *p++));
            continue;
        }
        // A lone surrogate has no encoding; U+FFFD marks the spot.
        addCodePoint(QChar::isSurrogate(u) ? char32_t(0xFFFD) : char32_t(u));
    }
    m_out.append(lineEndBytes(end));
}

bool TextEncoder::writesAs(QStringView line, LineEnd end, QByteArrayView bytes) {
    // An ASCII character is its own byte in every encoding, so a mismatch
    // within the ASCII start of the line settles the answer.
    const char16_t* p = line.utf16();
    const qsizetype common = std::min(line.size(), bytes.size());
    qsizetype i = 0;
    for (; i < common && p[i] < 0x80; ++i)
        if (uchar(bytes[i]) != p[i])
            return false;
    if (i == line.size())
        return bytes.sliced(i) == QByteArrayView(lineEndBytes(end));
    if (p[i] < 0x80) // more ASCII than bytes
        return false;
    restart();
    addLine(line, end);
    return QByteArrayView(m_out) == bytes;
}

} // namespace tarvo
