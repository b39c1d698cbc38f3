#pragma once

#include <QByteArray>
#include <QString>

namespace tarvo {

enum class LineEnd { CrLf, Lf, Cr };
enum class TextEncoding { Utf8, Latin1 };

// How a file's bytes were written, so that saving writes them back the same way.
struct TextFileFormat {
    LineEnd lineEnd = LineEnd::CrLf; // new files use CR LF
    TextEncoding encoding = TextEncoding::Utf8;
    bool utf8Bom = false;
};

struct DecodedText {
    QString text; // line breaks normalised to LF ('\n')
    TextFileFormat format;
};

// Bytes -> text. Valid UTF-8 decodes as UTF-8, anything else byte for byte as
// Latin-1, so that every 8-bit file survives a load and save. The line-end
// style is the first line break found (CR LF when there is none); CR LF, lone
// LF and lone CR all become '\n'.
DecodedText decodeText(const QByteArray& bytes);

// Text (with '\n', '\r\n' or '\r' breaks) -> bytes in the given format.
QByteArray encodeText(const QString& text, const TextFileFormat& format);

} // namespace tarvo
