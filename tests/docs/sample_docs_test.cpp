// The documents of the sample workspace that the Help menu opens.
#include <QFile>
#include <QRegularExpression>
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
        // startxref must point at the cross-reference table, and every entry
        // of the table at the object it numbers, or viewers repair or refuse it.
        const auto start = QRegularExpression(QStringLiteral("startxref\\s+(\\d+)"))
                               .match(QString::fromLatin1(pdf));
        ASSERT_TRUE(start.hasMatch());
        const int xref = start.captured(1).toInt();
        EXPECT_EQ(pdf.mid(xref, 4), QByteArray("xref"));
        auto entries = QRegularExpression(QStringLiteral("(\\d{10}) 00000 n"))
                           .globalMatch(QString::fromLatin1(pdf.mid(xref)));
        int object = 0;
        while (entries.hasNext()) {
            const int offset = entries.next().captured(1).toInt();
            ++object;
            EXPECT_TRUE(pdf.mid(offset).startsWith(QByteArray::number(object) + " 0 obj"))
                << "object " << object;
        }
        EXPECT_GE(object, 5);
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
        // the designer's gestures
        "<b>left</b>", "<b>right</b>", "toolbox"};
    for (const char* text : mustMention)
        EXPECT_TRUE(page.contains(QLatin1String(text))) << text;
}

} // namespace
