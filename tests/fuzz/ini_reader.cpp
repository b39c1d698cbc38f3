// IDE.ini is edited by hand: whatever it holds, the settings stay in range,
// every problem names a line of the file, and the settings read back the same
// when written out as one clean record each.
#include "app/core/ini_reader.h"
#include "fuzz_check.h"

using namespace tarvo;

namespace {

const std::pair<const char*, QString Settings::*> kTextKeys[] = {
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

// A value holding a quote came from an unquoted field, so it has no comma and
// no outer blanks and reads back unquoted; any other value reads back quoted.
QByteArray written(const Settings& s) {
    QByteArray out = "ObjectsPerPage," + QByteArray::number(s.ObjectsPerPage) + "\r\nTabSpace," +
                     QByteArray::number(s.TabSpace) + "\r\n";
    for (const auto& [key, member] : kTextKeys) {
        const QByteArray value = (s.*member).toUtf8();
        out += QByteArray(key) + ',' + (value.contains('"') ? value : '"' + value + '"') + "\r\n";
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);
    const IniResult got = parseIni(bytes);
    FUZZ_CHECK(got.settings.ObjectsPerPage >= 0 && got.settings.ObjectsPerPage <= 500);
    FUZZ_CHECK(got.settings.TabSpace >= 0);
    FUZZ_CHECK(got.problems.isEmpty() == got.problemReport().isEmpty());
    // Each line break holds a CR or LF byte, whatever the encoding.
    const int lines = 1 + int(bytes.count('\r') + bytes.count('\n'));
    int previous = 0;
    for (const IniProblem& p : got.problems) {
        FUZZ_CHECK(p.line >= previous && p.line <= lines);
        previous = p.line;
    }
    const IniResult again = parseIni(written(got.settings));
    FUZZ_CHECK(again.problems.isEmpty());
    FUZZ_CHECK(written(again.settings) == written(got.settings));
    return 0;
}
