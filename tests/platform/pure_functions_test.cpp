#include "platform/command_line.h"
#include "platform/paths.h"
#include "platform/program_starter.h"
#include "platform/rtf_reader.h"
#include "platform/text_codec.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tarvo;

namespace {

QByteArray ends(std::initializer_list<LineEnd> list) {
    QByteArray out;
    for (LineEnd e : list)
        out.append(char(e));
    return out;
}

// The fuzz target checks that any bytes encode back exactly and which characters get stand-ins.
TEST(TextCodec, DecodesEveryLineEndBomAndStandInComparesLinesAndEncodesNewLines) {
    constexpr auto N = LineEnd::None, CL = LineEnd::CrLf, L = LineEnd::Lf, C = LineEnd::Cr;
    constexpr auto U8 = TextEncoding::Utf8, L1 = TextEncoding::Latin1;
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
        // Two marks stay; bytes that are not UTF-8 after them get stand-ins.
        {"\xEF\xBB\xBF\xEF\xBB\xBF\x80\x80\x80\x80\xe9\x80",
         QStringLiteral("\uE080\uE080\uE080\uE080\uE0E9\uE080"), ends({N}), U8, 6, CL},
        {"\xEF\xBB\xBF\xF0\x9F\x98x", QStringLiteral("\uE0F0\uE09F\uE098x"), ends({N}), U8, 3, CL},
        // Kept as they are: NUL, form feed, U+2028, a mark inside the text.
        {QByteArray("\0\f\xE2\x80\xA8\xEF\xBB\xBF", 8), QString(kept, 4), ends({N}), U8, 0, CL},
    };
    for (const auto& r : rows) {
        const DecodedText got = decodeText(r.bytes);
        EXPECT_EQ(got.text, r.text) << r.bytes.toHex().constData();
        EXPECT_EQ(got.lineEnds, r.lineEnds) << r.bytes.toHex().constData();
        EXPECT_EQ(got.format.encoding, r.encoding) << r.bytes.toHex().constData();
        EXPECT_EQ(got.format.prefix, r.bytes.left(r.prefix));
        EXPECT_EQ(got.format.typedLineEnd, r.typed) << r.bytes.toHex().constData();
        TextEncoder encoder(got.format); // each line is its bytes, with no other letter or end
        const QVector<quint32> starts = lineStarts(r.bytes, r.prefix);
        const QStringList lines = got.text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QByteArray own = r.bytes.mid(starts[i], starts[i + 1] - starts[i]);
            const LineEnd end = LineEnd(r.lineEnds.at(i)), other = end == L ? CL : L;
            EXPECT_TRUE(encoder.writesAs(lines[i], end, own)) << r.bytes.toHex().constData();
            EXPECT_FALSE(encoder.writesAs(lines[i] + u'x', end, own) ||
                         encoder.writesAs(lines[i], other, own));
        }
    }
    DecodedText d;
    d.format.encoding = TextEncoding::Latin1;
    d.format.typedLineEnd = LineEnd::Lf;
    d.text = QStringLiteral("\u00e9\u0800\u20ac\nx\ny");
    d.lineEnds = ends({C}); // 8-bit: what it cannot hold goes as UTF-8; typed lines take LF
    EXPECT_EQ(encodeText(d), QByteArray("\xe9\xe0\xa0\x80\xe2\x82\xac\rx\ny"));
}

TEST(ReadRichText, GivesTheVisibleTextAndItsBoldAndColourRuns) {
    EXPECT_TRUE(isRichText("{\\rtf1\\ansi x}"));
    EXPECT_FALSE(isRichText(" {\\rtf1 x}") || isRichText("main.c: error {\\rtf"));
    const std::pair<QByteArray, QString> rows[] = {
        {"{\\rtf1\\ansi\\deff0 Hello  world}", "Hello  world"},
        {"{\\rtf1 a\\par b\\line c\\tab d\r\ne}", "a\nb\nc\tde"},
        {"{\\rtf1 \\{x\\}\\\\ caf\\'e9}", QString::fromLatin1("{x}\\ caf\xe9")},
        {"{\\rtf1 \\u-3971?\\uc2 \\u233\\'65\\'27x\\uc1 \\u233e'y}",
         QChar(0xF07D) + QString::fromLatin1("\xe9x\xe9'y")},
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red255;}{\\*\\gen x{y}}{\\pict\\bin3 }{}}"
         "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}out",
         "link"},
        {"{\\rtf1 a{\\b b\\'4", "ab\x04"},
        {"{\\rtf1 \\'4x\\aAzZ y}", "\x04xy"}};
    for (const auto& [rtf, text] : rows)
        EXPECT_EQ(readRichText(rtf).text, text) << rtf.constData();
    const RtfText got = // runs in the pane's CR LF positions
        readRichText(
            "{\\rtf1{\\colortbl ;\\red0\\green0\\blue255;\\red0\\green128;\\green0;\\red0;\\blue0;}"
            "ab\\par {\\b cd}\\par\\cf1 ef\\cf2\\b gh\\plain ij\\cf9 kl\\cf0 mn\\cf3 op"
            "\\cf4 qr\\cf5 st}");
    EXPECT_EQ(got.text, QStringLiteral("ab\ncd\nefghijklmnopqrst"));
    QStringList runs;
    for (const RtfRun& r : got.runs)
        runs << QString::asprintf("%d+%d%s %s", r.start, r.length, r.bold ? " b" : "",
                                  r.color ? qPrintable(r.color->name()) : "-");
    EXPECT_EQ(runs, (QStringList{"4+2 b -", "8+2 #0000ff", "10+2 b #008000", "18+6 #000000"}));
}

