#include "app/core/ini_reader.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

#include <string_view>

using namespace tarvo;
using namespace std::literals;

namespace {

QStringList texts(const QByteArray& bytes) {
    QStringList out;
    for (const IniField& f : readIniFields(bytes).fields)
        out << QStringLiteral("%1:%2").arg(f.line).arg(f.text);
    return out;
}

TEST(IniFields, SplitAsTheRecordFormatSaysWithTheirLines) {
    const std::pair<const char*, QStringList> rows[] = {
        {"a,b\nc,d\re,f\r\n", {"1:a", "1:b", "2:c", "2:d", "3:e", "3:f"}},
        {"Path,\"C:\\a,b\\\"\r\n", {"1:Path", "1:C:\\a,b\\"}},
        {"k,\"v\"junk,next\r\n", {"1:k", "1:v", "1:next"}},
        {"k,\"open, text\r\nx,\"y\"", {"1:k", "1:open, text", "2:x", "2:y"}},
        {"k,   a b  \t\r\nx,\" y \"", {"1:k", "1:a b", "2:x", "2: y "}},
        {"\r\n\r\na,b\r\n\r\n   \r\nc,d\r\n\r\n", {"3:a", "3:b", "6:c", "6:d"}},
        {"k,\r\nx,,y,", {"1:k", "1:", "2:x", "2:", "2:y", "2:"}},
        {"k\r\nv", {"1:k", "2:v"}},
        {"\r\n\n\r", {}},
        // Latin-1 after a UTF-8 mark, and the wide encodings with their marks.
        {"\xEF\xBB\xBFk,caf\xe9", {"1:k", "1:caf\u00e9"}},
        {"k,caf\xc3\xa9", {"1:k", "1:caf\u00e9"}},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(texts(QByteArray(text)), expected) << text;
    for (const char* codec : {"UTF-16LE", "UTF-16BE", "UTF-32LE", "UTF-32BE"}) {
        QStringEncoder encode(codec, QStringEncoder::Flag::WriteBom);
        EXPECT_EQ(texts(encode(QStringLiteral("k,v\u00e9\r\nn,2"))),
                  QStringList({"1:k", "1:v\u00e9", "2:n", "2:2"}))
            << codec;
    }
}

TEST(IniNumber, TakesTheLeadingDecimalRoundedHalfToEvenClampedTo16Bits) {
    const std::pair<const char*, qint16> rows[] = {{"12.5", 12},
                                                   {"13.5", 14},
                                                   {"0.5", 0},
                                                   {"12.500001", 13},
                                                   {"12.4999", 12},
                                                   {"20words", 20},
                                                   {".6", 1},
                                                   {"-3.5", -4},
                                                   {"words 20", 0},
                                                   {"", 0},
                                                   {"1.2.3", 1},
                                                   {"32768", 32767},
                                                   {"99999999999999999999", 32767},
                                                   {"-40000", -32768}};
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(iniNumber(QString::fromLatin1(text)), expected) << text;
}

// The settings a case looks at, as "key=value" for those that are not at
// their initial value.
QString summary(const Settings& s) {
    const std::pair<const char*, QString> texts[] = {{"IniPath", s.IniPath},
                                                     {"DocPath", s.DocPath},
                                                     {"LoadCode", s.LoadCode},
                                                     {"Colorizew", s.Colorizew},
                                                     {"SDKProjectPath", s.SDKProjectPath}};
    QStringList out;
    for (const auto& [key, value] : texts)
        if (!value.isEmpty())
            out << QLatin1String(key) + QLatin1Char('=') + value;
    if (s.ObjectsPerPage)
        out << QStringLiteral("ObjectsPerPage=%1").arg(s.ObjectsPerPage);
    if (s.TabSpace)
        out << QStringLiteral("TabSpace=%1").arg(s.TabSpace);
    return out.join(QLatin1Char('|'));
}

TEST(ParseIni, PairsKeysAndValues) {
    const std::pair<const char*, const char*> rows[] = {
        {"SDKProjectPath,\"/home/a,b/sdk/\"\r\nTabSpace,3\r\n",
         "SDKProjectPath=/home/a,b/sdk/|TabSpace=3"},
        // The first line holds only the key; every later record is shifted.
        {"DocPath\r\n/docs/,TabSpace\r\n8,Colorizew\r\nTRUE\r\n",
         "DocPath=/docs/|Colorizew=TRUE|TabSpace=8"},
        {"Orphan\r\nIniPath,/ini/\r\nDocPath,/d/\r\n", ""},
        {"ObjectsPerPage,10\r\nIniPath,/a/\r\nObjectsPerPage,20\r\nIniPath,/b/\r\n",
         "IniPath=/b/|ObjectsPerPage=20"},
        {"iniPath,/a/\r\nINIPATH,/b/\r\nobjectsperpage,9\r\nLoadCode,true\r\n", "LoadCode=true"},
        {"Unknown,IniPath\r\nDocPath,/d/\r\nIniPath\r\n", "DocPath=/d/"},
        {"DocPath,/d/\r\n\r\n\r\nIniPath,/i/ \r\n", "IniPath=/i/|DocPath=/d/"},
        {"TabSpace,40000\r\n", "TabSpace=32767"}};
    for (const auto& [text, settings] : rows)
        EXPECT_EQ(summary(parseIni(QByteArray(text)).settings), QLatin1String(settings)) << text;
}

TEST(ParseIniKeys, StoresEveryKeyInItsSetting) {
    const std::pair<const char*, QString Settings::*> keys[] = {
        {"IniPath", &Settings::IniPath},
        {"TemplatePath", &Settings::TemplatePath},
        {"AdobePath", &Settings::AdobePath},
        {"DocPath", &Settings::DocPath},
        {"EmulatorPath", &Settings::EmulatorPath},
        {"PreferedTextEditor", &Settings::PreferedTextEditor},
        {"PreferedBMPEditor", &Settings::PreferedBMPEditor},
        {"LoadCode", &Settings::LoadCode},
        {"UIAPIDoc", &Settings::UIAPIDoc},
        {"UIDescriptionsDoc", &Settings::UIDescriptionsDoc},
        {"UIEventsDoc", &Settings::UIEventsDoc},
        {"SystemAPIDoc", &Settings::SystemAPIDoc},
        {"DatabaseAPIDoc", &Settings::DatabaseAPIDoc},
        {"DataManagerDoc", &Settings::DataManagerDoc},
        {"SDKProjectPath", &Settings::SDKProjectPath},
        {"DataTypesKeywords", &Settings::DataTypesKeywords},
        {"ReservedKeyWords", &Settings::ReservedKeyWords},
        {"ExtraKeyWords", &Settings::ExtraKeyWords},
        {"Colorizew", &Settings::Colorizew},
    };
    QByteArray ini;
    for (const auto& [key, member] : keys)
        ini += QByteArray(key) + ",v" + key + "\r\n";
    const IniResult r = parseIni(ini + "ObjectsPerPage,50\r\nTabSpace,4\r\n");
    for (const auto& [key, member] : keys)
        EXPECT_EQ(r.settings.*member, QStringLiteral("v") + QLatin1String(key));
    EXPECT_EQ(r.settings.ObjectsPerPage, 50);
    EXPECT_EQ(r.settings.TabSpace, 4);
    // Flags are on only when exactly TRUE.
    EXPECT_FALSE(r.settings.loadCode());
    EXPECT_TRUE(parseIni("LoadCode,TRUE\r\nColorizew,TRUE").settings.colorize());
    EXPECT_TRUE(parseIni("LoadCode,TRUE\r\nColorizew,True").settings.loadCode());
    EXPECT_FALSE(parseIni("LoadCode,TRUE\r\nColorizew,True").settings.colorize());
}

TEST(ParseIni, ReportsEachProblemWithItsLineAndReadsTheKeysAfterIt) {
    const struct {
        std::string_view ini;
        const char* settings;
        QStringList problems; // "line:start of the text"
    } rows[] = {
        {"IniPath,\"/a/\r\nDocPath,/d/\r\nTabSpace,-2\r\n",
         "IniPath=/a/|DocPath=/d/",
         {"1:The closing quote", "3:TabSpace is -2"}},
        {"ObjectsPerPage,501\r\nObjectsPerPage,-1\r\nTabSpace,40000\r\n",
         "TabSpace=32767",
         {"2:ObjectsPerPage is -1, which is outside 0 to 500", "3:TabSpace is 40000"}},
        {"ObjectsPerPage,700\r\n", "ObjectsPerPage=500", {"1:ObjectsPerPage is 700"}},
        {"iniPath,/a/\r\nDocPath,/d/\r\nLoad\0Code,TR\0UE\r\n"sv,
         "DocPath=/d/|LoadCode=TRUE",
         {"1:Unknown key \"iniPath\"; it was skipped with its value. Key names are "
          "case-sensitive: \"IniPath\".",
          "3:NUL bytes"}},
        {"DocPath\r\n/d/,IniPath\r\n/i/\r\nTabSpace\r\n",
         "IniPath=/i/|DocPath=/d/",
         {"1:\"DocPath\" has no value on its line, so the first field of line 2",
          "2:\"IniPath\" has no value on its line",
          "4:\"TabSpace\" has no value; it was ignored."}},
        {"\x01\x02\xff\r\n", "", {"0:No setting was found", "1:\"\x01\x02\u00ff\" has no"}},
        {"", "", {"0:No setting was found"}},
    };
    for (const auto& r : rows) {
        const IniResult got = parseIni(QByteArray(r.ini.data(), qsizetype(r.ini.size())));
        SCOPED_TRACE(std::string(r.ini));
        EXPECT_EQ(summary(got.settings), QString::fromUtf8(r.settings));
        ASSERT_EQ(got.problems.size(), r.problems.size()) << got.problemReport().toStdString();
        for (qsizetype i = 0; i < got.problems.size(); ++i)
            EXPECT_TRUE((QStringLiteral("%1:").arg(got.problems[i].line) + got.problems[i].text)
                            .startsWith(r.problems[i]))
                << got.problems[i].text.toStdString();
    }
}

TEST(ParseIni, ListsTheProblemsInOneMessage) {
    EXPECT_EQ(parseIni("IniPath,/a/\r\n").problemReport(), QString());
    EXPECT_EQ(parseIni(QByteArray("\xFF\xFEI\0,\0x\0", 8)).problemReport(),
              "IDE.ini in the working folder has problems; the other settings were read.\n\n"
              "The file is UTF-16 text; it was read as such, but IDE.ini is meant to be 8-bit "
              "text.\nNo setting was found in the file.\n"
              "Line 1: Unknown key \"I\"; it was skipped with its value.");
    QByteArray garbage;
    for (int i = 0; i < 30; ++i)
        garbage += "k" + QByteArray::number(i) + ",v\n";
    const QStringList lines = parseIni(garbage).problemReport().split(QLatin1Char('\n'));
    EXPECT_EQ(lines.size(), 2 + 20 + 1);
    EXPECT_EQ(lines.last(), "... and 11 more.");
}

} // namespace
