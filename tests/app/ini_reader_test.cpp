#include "app/core/ini_reader.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

TEST(IniFields, SplitAsTheRecordFormatSays) {
    const std::pair<const char*, QStringList> rows[] = {
        {"a,b\nc,d\re,f\r\n", {"a", "b", "c", "d", "e", "f"}},
        {"Path,\"C:\\a,b\\\"\r\n", {"Path", "C:\\a,b\\"}},
        {"k,\"v\"junk,next\r\n", {"k", "v", "next"}},
        {"k,\"open, text", {"k", "open, text"}},
        {"k,   a b  \t\r\nx,\" y \"", {"k", "a b", "x", " y "}},
        {"\r\n\r\na,b\r\n\r\n   \r\nc,d\r\n\r\n", {"a", "b", "c", "d"}},
        {"k,\r\nx,,y,", {"k", "", "x", "", "y", ""}},
        {"k\r\nv", {"k", "v"}},
        {"\r\n\n\r", {}}};
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(readIniFields(QByteArray(text)), expected) << text;
    // 0xE9 alone is not UTF-8: the file is 8-bit text.
    EXPECT_EQ(readIniFields(QByteArray("k,caf\xc3\xa9")), QStringList({"k", "caf\u00e9"}));
    EXPECT_EQ(readIniFields(QByteArray("k,caf\xe9")), QStringList({"k", "caf\u00e9"}));
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

TEST(ParseIni, ObjectsPerPageIsClampedAfterAWarningNamingTheValue) {
    const struct {
        const char* value;
        qint16 expected;
        bool warned;
    } rows[] = {{"0", 0, false},
                {"500.4", 500, false},
                {"501", 500, true},
                {"-1", 0, true},
                {"900\r\nObjectsPerPage,40", 40, false}};
    for (const auto& r : rows) {
        const IniResult got = parseIni(QByteArray("ObjectsPerPage,") + r.value + "\r\n");
        EXPECT_EQ(got.settings.ObjectsPerPage, r.expected) << r.value;
        EXPECT_EQ(!got.objectsPerPageWarning.isEmpty(), r.warned) << r.value;
        if (r.warned) {
            EXPECT_TRUE(got.objectsPerPageWarning.contains(QString::fromLatin1(r.value)));
        }
    }
}

} // namespace
