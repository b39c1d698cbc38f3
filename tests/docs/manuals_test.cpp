#include "docs/manuals.h"

#include "ide_test.h"
#include "platform/command_line.h"

#include <QAction>

namespace tarvo::testing {
namespace {

// What each item starts with full settings is checked with the real
// programs (tests/app/start_arguments_test.cpp); here the empty settings.
class ManualsTest : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        makeForm(QByteArray("ObjectsPerPage,1\r\n"));
    }

    ProgramCommand trigger(const char* item) {
        starter.started.clear();
        form->action(QLatin1String(item))->trigger();
        EXPECT_EQ(starter.started.size(), 1) << item;
        return starter.started.value(0).command;
    }
};

TEST_F(ManualsTest, EmptySettingsStillStartTheProgram) {
    Settings& s = settings();
    s.AdobePath = QStringLiteral("okular --unique");
    s.DocPath = QStringLiteral("/docs/");
    // A missing document setting hands the viewer the manuals folder itself.
    EXPECT_EQ(trigger("UIEvents"), commandFromSetting(s.AdobePath, {"/docs/"}));

    s.DocPath.clear();
    EXPECT_EQ(trigger("Others"), commandFromSetting(kExplorer, {""}));
    EXPECT_EQ(trigger("CTemplates"), commandFromSetting(kExplorer, {""}));
    EXPECT_EQ(trigger("TarvoIDEHelp"), commandFromSetting(kExplorerExe, {"HelpFile.htm"}));
}

} // namespace
} // namespace tarvo::testing
