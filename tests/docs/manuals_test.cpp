#include "docs/manuals.h"

#include "ide_test.h"

#include <QAction>

namespace tarvo::testing {
namespace {

class ManualsTest : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        makeForm(QByteArray("ObjectsPerPage,1\r\n"));
        Settings& s = settings();
        s.IniPath = QStringLiteral("/opt/tarvo/");
        s.AdobePath = QStringLiteral("/usr/bin/evince");
        s.DocPath = QStringLiteral("/opt/tarvo sdk/manuals/");
        s.TemplatePath = QStringLiteral("/opt/tarvo/templates/");
        s.UIAPIDoc = QStringLiteral("UI_API.pdf");
        s.UIDescriptionsDoc = QStringLiteral("UI_Descriptions.pdf");
        s.UIEventsDoc = QStringLiteral("UI_Events.pdf");
        s.SystemAPIDoc = QStringLiteral("System_API.pdf");
        s.DatabaseAPIDoc = QStringLiteral("Database API.pdf");
        s.DataManagerDoc = QStringLiteral("Data_Manager.pdf");
    }

    RecordingProgramStarter::Started trigger(const char* item) {
        starter.started.clear();
        form->action(QLatin1String(item))->trigger();
        EXPECT_EQ(starter.started.size(), 1) << item;
        return starter.started.value(0);
    }
};

TEST_F(ManualsTest, EveryItemStartsItsCommandLine) {
    const struct {
        const char* item;
        const char* commandLine;
        WindowStyle style;
    } rows[] = {
        {"TarvoIDEHelp", "C:\\WINDOWS\\explorer.exe /opt/tarvo/HelpFile.htm",
         WindowStyle::NormalFocus},
        {"UIAPI", "/usr/bin/evince \"/opt/tarvo sdk/manuals/UI_API.pdf\"",
         WindowStyle::NormalNoFocus},
        {"UIDescriptions", "/usr/bin/evince \"/opt/tarvo sdk/manuals/UI_Descriptions.pdf\"",
         WindowStyle::NormalNoFocus},
        {"UIEvents", "/usr/bin/evince \"/opt/tarvo sdk/manuals/UI_Events.pdf\"",
         WindowStyle::NormalNoFocus},
        {"SystemAPI", "/usr/bin/evince \"/opt/tarvo sdk/manuals/System_API.pdf\"",
         WindowStyle::NormalNoFocus},
        {"DataAPIPDF", "/usr/bin/evince \"/opt/tarvo sdk/manuals/Database API.pdf\"",
         WindowStyle::NormalNoFocus},
        {"DataManPDF", "/usr/bin/evince \"/opt/tarvo sdk/manuals/Data_Manager.pdf\"",
         WindowStyle::NormalNoFocus},
        {"Others", "Explorer /opt/tarvo sdk/manuals/", WindowStyle::NormalFocus},
        {"CTemplates", "Explorer /opt/tarvo/templates/", WindowStyle::NormalFocus},
    };
    for (const auto& row : rows) {
        const auto started = trigger(row.item);
        EXPECT_EQ(started.commandLine, QString::fromLatin1(row.commandLine)) << row.item;
        EXPECT_EQ(started.style, row.style) << row.item;
    }
}

TEST_F(ManualsTest, EmptySettingsStillStartTheProgram) {
    Settings& s = settings();
    s.UIEventsDoc.clear();
    s.DocPath = QStringLiteral("/docs/");
    // A missing document setting hands the viewer the manuals folder itself.
    EXPECT_EQ(trigger("UIEvents").commandLine, QStringLiteral("/usr/bin/evince \"/docs/\""));

    s.DocPath.clear();
    s.TemplatePath.clear();
    EXPECT_EQ(trigger("Others").commandLine, QStringLiteral("Explorer "));
    EXPECT_EQ(trigger("CTemplates").commandLine, QStringLiteral("Explorer "));

    s.IniPath.clear();
    EXPECT_EQ(trigger("TarvoIDEHelp").commandLine,
              QStringLiteral("C:\\WINDOWS\\explorer.exe HelpFile.htm"));
}

TEST(ManualCommandLine, QuotesOnlyTheDocumentPath) {
    const struct {
        QString adobe, docPath, document, expected;
    } cases[] = {
        {QStringLiteral("xdg-open"), QStringLiteral("/d/"), QStringLiteral("a.pdf"),
         QStringLiteral("xdg-open \"/d/a.pdf\"")},
        {QStringLiteral("/opt/My Viewer/view"), QStringLiteral("/my docs/"),
         QStringLiteral("b c.pdf"), QStringLiteral("/opt/My Viewer/view \"/my docs/b c.pdf\"")},
        {QString(), QString(), QString(), QStringLiteral(" \"\"")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(manualCommandLine(c.adobe, c.docPath, c.document), c.expected);
}

} // namespace
} // namespace tarvo::testing
