// The documents of the sample workspace that the Help menu opens.
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kSourceDir = QStringLiteral(TARVO_SOURCE_DIR);

QByteArray readSample(const QString& relative) {
    QFile f(kSourceDir + QStringLiteral("/sample/") + relative);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << relative.toStdString();
    return f.readAll();
}

TEST(SampleManuals, EachManualIsAWholePdf) {
    // The names that the workspace's IDE.ini gives the six document settings.
    for (const char* name : {"UI_API.pdf", "UI_Descriptions.pdf", "UI_Events.pdf", "System_API.pdf",
                             "Database_API.pdf", "Data_Manager.pdf"}) {
        SCOPED_TRACE(name);
        const QByteArray pdf = readSample(QStringLiteral("manuals/") + QLatin1String(name));
        EXPECT_TRUE(pdf.startsWith("%PDF-1."));
        EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
        EXPECT_TRUE(pdf.contains("startxref"));
    }
}

TEST(SampleHelpPage, DocumentsEveryMenuAndSetting) {
    const QString page = QString::fromUtf8(readSample(QStringLiteral("tools/HelpFile.htm")));
    ASSERT_FALSE(page.isEmpty());
    EXPECT_TRUE(page.contains(QStringLiteral("</html>")));
    const char* mustMention[] = {
        // the five menus
        "<h3>File</h3>", "<h3>Edit</h3>", "<h3>Options</h3>", "<h3>Compile</h3>", "<h3>Help</h3>",
        // every IDE.ini key
        "IniPath", "TemplatePath", "AdobePath", "DocPath", "EmulatorPath", "PreferedTextEditor",
        "PreferedBMPEditor", "LoadCode", "UIAPIDoc", "UIDescriptionsDoc", "UIEventsDoc",
        "SystemAPIDoc", "DatabaseAPIDoc", "DataManagerDoc", "ObjectsPerPage", "SDKProjectPath",
        "DataTypesKeywords", "ReservedKeyWords", "ExtraKeyWords", "TabSpace", "Colorizew",
        // the designer's gestures, the build's shortcuts
        "<b>left</b>", "<b>right</b>", "toolbox", "<b>F7</b>", "<b>F8</b>", "Stop Waiting"};
    for (const char* text : mustMention)
        EXPECT_TRUE(page.contains(QLatin1String(text))) << text;
}

} // namespace
