// IDE.ini is edited by hand: whatever it holds, the settings stay in range, every
// problem names a line, and the settings read back the same when written out clean.
#include "app/core/ini_reader.h"
#include "fuzz_check.h"

using namespace tarvo;

#define TEXT_KEY(name)                                                                             \
    { #name, &Settings::name }
static const std::pair<const char*, QString Settings::*> kTextKeys[] = {
    TEXT_KEY(IniPath),           TEXT_KEY(TemplatePath),     TEXT_KEY(AdobePath),
    TEXT_KEY(DocPath),           TEXT_KEY(EmulatorPath),     TEXT_KEY(PreferedTextEditor),
    TEXT_KEY(PreferedBMPEditor), TEXT_KEY(LoadCode),         TEXT_KEY(UIAPIDoc),
    TEXT_KEY(UIDescriptionsDoc), TEXT_KEY(UIEventsDoc),      TEXT_KEY(SystemAPIDoc),
    TEXT_KEY(DatabaseAPIDoc),    TEXT_KEY(DataManagerDoc),   TEXT_KEY(SDKProjectPath),
    TEXT_KEY(DataTypesKeywords), TEXT_KEY(ReservedKeyWords), TEXT_KEY(ExtraKeyWords),
    TEXT_KEY(Colorizew)};

// A value with a quote came unquoted (no comma, no outer blanks): it goes back so; others quoted.
static QByteArray written(const Settings& s) {
    QByteArray out = "ObjectsPerPage," + QByteArray::number(s.ObjectsPerPage) + "\r\nTabSpace," +
                     QByteArray::number(s.TabSpace) + "\r\n";
    for (const auto& [key, member] : kTextKeys) {
        const QByteArray value = (s.*member).toUtf8();
        out += QByteArray(key) + ',' + (value.contains('"') ? value : '"' + value + '"') + "\r\n";
    }
    return out;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);
    const IniResult got = parseIni(bytes);
    FUZZ_CHECK(got.settings.ObjectsPerPage >= 0 && got.settings.ObjectsPerPage <= 500);
    FUZZ_CHECK(got.settings.TabSpace >= 0);
    FUZZ_CHECK(got.problems.isEmpty() == got.problemReport().isEmpty());
    const int lines = 1 + int(bytes.count('\r') + bytes.count('\n')); // in any encoding
    for (qsizetype i = 0; i < got.problems.size(); ++i)
        FUZZ_CHECK(got.problems[i].line <= lines &&
                   got.problems[i].line >= (i ? got.problems[i - 1].line : 0));
    const IniResult again = parseIni(written(got.settings));
    FUZZ_CHECK(again.problems.isEmpty());
    FUZZ_CHECK(written(again.settings) == written(got.settings));
    return 0;
}
