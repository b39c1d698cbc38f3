// The Help menu: what its items start, and the sample documents they open.
#include "docs/manuals.h"
#include "ide_test.h"

#include <QAction>

namespace tarvo::testing {
namespace {

// Full settings are tried in the app's tests; a missing document gives the manuals folder.
TEST_F(IdeTest, ManualsWithEmptySettingsStillStartTheProgram) {
    makeForm(QByteArray("ObjectsPerPage,1\r\n"));
    settings().AdobePath = "okular --unique";
    settings().DocPath = "/docs/";
    for (const QString& c :
         QStringList{"UIEvents|okular --unique|/docs/", "Others|Explorer|/docs/",
                     "CTemplates|Explorer|", "TarvoIDEHelp|" + kExplorerExe + "|HelpFile.htm"}) {
        const QStringList f = c.split('|');
        starter.started.clear();
        form->action(f[0])->trigger();
        ASSERT_EQ(starter.started.size(), 1) << c.toStdString();
        EXPECT_EQ(starter.started[0].command, commandFromSetting(f[1], {f[2]})) << c.toStdString();
    }
}

TEST(SampleDocs, ManualsAreWholePdfsAndTheHelpPageCoversMenusSettingsAndGestures) {
    auto read = [](const QString& name) { return readFile(TARVO_SOURCE_DIR "/sample/" + name); };
    for (const QString name :
         {"UI_API", "UI_Descriptions", "UI_Events", "System_API", "Database_API", "Data_Manager"}) {
        const QByteArray pdf = read("manuals/" + name + ".pdf");
        EXPECT_TRUE(pdf.startsWith("%PDF-1.") && pdf.trimmed().endsWith("%%EOF"))
            << name.toStdString();
    }
    const QString page = QString::fromUtf8(read("tools/HelpFile.htm"));
    const QString mentioned =
        "</html> <h3>File</h3> <h3>Edit</h3> <h3>Options</h3> <h3>Compile</h3> <h3>Help</h3> "
        "IniPath TemplatePath AdobePath DocPath EmulatorPath PreferedTextEditor PreferedBMPEditor "
        "LoadCode UIAPIDoc UIDescriptionsDoc UIEventsDoc SystemAPIDoc DatabaseAPIDoc "
        "DataManagerDoc "
        "ObjectsPerPage SDKProjectPath DataTypesKeywords ReservedKeyWords ExtraKeyWords TabSpace "
        "Colorizew <b>left</b> <b>right</b> toolbox <b>F7</b> <b>F8</b>";
    const QStringList texts = mentioned.split(' ') << "Stop Waiting";
    for (const QString& text : texts)
        EXPECT_TRUE(page.contains(text)) << text.toStdString();
}

} // namespace
} // namespace tarvo::testing
