#include "app/core/ini_reader.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

QStringList fields(const char* text) {
    return readIniFields(QByteArray(text));
}

struct FieldCase {
    const char* name;
    const char* text;
    QStringList expected;
};

class IniFields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(IniFields, SplitsAsTheRecordFormatSays) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(fields(c.text), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFields,
    ::testing::Values(
        FieldCase{"comma and CR LF", "a,b\r\nc,d\r\n", {"a", "b", "c", "d"}},
        FieldCase{"bare LF and bare CR", "a,b\nc,d\re,f", {"a", "b", "c", "d", "e", "f"}},
        FieldCase{"quoted field keeps commas", "Path,\"C:\\a,b\\\"\r\n", {"Path", "C:\\a,b\\"}},
        FieldCase{"text after closing quote skipped", "k,\"v\"junk,next\r\n", {"k", "v", "next"}},
        FieldCase{"unclosed quote runs to the end", "k,\"open, text", {"k", "open, text"}},
        FieldCase{"leading blanks skipped", "k,   v\r\n", {"k", "v"}},
        FieldCase{"blanks before line end dropped", "k,v  \t\r\nx,y", {"k", "v", "x", "y"}},
        FieldCase{"blanks inside a quote kept", "k,\" v \"\r\n", {"k", " v "}},
        FieldCase{"inner blanks kept", "k,a b c\r\n", {"k", "a b c"}},
        FieldCase{"empty lines passed over",
                  "\r\n\r\na,b\r\n\r\n   \r\nc,d\r\n\r\n",
                  {"a", "b", "c", "d"}},
        FieldCase{"empty value after comma", "k,\r\nx,y", {"k", "", "x", "y"}},
        FieldCase{"comma at end of file opens a field", "k,", {"k", ""}},
        FieldCase{"two commas give an empty field", "a,,b", {"a", "", "b"}},
        FieldCase{"one field per line", "k\r\nv\r\n", {"k", "v"}},
        FieldCase{"no line end at the end", "k,v", {"k", "v"}}, FieldCase{"empty file", "", {}},
        FieldCase{"only line ends", "\r\n\n\r", {}}));

TEST(IniFields, DecodesUtf8AndFallsBackToLatin1) {
    EXPECT_EQ(readIniFields(QByteArray("k,caf\xc3\xa9")), QStringList({"k", "caf\u00e9"}));
    // 0xE9 alone is not UTF-8: the file is 8-bit text.
    EXPECT_EQ(readIniFields(QByteArray("k,caf\xe9")), QStringList({"k", "caf\u00e9"}));
    EXPECT_EQ(readIniFields(QByteArray("\xef\xbb\xbfk,v")), QStringList({"k", "v"}));
}

struct NumberCase {
    const char* text;
    qint16 expected;
};

class IniNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(IniNumber, TakesTheLeadingDecimalRoundedHalfToEven) {
    EXPECT_EQ(iniNumber(QString::fromLatin1(GetParam().text)), GetParam().expected)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniNumber,
    ::testing::Values(NumberCase{"50", 50}, NumberCase{"12.5", 12}, NumberCase{"13.5", 14},
                      NumberCase{"0.5", 0}, NumberCase{"1.5", 2}, NumberCase{"12.51", 13},
                      NumberCase{"12.500001", 13}, NumberCase{"12.4999", 12},
                      NumberCase{"20 words", 20}, NumberCase{"20words", 20}, NumberCase{"7.", 7},
                      NumberCase{".6", 1}, NumberCase{"-3.5", -4}, NumberCase{"+8", 8},
                      NumberCase{"words 20", 0}, NumberCase{"", 0}, NumberCase{".", 0},
                      NumberCase{"-", 0}, NumberCase{"1.2.3", 1}, NumberCase{"32767", 32767},
                      NumberCase{"32768", 32767}, NumberCase{"99999999999999999999", 32767},
                      NumberCase{"-40000", -32768}, NumberCase{"007", 7}));

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

struct ParseCase {
    const char* name;
    const char* text;
    const char* settings;
};

class ParseIni : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseIni, PairsKeysAndValues) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(summary(parseIni(QByteArray(c.text)).settings), QLatin1String(c.settings));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseIni,
    ::testing::Values(
        ParseCase{"QuotedValueKeepsItsCommas",
                  "SDKProjectPath,\"/home/a,b/sdk/\"\r\nTabSpace,3\r\n",
                  "SDKProjectPath=/home/a,b/sdk/|TabSpace=3"},
        // The first line holds only the key; every later record is shifted.
        ParseCase{"PairsByCountAcrossLines",
                  "DocPath\r\n/docs/,TabSpace\r\n8,Colorizew\r\nTRUE\r\n",
                  "DocPath=/docs/|Colorizew=TRUE|TabSpace=8"},
        ParseCase{"LoneFieldTurnsValuesIntoKeys", "Orphan\r\nIniPath,/ini/\r\nDocPath,/d/\r\n", ""},
        ParseCase{"LastOccurrenceWins",
                  "ObjectsPerPage,10\r\nIniPath,/a/\r\nObjectsPerPage,20\r\nIniPath,/b/\r\n",
                  "IniPath=/b/|ObjectsPerPage=20"},
        ParseCase{"KeysAreCaseSensitive",
                  "iniPath,/a/\r\nINIPATH,/b/\r\nobjectsperpage,9\r\nLoadCode,true\r\n",
                  "LoadCode=true"},
        ParseCase{"UnknownKeySkippedWithItsValue", "Unknown,IniPath\r\nDocPath,/d/\r\n",
                  "DocPath=/d/"},
        ParseCase{"LastKeyWithoutValueIgnored", "DocPath,/d/\r\nIniPath\r\n", "DocPath=/d/"},
        ParseCase{"EmptyLinesDoNotShift", "DocPath,/d/\r\n\r\n\r\nIniPath,/i/\r\n",
                  "IniPath=/i/|DocPath=/d/"},
        ParseCase{"TrailingBlanksDropped", "LoadCode,TRUE   \r\nIniPath,/i/ \r\n",
                  "IniPath=/i/|LoadCode=TRUE"},
        // TabSpace is clamped to 16 bits only.
        ParseCase{"TabSpaceLarge", "TabSpace,600\r\n", "TabSpace=600"},
        ParseCase{"TabSpaceClamped", "TabSpace,40000\r\n", "TabSpace=32767"}),
    [](const auto& info) { return std::string(info.param.name); });

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

struct ClampCase {
    const char* value;
    qint16 expected;
    bool warned;
};

class ObjectsPerPageClamp : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ObjectsPerPageClamp, KeepsTheDesignerTableInRange) {
    const ClampCase& c = GetParam();
    const IniResult r =
        parseIni(QByteArray("ObjectsPerPage,") + QByteArray(c.value) + QByteArray("\r\n"));
    EXPECT_EQ(r.settings.ObjectsPerPage, c.expected) << c.value;
    EXPECT_EQ(!r.objectsPerPageWarning.isEmpty(), c.warned) << c.value;
    if (c.warned) {
        EXPECT_TRUE(r.objectsPerPageWarning.contains(QString::fromLatin1(c.value)))
            << r.objectsPerPageWarning.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ObjectsPerPageClamp,
                         ::testing::Values(ClampCase{"0", 0, false}, ClampCase{"500", 500, false},
                                           ClampCase{"500.4", 500, false},
                                           ClampCase{"501", 500, true},
                                           ClampCase{"70000", 500, true}, ClampCase{"-1", 0, true},
                                           // Only the final value is judged.
                                           ClampCase{"900\r\nObjectsPerPage,40", 40, false}));

} // namespace
