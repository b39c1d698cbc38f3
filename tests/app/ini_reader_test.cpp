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

Settings parse(const char* text) {
    return parseIni(QByteArray(text)).settings;
}

TEST(ParseIni, StoresEveryKeyInItsSetting) {
    const Settings s = parse("IniPath,/t/\r\nTemplatePath,/tp/\r\nAdobePath,ev\r\nDocPath,/d/\r\n"
                             "EmulatorPath,/e/\r\nPreferedTextEditor,ed\r\n"
                             "PreferedBMPEditor,bmp\r\nLoadCode,TRUE\r\nUIAPIDoc,a.pdf\r\n"
                             "UIDescriptionsDoc,b.pdf\r\nUIEventsDoc,c.pdf\r\n"
                             "SystemAPIDoc,d.pdf\r\nDatabaseAPIDoc,e.pdf\r\n"
                             "DataManagerDoc,f.pdf\r\nObjectsPerPage,50\r\n"
                             "SDKProjectPath,/sdk/\r\nDataTypesKeywords,*int*char*\r\n"
                             "ReservedKeyWords,*if*else*\r\nExtraKeyWords,*NULL*\r\n"
                             "TabSpace,4\r\nColorizew,TRUE\r\n");
    EXPECT_EQ(s.IniPath, "/t/");
    EXPECT_EQ(s.TemplatePath, "/tp/");
    EXPECT_EQ(s.AdobePath, "ev");
    EXPECT_EQ(s.DocPath, "/d/");
    EXPECT_EQ(s.EmulatorPath, "/e/");
    EXPECT_EQ(s.PreferedTextEditor, "ed");
    EXPECT_EQ(s.PreferedBMPEditor, "bmp");
    EXPECT_EQ(s.LoadCode, "TRUE");
    EXPECT_EQ(s.UIAPIDoc, "a.pdf");
    EXPECT_EQ(s.UIDescriptionsDoc, "b.pdf");
    EXPECT_EQ(s.UIEventsDoc, "c.pdf");
    EXPECT_EQ(s.SystemAPIDoc, "d.pdf");
    EXPECT_EQ(s.DatabaseAPIDoc, "e.pdf");
    EXPECT_EQ(s.DataManagerDoc, "f.pdf");
    EXPECT_EQ(s.ObjectsPerPage, 50);
    EXPECT_EQ(s.SDKProjectPath, "/sdk/");
    EXPECT_EQ(s.DataTypesKeywords, "*int*char*");
    EXPECT_EQ(s.ReservedKeyWords, "*if*else*");
    EXPECT_EQ(s.ExtraKeyWords, "*NULL*");
    EXPECT_EQ(s.TabSpace, 4);
    EXPECT_EQ(s.Colorizew, "TRUE");
    EXPECT_TRUE(s.loadCode());
    EXPECT_TRUE(s.colorize());
}

TEST(ParseIni, QuotedValueKeepsItsCommas) {
    const Settings s = parse("SDKProjectPath,\"/home/a,b/sdk/\"\r\nTabSpace,3\r\n");
    EXPECT_EQ(s.SDKProjectPath, "/home/a,b/sdk/");
    EXPECT_EQ(s.TabSpace, 3);
}

TEST(ParseIni, PairsByCountAcrossLines) {
    // The first line holds only the key; its value is the next line's first
    // field, and every later record is shifted the same way.
    const Settings s = parse("DocPath\r\n/docs/,TabSpace\r\n8,Colorizew\r\nTRUE\r\n");
    EXPECT_EQ(s.DocPath, "/docs/");
    EXPECT_EQ(s.TabSpace, 8);
    EXPECT_EQ(s.Colorizew, "TRUE");
}

TEST(ParseIni, ShiftedPairingTurnsValuesIntoKeys) {
    // A lone field shifts the pairs: "IniPath" becomes a value, "/ini/" a key.
    const Settings s = parse("Orphan\r\nIniPath,/ini/\r\nDocPath,/d/\r\n");
    EXPECT_TRUE(s.IniPath.isEmpty());
    EXPECT_TRUE(s.DocPath.isEmpty());
}

TEST(ParseIni, LastOccurrenceWins) {
    const Settings s = parse("ObjectsPerPage,10\r\nIniPath,/a/\r\nObjectsPerPage,20\r\n"
                             "IniPath,/b/\r\n");
    EXPECT_EQ(s.ObjectsPerPage, 20);
    EXPECT_EQ(s.IniPath, "/b/");
}

TEST(ParseIni, KeysAreCaseSensitive) {
    const Settings s = parse("iniPath,/a/\r\nINIPATH,/b/\r\nobjectsperpage,9\r\nLoadCode,true\r\n"
                             "Colorizew,True\r\n");
    EXPECT_TRUE(s.IniPath.isEmpty());
    EXPECT_EQ(s.ObjectsPerPage, 0);
    EXPECT_EQ(s.LoadCode, "true");
    EXPECT_FALSE(s.loadCode());
    EXPECT_FALSE(s.colorize());
}

TEST(ParseIni, UnknownKeysAreSkippedWithTheirValues) {
    const Settings s = parse("Unknown,IniPath\r\nDocPath,/d/\r\n");
    EXPECT_TRUE(s.IniPath.isEmpty());
    EXPECT_EQ(s.DocPath, "/d/");
}

TEST(ParseIni, LastKeyWithoutValueIsIgnored) {
    const Settings s = parse("DocPath,/d/\r\nIniPath\r\n");
    EXPECT_EQ(s.DocPath, "/d/");
    EXPECT_TRUE(s.IniPath.isEmpty());
}

TEST(ParseIni, EmptyLinesDoNotShiftThePairing) {
    const Settings s = parse("DocPath,/d/\r\n\r\n\r\nIniPath,/i/\r\n");
    EXPECT_EQ(s.DocPath, "/d/");
    EXPECT_EQ(s.IniPath, "/i/");
}

TEST(ParseIni, TrailingBlanksAreNotPartOfValues) {
    const Settings s = parse("LoadCode,TRUE   \r\nIniPath,/i/ \r\n");
    EXPECT_TRUE(s.loadCode());
    EXPECT_EQ(s.IniPath, "/i/");
}

TEST(ParseIni, MissingKeysKeepInitialValues) {
    const IniResult r = parseIni(QByteArray("DocPath,/d/\r\n"));
    EXPECT_EQ(r.settings.ObjectsPerPage, 0);
    EXPECT_EQ(r.settings.TabSpace, 0);
    EXPECT_TRUE(r.settings.SDKProjectPath.isEmpty());
    EXPECT_TRUE(r.objectsPerPageWarning.isEmpty());
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
                                           ClampCase{"70000", 500, true},
                                           ClampCase{"-1", 0, true}));

TEST(ParseIni, OnlyTheFinalObjectsPerPageIsJudged) {
    const IniResult r = parseIni(QByteArray("ObjectsPerPage,900\r\nObjectsPerPage,40\r\n"));
    EXPECT_EQ(r.settings.ObjectsPerPage, 40);
    EXPECT_TRUE(r.objectsPerPageWarning.isEmpty());
}

TEST(ParseIni, TabSpaceIsClampedOnlyTo16Bits) {
    EXPECT_EQ(parse("TabSpace,40000\r\n").TabSpace, 32767);
    EXPECT_EQ(parse("TabSpace,600\r\n").TabSpace, 600);
}

} // namespace
