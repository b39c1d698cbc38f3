#include "text_codec.h"

#include <QStringDecoder>

namespace tarvo {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

LineEnd detectLineEnd(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            return LineEnd::Lf;
        if (bytes[i] == '\r')
            return (i + 1 < bytes.size() && bytes[i + 1] == '\n') ? LineEnd::CrLf : LineEnd::Cr;
    }
    return LineEnd::CrLf;
}

QString normaliseBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool fitsLatin1(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

} // namespace

DecodedText decodeText(const QByteArray& bytes) {
    DecodedText out;
    QByteArray body = bytes;
    if (body.startsWith(kUtf8Bom)) {
        out.format.utf8Bom = true;
        body = body.mid(kUtf8Bom.size());
    }
    out.format.lineEnd = detectLineEnd(body);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (utf8.hasError() && !out.format.utf8Bom) {
        // Not UTF-8: keep every byte as the character of the same code.
        out.format.encoding = TextEncoding::Latin1;
        text = QString::fromLatin1(body);
    } else {
        out.format.encoding = TextEncoding::Utf8;
    }
    out.text = normaliseBreaks(text);
    return out;
}

QByteArray encodeText(const QString& text, const TextFileFormat& format) {
    QString body = normaliseBreaks(text);
    switch (format.lineEnd) {
    case LineEnd::CrLf:
        body.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        break;
    case LineEnd::Cr:
        body.replace(QLatin1Char('\n'), QLatin1Char('\r'));
        break;
    case LineEnd::Lf:
        break;
    }
    // A character that an 8-bit file cannot hold must not be lost: such a
    // text is written as UTF-8 instead.
    if (format.encoding == TextEncoding::Latin1 && fitsLatin1(body))
        return body.toLatin1();
    QByteArray out = format.utf8Bom ? kUtf8Bom : QByteArray();
    out += body.toUtf8();
    return out;
}

} // namespace tarvo
