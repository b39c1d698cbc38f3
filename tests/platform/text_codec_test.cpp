#include "platform/text_codec.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    QString text;
    LineEnd lineEnd;
    TextEncoding encoding;
    bool bom;
};

class DecodeText : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeText, NormalisesBreaksAndRemembersTheFormat) {
    const DecodeCase& c = GetParam();
    const DecodedText got = decodeText(c.bytes);
    EXPECT_EQ(got.text, c.text);
    EXPECT_EQ(got.format.lineEnd, c.lineEnd);
    EXPECT_EQ(got.format.encoding, c.encoding);
    EXPECT_EQ(got.format.utf8Bom, c.bom);
    // Every file comes back byte for byte.
    EXPECT_EQ(encodeText(got.text, got.format), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DecodeText,
    ::testing::Values(
        DecodeCase{"Empty", "", "", LineEnd::CrLf, TextEncoding::Utf8, false},
        DecodeCase{"NoBreak", "int x;", "int x;", LineEnd::CrLf, TextEncoding::Utf8, false},
        DecodeCase{"CrLf", "a\r\nb\r\n", "a\nb\n", LineEnd::CrLf, TextEncoding::Utf8, false},
        DecodeCase{"Lf", "a\nb", "a\nb", LineEnd::Lf, TextEncoding::Utf8, false},
        DecodeCase{"Cr", "a\rb\r", "a\nb\n", LineEnd::Cr, TextEncoding::Utf8, false},
        DecodeCase{"EmptyLines", "\r\n\r\nx", "\n\nx", LineEnd::CrLf, TextEncoding::Utf8, false},
        DecodeCase{"Latin1Bytes", "caf\xe9 \xb0", QString::fromLatin1("caf\xe9 \xb0"),
                   LineEnd::CrLf, TextEncoding::Latin1, false},
        DecodeCase{"Utf8", "caf\xc3\xa9", QString::fromUtf8("caf\xc3\xa9"), LineEnd::CrLf,
                   TextEncoding::Utf8, false},
        DecodeCase{"Utf8Bom", "\xEF\xBB\xBFx\r\n", "x\n", LineEnd::CrLf, TextEncoding::Utf8, true}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

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
