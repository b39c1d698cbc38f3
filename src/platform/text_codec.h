#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QVector>

#include <utility>

namespace tarvo {

// How one line ends in the file. The last line has none.
enum class LineEnd : quint8 { None = 0, CrLf = 1, Lf = 2, Cr = 3 };
enum class TextEncoding : quint8 { Utf8, Latin1 };

// Everything besides the text that is needed to write a file's bytes back.
struct TextFileFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    QByteArray prefix; // the byte-order marks the file starts with, however many
    // First of 256 private-use code points that stand for bytes invalid in the
    // encoding and for characters the text widget would turn into line breaks;
    // chosen so that the file itself holds none of them.
    char16_t standIns = 0xE000;
    LineEnd typedLineEnd = LineEnd::CrLf; // the file's most used; new files CR LF
};

struct DecodedText {
    QString text;        // the lines joined by '\n'; no line holds CR or LF
    QByteArray lineEnds; // a LineEnd per line, None for the last
    TextFileFormat format;
};

// Bytes -> text that a text document keeps character for character. Text after
// UTF-8 byte-order marks, or valid UTF-8 without them, is read as UTF-8 (bytes
// invalid in it get stand-ins); any other file as 8-bit text, byte for byte.
DecodedText decodeText(const QByteArray& bytes);

// The exact inverse of decodeText: encodeText(decodeText(b)) == b for every b.
// Lines without an entry in lineEnds end in the format's typed line end.
QByteArray encodeText(const DecodedText& decoded);

// Writes lines in a file's format, one at a time, so that a document can be
// saved without first joining its text. A character the 8-bit encoding cannot
// hold is written as UTF-8 rather than lost.
class TextEncoder {
public:
    // Starts with the format's prefix.
    explicit TextEncoder(const TextFileFormat& format, qsizetype expectedSize = 0);
    void restart() { m_out.clear(); } // no prefix: for encoding single lines
    void addLine(QStringView line, LineEnd end);
    qsizetype size() const { return m_out.size(); }
    const QByteArray& bytes() const { return m_out; }
    // Whether `line` ended by `end` is written as exactly `bytes`. Plain ASCII
    // is compared in place; only a line with other characters is encoded
    // (which drops what this encoder holds).
    bool writesAs(QStringView line, LineEnd end, QByteArrayView bytes);
    QByteArray take() { return std::move(m_out); }

private:
    void addCodePoint(char32_t cp);

    TextFileFormat m_format;
    QByteArray m_out;
};

// Where each line of the file's bytes starts (line ends belong to their line),
// the first after the prefix, and then the end of the bytes.
QVector<quint32> lineStarts(const QByteArray& bytes, qsizetype prefixSize);

// The bytes one line end is written as.
QByteArray lineEndBytes(LineEnd end);

} // namespace tarvo
