#include "platform/rtf_reader.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

TEST(IsRichText, OnlyFilesThatBeginAsRichText) {
    EXPECT_TRUE(isRichText("{\\rtf1\\ansi x}"));
    EXPECT_FALSE(isRichText(" {\\rtf1 x}"));
    EXPECT_FALSE(isRichText("main.c: error {\\rtf"));
}

TEST(ReadRichText, GivesTheVisibleText) {
    const std::pair<QByteArray, QString> rows[] = {
        {"{\\rtf1\\ansi\\deff0 Hello  world}", "Hello  world"},
        {"{\\rtf1 a\\par b\\line c\\tab d\r\ne}", "a\nb\nc\tde"},
        {"{\\rtf1 \\{x\\}\\\\ caf\\'e9}", QString::fromLatin1("{x}\\ caf\xe9")},
        {"{\\rtf1 \\u-3971?\\uc2 \\u233\\'65\\'27x}", QChar(0xF07D) + QString::fromLatin1("\xe9x")},
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red255;}{\\*\\gen x{y}}{\\pict\\bin3 }{}}"
         "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}out",
         "link"},
        {"{\\rtf1 a{\\b b\\'4", "ab\x04"}};
    for (const auto& [rtf, text] : rows)
        EXPECT_EQ(readRichText(rtf).text, text) << rtf.constData();
}

TEST(ReadRichText, BoldAndColourRunsInCrLfPositions) {
    const RtfText got =
        readRichText("{\\rtf1{\\colortbl ;\\red0\\green0\\blue255;\\red0\\green128;}"
                     "ab\\par {\\b cd}\\par\\cf1 ef\\cf2\\b gh\\plain ij\\cf9 kl\\cf0 mn}");
    EXPECT_EQ(got.text, QStringLiteral("ab\ncd\nefghijklmn"));
    ASSERT_EQ(got.runs.size(), 3);
    const struct {
        int start;
        bool bold;
        std::optional<QColor> color;
    } want[] = {
        {4, true, std::nullopt}, {8, false, QColor(0, 0, 255)}, {10, true, QColor(0, 128, 0)}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(got.runs[i].start, want[i].start);
        EXPECT_EQ(got.runs[i].length, 2);
        EXPECT_EQ(got.runs[i].bold, want[i].bold);
        EXPECT_EQ(got.runs[i].color, want[i].color);
    }
}

} // namespace