TEST(SplitCommandLine, FollowsTheWindowsRules) {
    const std::pair<QString, SplitCommand> rows[] = {
        {"", {"", {}}},
        {"makedebug.bat ", {"makedebug.bat", {}}},
        {" /p/res/main.bmp", {"", {"/p/res/main.bmp"}}},
        {"a  b\tc", {"a", {"b", "c"}}},
        {"\"/opt/my viewer/run\" \"/doc path/UI API.pdf\"",
         {"/opt/my viewer/run", {"/doc path/UI API.pdf"}}},
        {"\"C:\\P\\\" x", {"C:\\P\\", {"x"}}},
        {"prog \"\" \"a\"\"b\" a\"b c\"d", {"prog", {"", "a\"b", "ab cd"}}},
        {"prog a\\\"b \"a\\\\\" a\\\\\\\"b a\\\\b\\",
         {"prog", {"a\"b", "a\\", "a\\\"b", "a\\\\b\\"}}},
        {"prog \"a b", {"prog", {"a b"}}},
        {"prog ;rm $(x) `y` | z & w", {"prog", {";rm", "$(x)", "`y`", "|", "z", "&", "w"}}}};
    for (const auto& [line, want] : rows) {
        const SplitCommand got = splitCommandLine(line);
        EXPECT_EQ(got.program, want.program) << line.toStdString();
        EXPECT_EQ(got.arguments, want.arguments) << line.toStdString();
    }
}

TEST(ResolveCommand, PathsStayWholeWhileSettingsAreSplitAndSubstituted) {
    const QString dot = QStringLiteral(".") + PathSep();
    struct {
        ProgramCommand command;
        QString editor;
        SplitCommand want;
    } const rows[] = {
        // A path the IDE made is one argument, program or not.
        {commandFromPath("/my tools/makedebug.bat", {"/a  b/"}),
         "",
         {"/bin/sh", {"/my tools/makedebug.bat", "/a  b/"}}},
        {commandFromPath("/t/makedebug.bat", {""}), "", {"/bin/sh", {"/t/makedebug.bat"}}},
        {commandFromPath("-j/makeall.bat", {"-k/"}),
         "",
         {"/bin/sh", {dot + "-j/makeall.bat", dot + "-k/"}}},
        // A setting carries its own arguments; the paths follow them unsplit.
        {commandFromSetting("\"/opt/my viewer/view\" --page 1", {"/d/\"x\" y.pdf"}),
         "",
         {"/opt/my viewer/view", {"--page", "1", "/d/\"x\" y.pdf"}}},
        {commandFromSetting("evince", {"-x.pdf", ""}), "", {"evince", {dot + "-x.pdf"}}},
        {commandFromSetting(" ", {"/p/res/main.bmp"}), "", {"", {"/p/res/main.bmp"}}},
        // Windows programs get this platform's substitutes.
        {commandFromSetting(kNotepad, {"/t t/IDE.ini"}),
         "\"/opt/my ed/ed\" -w",
         {"/opt/my ed/ed", {"-w", "/t t/IDE.ini"}}},
        {commandFromSetting(kNotepad, {"/t/IDE.ini"}), "  ", {"xdg-open", {"/t/IDE.ini"}}},
        {commandFromSetting(kNotepad, {"/t/IDE.ini"}), kNotepad, {"xdg-open", {"/t/IDE.ini"}}},
        {commandFromSetting("explorer", {"/d d/"}), "", {"xdg-open", {"/d d/"}}},
        {commandFromSetting(kExplorer, {""}), "", {"xdg-open", {QDir::homePath()}}},
        {commandFromSetting("run " + kNotepad), "gedit", {"run", {kNotepad}}},
    };
    for (const auto& [command, editor, want] : rows) {
        const SplitCommand got = resolveCommand(command, CommandSubstitutes{editor, false});
        EXPECT_EQ(got.program, want.program) << displayCommand(command).toStdString();
        EXPECT_EQ(got.arguments, want.arguments) << displayCommand(command).toStdString();
    }
    // Windows starts a batch file itself; messages show a command as it would be typed.
    const ProgramCommand batch = commandFromPath("C:\\t t\\a.bat", {"C:\\p\\", "a b"});
    EXPECT_EQ(resolveCommand(batch, CommandSubstitutes{"gedit", true}),
              (SplitCommand{"C:\\t t\\a.bat", {"C:\\p\\", "a b"}}));
    EXPECT_EQ(displayCommand(batch), QStringLiteral("\"C:\\t t\\a.bat\" C:\\p\\ \"a b\""));
    const auto code = [](WindowStyle style) { return showWindowCode(style); };
    EXPECT_EQ((std::vector{code(WindowStyle::Hidden), code(WindowStyle::NormalFocus),
                           code(WindowStyle::NormalNoFocus), code(WindowStyle::MinimizedNoFocus)}),
              (std::vector{0, 1, 4, 7}));
}

} // namespace
