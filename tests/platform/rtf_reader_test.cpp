#include "platform/rtf_reader.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

TEST(IsRichText, OnlyFilesThatBeginAsRichText) {
    EXPECT_TRUE(isRichText("{\\rtf1\\ansi x}"));
    EXPECT_TRUE(isRichText("{\\rtf"));
    EXPECT_FALSE(isRichText(" {\\rtf1 x}"));
    EXPECT_FALSE(isRichText("{\\RTF1 x}"));
    EXPECT_FALSE(isRichText("main.c: error {\\rtf"));
    EXPECT_FALSE(isRichText(""));
}

struct TextCase {
    const char* name;
    QByteArray rtf;
    QString text;
};

class ReadRichText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReadRichText, GivesTheVisibleText) {
    EXPECT_EQ(readRichText(GetParam().rtf).text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, ReadRichText,
    ::testing::Values(
        TextCase{"Plain", "{\\rtf1 Hello}", "Hello"},
        TextCase{"DelimitingSpaceEaten", "{\\rtf1\\ansi\\deff0 Hello  world}", "Hello  world"},
        TextCase{"Paragraphs", "{\\rtf1 a\\par b\\line c\\par\r\n}", "a\nb\nc\n"},
        TextCase{"SourceBreaksIgnored", "{\\rtf1 ab\r\ncd}", "abcd"},
        TextCase{"EscapedBreakIsAParagraph", "{\\rtf1 a\\\r\nb}", "a\nb"},
        TextCase{"Tab", "{\\rtf1 int\\tab x;}", "int\tx;"},
        TextCase{"EscapedSymbols", "{\\rtf1 \\{x\\}\\\\}", "{x}\\"},
        TextCase{"HexByte", "{\\rtf1 caf\\'e9 \\'B0}", QString::fromLatin1("caf\xe9 \xb0")},
        TextCase{"Unicode", "{\\rtf1 \\u8364?x}",
                 QString::fromUtf8("\xe2\x82\xac"
                                   "x")},
        TextCase{"NegativeUnicode", "{\\rtf1 \\u-3971?}", QString(QChar(0xF07D))},
        TextCase{"UnicodeSkipsTwoFallbacks", "{\\rtf1\\uc2 \\u233\\'65\\'27x}",
                 QString::fromLatin1("\xe9x")},
        TextCase{"UnicodeSkipNothing", "{\\rtf1\\uc0 \\u233 x}", QString::fromLatin1("\xe9x")},
        TextCase{"NamedCharacters", "{\\rtf1 \\bullet\\emdash\\~}",
                 QString::fromUtf8("\xe2\x80\xa2\xe2\x80\x94\xc2\xa0")},
        TextCase{"TablesSkipped",
                 "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red255\\green0"
                 "\\blue0;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}\\f0 body}",
                 "body"},
        TextCase{"StarredDestinationSkipped",
                 "{\\rtf1{\\*\\generator Riched20 10.0;}{\\*\\unknown x{y}}text}", "text"},
        TextCase{"PictureWithBinarySkipped", "{\\rtf1 a{\\pict\\bin3 }{}}b}", "ab"},
        TextCase{"FieldShowsItsResult",
                 "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}", "link"},
        TextCase{"StopsAtTheClosingBrace", "{\\rtf1 in}out", "in"},
        TextCase{"UnclosedDocument", "{\\rtf1 a{\\b b", "ab"},
        TextCase{"StrayClosingBraces", "{\\rtf1 a}}}", "a"},
        TextCase{"TrailingBackslash", "{\\rtf1 a\\", "a"},
        TextCase{"HalfHexByte", "{\\rtf1 a\\'4", "a\x04"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(ReadRichText, BoldAndColourRunsInCrLfPositions) {
    const RtfText got =
        readRichText("{\\rtf1{\\colortbl ;\\red0\\green0\\blue255;\\red0\\green128\\blue0;}"
                     "ab\\par {\\b cd}\\par\\cf1 ef\\cf2\\b gh\\plain ij\\cf9 kl\\cf0 mn}");
    EXPECT_EQ(got.text, QStringLiteral("ab\ncd\nefghijklmn"));
    ASSERT_EQ(got.runs.size(), 3);
    // "cd" starts at 4: "ab" and a CR LF break before it.
    EXPECT_EQ(got.runs[0].start, 4);
    EXPECT_EQ(got.runs[0].length, 2);
    EXPECT_TRUE(got.runs[0].bold);
    EXPECT_FALSE(got.runs[0].color);
    EXPECT_EQ(got.runs[1].start, 8);
    EXPECT_EQ(got.runs[1].length, 2);
    EXPECT_EQ(got.runs[1].color, QColor(0, 0, 255));
    EXPECT_FALSE(got.runs[1].bold);
    EXPECT_EQ(got.runs[2].start, 10);
    EXPECT_EQ(got.runs[2].length, 2);
    EXPECT_EQ(got.runs[2].color, QColor(0, 128, 0));
    EXPECT_TRUE(got.runs[2].bold);
}

TEST(ReadRichText, BoldOffAndMissingColourComponents) {
    const RtfText got = readRichText("{\\rtf1{\\colortbl;\\red200;}\\b a\\b0 b\\cf1 c}");
    EXPECT_EQ(got.text, QStringLiteral("abc"));
    ASSERT_EQ(got.runs.size(), 2);
    EXPECT_EQ(got.runs[0].start, 0);
    EXPECT_TRUE(got.runs[0].bold);
    EXPECT_EQ(got.runs[1].start, 2);
    EXPECT_EQ(got.runs[1].color, QColor(200, 0, 0));
}

} // namespace
