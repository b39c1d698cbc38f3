// Any file's bytes: decoded and encoded again they come back exactly, the text holds nothing
// the document would make a line break, and changing one line changes only its bytes.
#include "platform/text_codec.h"
#include "fuzz_check.h"

using namespace tarvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);
    DecodedText decoded = decodeText(bytes);
    FUZZ_CHECK(encodeText(decoded) == bytes);
    FUZZ_CHECK(!decoded.text.contains(QLatin1Char('\r')));
    for (char16_t converted : {u'\u2029', u'\uFDD0', u'\uFDD1'})
        FUZZ_CHECK(!decoded.text.contains(QChar(converted)));

    QStringList lines = decoded.text.split(QLatin1Char('\n'));
    FUZZ_CHECK(lines.size() == decoded.lineEnds.size());
    const QVector<quint32> starts = lineStarts(bytes, decoded.format.prefix.size());
    FUZZ_CHECK(starts.size() == lines.size() + 1 && starts.last() == quint32(bytes.size()));

    // Text that an 8-bit file cannot hold, a stand-in and a lone surrogate.
    const qsizetype k = size > 0 ? data[0] % lines.size() : 0;
    lines[k] = QStringLiteral("\u00e9\u20ac") + QChar(decoded.format.standIns + 0xE9) +
               QChar(0xD800) + lines[k];
    TextEncoder line(decoded.format);
    line.restart();
    line.addLine(lines[k], LineEnd(decoded.lineEnds[k]));
    decoded.text = lines.join(QLatin1Char('\n'));
    const QByteArray expected =
        bytes.left(qsizetype(starts[k])) + line.bytes() + bytes.mid(qsizetype(starts[k + 1]));
    FUZZ_CHECK(encodeText(decoded) == expected);
    return 0;
}
