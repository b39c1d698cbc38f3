#include "app/core/ini_reader.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

#include <string_view>

using namespace tarvo;
using namespace std::literals;

namespace {

QString fields(const QByteArray& ini) {
    QStringList out;
    for (const IniField& f : readIniFields(ini).fields)
        out << QStringLiteral("%1:%2").arg(f.line).arg(f.text);
    return out.join(QLatin1Char('|'));
}

TEST(IniFields, SplitAtCommasAndLineEndsWithTheirLines) {
    const std::pair<const char*, const char*> rows[] = {
        {"a,b\nc,d\re,f\r\n", "1:a|1:b|2:c|2:d|3:e|3:f"},
        {"Path,\"C:\\a,b\\\"\r\n", "1:Path|1:C:\\a,b\\"},
        {"k,\"v\"junk,next\r\n", "1:k|1:v|1:next"},
        {"k,\"open, text\r\nx,\"y\"", "1:k|1:open, text|2:x|2:y"},
        {"k,   a b  \t\r\nx,\" y \"", "1:k|1:a b|2:x|2: y "},
        {"\r\n\r\na,b\r\n\r\n   \r\nc,d\r\n\r\n", "3:a|3:b|6:c|6:d"},
        {"k, \r\nx, ,y,", "1:k|1:|2:x|2:|2:y|2:"},
        {"k\r\nv\r\n \t", "1:k|2:v"},
        {"12x6\r\n\n\r", "1:12x6"},
        // Latin-1 after a UTF-8 mark; UTF-8 without one.
        {"\xEF\xBB\xBFk,caf\xe9", "1:k|1:caf\u00e9"},
        {"k,caf\xc3\xa9", "1:k|1:caf\u00e9"},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(fields(text), QString::fromUtf8(expected)) << text;
    for (const char* codec : {"UTF-16LE", "UTF-16BE", "UTF-32LE", "UTF-32BE"}) {
        QStringEncoder encode(codec, QStringEncoder::Flag::WriteBom);
        EXPECT_EQ(fields(encode(QStringLiteral("k,v\u00e9\r\nn,2"))), "1:k|1:v\u00e9|2:n|2:2")
            << codec;
    }
}

TEST(IniNumber, TakesTheLeadingDecimalRoundedHalfToEvenClampedTo16Bits) {
    for (const char* row :
         {"12.5=12", "12.500=12", "13.5=14", "0.5=0", "12.500001=13", "12.4999=12", "20words=20",
          "12x6=12", ".6=1", "-3.5=-4", "+7=7", " \t7=7", "words 20=0", "=0", "1.2.3=1",
          "32768=32767", "99999999999999999999=32767", "-40000=-32768"}) {
        const QStringList parts = QString::fromLatin1(row).split(QLatin1Char('='));
        EXPECT_EQ(iniNumber(parts[0]), parts[1].toInt()) << row;
    }
}

// The settings a case looks at that are not at their initial value, then the
// lines of the problems found.
QString summary(const IniResult& r) {
    const Settings& s = r.settings;
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
    QStringList lines;
    for (const IniProblem& p : r.problems)
        lines << QString::number(p.line);
    return out.join(QLatin1Char('|')) + " !" + lines.join(QLatin1Char(','));
}

TEST(ParseIni, PairsKeysAndValuesAndFindsProblemsOnTheirLines) {
    const std::pair<std::string_view, const char*> rows[] = {
        {"SDKProjectPath,\"/home/a,b/sdk/\"\r\nTabSpace,3\r\n",
         "SDKProjectPath=/home/a,b/sdk/|TabSpace=3 !"},
        // The first line holds only the key; every later record is shifted.
        {"DocPath\r\n/docs/,TabSpace\r\n8,Colorizew\r\nTRUE\r\n",
         "DocPath=/docs/|Colorizew=TRUE|TabSpace=8 !1,2,3"},
        {"Orphan\r\nIniPath,/ini/\r\nDocPath,/d/\r\n", " !0,1,1,2,2,3"},
        {"ObjectsPerPage,10\r\nIniPath,/a/\r\nObjectsPerPage,500\r\nIniPath,/b/\r\n",
         "IniPath=/b/|ObjectsPerPage=500 !"},
        {"iniPath,/a/\r\nINIPATH,/b/\r\nobjectsperpage,9\r\nLoadCode,true\r\n",
         "LoadCode=true !1,2,3"},
        {"Unknown,IniPath\r\nDocPath,/d/\r\nIniPath\r\n", "DocPath=/d/ !1,3"},
        {"DocPath,/d/\r\n\r\n\r\nIniPath,/i/ \r\n", "IniPath=/i/|DocPath=/d/ !"},
        // A missing quote, values out of range and NUL bytes cost only their line.
        {"IniPath,\"/a/\r\nDocPath,/d/\r\nTabSpace,-2\r\n", "IniPath=/a/|DocPath=/d/ !1,3"},
        {"TabSpace,40000\r\nObjectsPerPage,501\r\nObjectsPerPage,-1\r\n", "TabSpace=32767 !1,3"},
        {"Load\0Code,TR\0UE\r\nDocPath,/d/\r\nIniPath,\0/i/"sv,
         "IniPath=/i/|DocPath=/d/|LoadCode=TRUE !1,3"},
        {"DocPath,/d/\rLoad\0Code,TRUE\r"sv, "DocPath=/d/|LoadCode=TRUE !2"},
        {"\x01\x02\xff\r\n", " !0,1"},
        {"", " !0"}};
    for (const auto& [ini, expected] : rows)
        EXPECT_EQ(summary(parseIni(QByteArray(ini.data(), qsizetype(ini.size())))),
                  QLatin1String(expected))
            << ini;
}

TEST(ParseIni, StoresEveryKeyInItsSettingAndFlagsOnlyOnTrue) {
    const char* names = "IniPath TemplatePath AdobePath DocPath EmulatorPath PreferedTextEditor "
                        "PreferedBMPEditor LoadCode UIAPIDoc UIDescriptionsDoc UIEventsDoc "
                        "SystemAPIDoc DatabaseAPIDoc DataManagerDoc SDKProjectPath "
                        "DataTypesKeywords ReservedKeyWords ExtraKeyWords Colorizew";
    QByteArray ini = "ObjectsPerPage,50\r\nTabSpace,4\r\n";
    QStringList values;
    for (const QString& key : QString::fromLatin1(names).split(' ')) {
        ini += key.toLatin1() + ",v" + key.toLatin1() + "\r\n";
        values << "v" + key;
    }
    const Settings s = parseIni(ini).settings;
    EXPECT_EQ(QStringList({s.IniPath, s.TemplatePath, s.AdobePath, s.DocPath, s.EmulatorPath,
                           s.PreferedTextEditor, s.PreferedBMPEditor, s.LoadCode, s.UIAPIDoc,
                           s.UIDescriptionsDoc, s.UIEventsDoc, s.SystemAPIDoc, s.DatabaseAPIDoc,
                           s.DataManagerDoc, s.SDKProjectPath, s.DataTypesKeywords,
                           s.ReservedKeyWords, s.ExtraKeyWords, s.Colorizew}),
              values);
    EXPECT_EQ(s.ObjectsPerPage * 100 + s.TabSpace, 5004);
    const Settings flags = parseIni("LoadCode,TRUE\r\nColorizew,True").settings;
    EXPECT_TRUE(flags.loadCode());
    EXPECT_FALSE(flags.colorize());
}

TEST(ParseIni, ListsEveryProblemInOneMessage) {
    EXPECT_EQ(parseIni("IniPath,/a/\r\n").problemReport(), QString());
    const QString text = QString::fromUtf8("IniPath,\"/a/\r\niniPath,x\r\nTabSpace,-2\r\n"
                                           "ObjectsPerPage,900\r\nDoc\0Path\r\n/d/\r\nLoadCode"sv);
    EXPECT_EQ(parseIni(QStringEncoder(QStringEncoder::Utf16, QStringEncoder::Flag::WriteBom)(text))
                  .problemReport(),
              "IDE.ini in the working folder has problems; the other settings were read.\n\n"
              "The file is UTF-16 text; it was read as such, but IDE.ini is meant to be 8-bit "
              "text.\n"
              "Line 1: The closing quote is missing; the value was read to the end of the line.\n"
              "Line 2: Unknown key \"iniPath\"; it was skipped with its value. Key names are "
              "case-sensitive: \"IniPath\".\n"
              "Line 3: TabSpace is -2, which is outside 0 to 32767. TarvoIDE uses 0 instead.\n"
              "Line 4: ObjectsPerPage is 900, which is outside 0 to 500. TarvoIDE uses 500 "
              "instead.\n"
              "Line 5: NUL bytes; they were left out.\n"
              "Line 5: \"DocPath\" has no value on its line, so the first field of line 6 was "
              "taken as its value and every later record is read one field off.\n"
              "Line 7: \"LoadCode\" has no value; it was ignored.");
    QByteArray many;
    for (int i = 0; i < 30; ++i)
        many += "k" + QByteArray::number(i) + ",v\n";
    const QStringList lines = parseIni(many).problemReport().split(QLatin1Char('\n'));
    EXPECT_EQ(lines.size(), 2 + 20 + 1);
    EXPECT_EQ(lines.last(), "... and 11 more.");
}

} // namespace
