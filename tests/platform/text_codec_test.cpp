#include "platform/text_codec.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

TEST(DecodeText, NormalisesBreaksRemembersTheFormatAndEncodesBackByteForByte) {
    constexpr auto U = TextEncoding::Utf8;
    const struct {
        QByteArray bytes;
        QString text;
        LineEnd lineEnd;
        TextEncoding encoding;
        bool bom;
    } rows[] = {{"", "", LineEnd::CrLf, U, false},
                {"\r\n\r\nx\r\n", "\n\nx\n", LineEnd::CrLf, U, false},
                {"a\nb", "a\nb", LineEnd::Lf, U, false},
                {"a\rb\r", "a\nb\n", LineEnd::Cr, U, false},
                {"caf\xe9 \xb0", QString::fromLatin1("caf\xe9 \xb0"), LineEnd::CrLf,
                 TextEncoding::Latin1, false},
                {"caf\xc3\xa9", QString::fromUtf8("caf\xc3\xa9"), LineEnd::CrLf, U, false},
                {"\xEF\xBB\xBFx\r\n", "x\n", LineEnd::CrLf, U, true}};
    for (const auto& r : rows) {
        const DecodedText got = decodeText(r.bytes);
        EXPECT_EQ(got.text, r.text);
        EXPECT_EQ(got.format.lineEnd, r.lineEnd) << r.bytes.constData();
        EXPECT_EQ(got.format.encoding, r.encoding) << r.bytes.constData();
        EXPECT_EQ(got.format.utf8Bom, r.bom);
        EXPECT_EQ(encodeText(got.text, got.format), r.bytes);
    }
}

TEST(EncodeText, WritesTheChosenBreaksForAnyInputBreaks) {
    const QString text = QStringLiteral("a\r\nb\nc\rd");
    EXPECT_EQ(encodeText(text, {LineEnd::CrLf, TextEncoding::Utf8, false}),
              QByteArray("a\r\nb\r\nc\r\nd"));
    EXPECT_EQ(encodeText(text, {LineEnd::Lf, TextEncoding::Utf8, false}), QByteArray("a\nb\nc\nd"));
    EXPECT_EQ(encodeText(text, {LineEnd::Cr, TextEncoding::Utf8, true}), QByteArray("\xEF\xBB\xBF"
                                                                                    "a\rb\rc\rd"));
}

TEST(EncodeText, Latin1TextThatCannotHoldACharacterFallsBackToUtf8) {
    const TextFileFormat latin1{LineEnd::Lf, TextEncoding::Latin1, false};
    EXPECT_EQ(encodeText(QString::fromLatin1("\xe9"), latin1), QByteArray("\xe9"));
    EXPECT_EQ(encodeText(QString::fromUtf8("\xe2\x82\xac"), latin1), QByteArray("\xe2\x82\xac"));
}

} // namespace
