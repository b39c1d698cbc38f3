#include "platform/text_codec.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

QByteArray ends(std::initializer_list<LineEnd> list) {
    QByteArray out;
    for (LineEnd e : list)
        out.append(char(e));
    return out;
}

// Encoding these rows back, and their line starts, are checked by the fuzz
// target on its corpus, which holds each of them.
TEST(TextCodec, DecodesEveryLineEndBomAndStandIn) {
    constexpr auto N = LineEnd::None, CL = LineEnd::CrLf, L = LineEnd::Lf, C = LineEnd::Cr;
    constexpr auto U8 = TextEncoding::Utf8, L1 = TextEncoding::Latin1;
    const QString e000(QChar(0xE000));
    const QChar kept[] = {QChar(0), QChar(0x0C), QChar(0x2028), QChar(0xFEFF)};
    const struct {
        QByteArray bytes;
        QString text;
        QByteArray lineEnds;
        TextEncoding encoding;
        int prefix;
        LineEnd typed;
    } rows[] = {
        {"", "", ends({N}), U8, 0, CL},
        {"a\rb\r\nc\r\nd\n", "a\nb\nc\nd\n", ends({C, CL, CL, L, N}), U8, 0, CL},
        {"a\nb\r\nc\n", "a\nb\nc\n", ends({L, CL, L, N}), U8, 0, L},
        {"a\rb\r", "a\nb\n", ends({C, C, N}), U8, 0, C},
        {"caf\xe9\r\n", QString::fromLatin1("caf\xe9\n"), ends({CL, N}), L1, 0, CL},
        // Two marks stay; the Latin-1 byte after them gets a stand-in.
        {"\xEF\xBB\xBF\xEF\xBB\xBF\xe9", QString(QChar(0xE0E9)), ends({N}), U8, 6, CL},
        // Characters the document would break lines at get stand-ins.
        {"\xE2\x80\xA9|\xEF\xB7\x90|\xEF\xB7\x91", e000 + "|\uE001|\uE002", ends({N}), U8, 0, CL},
        // Kept as they are: NUL, form feed, U+2028, a mark inside the text.
        {QByteArray("\0\f\xE2\x80\xA8\xEF\xBB\xBF", 8), QString(kept, 4), ends({N}), U8, 0, CL},
        // The file holds U+E000: the stand-ins move to the next block.
        {"\xEF\xBB\xBF\xEE\x80\x80\xff", QString::fromUtf8("\uE000\uE1FF"), ends({N}), U8, 3, CL},
    };
    for (const auto& r : rows) {
        const DecodedText got = decodeText(r.bytes);
        EXPECT_EQ(got.text, r.text) << r.bytes.toHex().constData();
        EXPECT_EQ(got.lineEnds, r.lineEnds) << r.bytes.toHex().constData();
        EXPECT_EQ(got.format.encoding, r.encoding) << r.bytes.toHex().constData();
        EXPECT_EQ(got.format.prefix, r.bytes.left(r.prefix));
        EXPECT_EQ(got.format.typedLineEnd, r.typed) << r.bytes.toHex().constData();
    }
}

TEST(TextEncoder, WritesWhatAnEightBitFileCannotHoldAsUtf8AndNewLinesWithTheTypedEnd) {
    DecodedText d;
    d.format.encoding = TextEncoding::Latin1;
    d.format.typedLineEnd = LineEnd::Lf;
    d.text = QStringLiteral("\u00e9\u20ac\nx\ny");
    d.lineEnds = ends({LineEnd::Cr}); // lines 2 and 3 were typed
    EXPECT_EQ(encodeText(d), QByteArray("\xe9\xe2\x82\xac\rx\ny"));
}

} // namespace
