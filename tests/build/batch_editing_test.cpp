#include "build/batch_editing.h"
#include "test_form.h"

#include <QAction>

namespace tarvo::testing {
namespace {

struct BatchRow {
    const char* menuItem;
    void (BatchEditing::*handler)();
    const char* editedFile; // nullptr: the row runs centeremu.bat itself
};

void PrintTo(const BatchRow& row, std::ostream* os) {
    *os << row.menuItem;
}

const BatchRow kBatchRows[] = {
    {"CenterEmulator", &BatchEditing::CenterEmulator_Click, nullptr},
    {"MakeDebugBat", &BatchEditing::MakeDebugBat_Click, "makedebug.bat"},
    {"MakeReleaseBat", &BatchEditing::MakeReleaseBat_Click, "makerelease.bat"},
    {"MakeLoadBat", &BatchEditing::MakeLoadBat_Click, "makeload.bat"},
    {"MakeAll", &BatchEditing::MakeAll_Click, "makeall.bat"},
    {"LoadEditor", &BatchEditing::LoadEditor_Click, "loadeditor.bat"},
};

class BatchEditingTest : public FormTest, public ::testing::WithParamInterface<BatchRow> {};

TEST_P(BatchEditingTest, CommandLineAndWindowStyle) {
    const BatchRow& row = GetParam();
    // The plain editor is used whatever editor the settings prefer.
    settings().PreferedTextEditor = QStringLiteral("kate");
    for (const QString& iniPath : {QStringLiteral("/opt/tarvo tools/"), QString()}) {
        SCOPED_TRACE(iniPath.toStdString());
        m_starter.started.clear();
        settings().IniPath = iniPath;
        (m_form->batchEditing().*row.handler)();
        ASSERT_EQ(m_starter.started.size(), 1);
        if (row.editedFile) {
            EXPECT_EQ(m_starter.started[0].commandLine,
                      QStringLiteral("C:\\WINDOWS\\Notepad.exe ") + iniPath +
                          QLatin1String(row.editedFile));
            EXPECT_EQ(m_starter.started[0].style, WindowStyle::NormalNoFocus);
        } else {
            EXPECT_EQ(m_starter.started[0].commandLine, iniPath + QStringLiteral("centeremu.bat"));
            EXPECT_EQ(m_starter.started[0].style, WindowStyle::Hidden);
        }
    }
}

TEST_P(BatchEditingTest, MenuItemIsEnabledWithoutProjectAndStartsEachTime) {
    const BatchRow& row = GetParam();
    settings().IniPath = QStringLiteral("/t/");
    QAction* item = m_form->action(QLatin1String(row.menuItem));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    item->trigger();
    ASSERT_EQ(m_starter.started.size(), 2);
    EXPECT_EQ(m_starter.started[0].commandLine, m_starter.started[1].commandLine);
    EXPECT_TRUE(m_starter.started[0].commandLine.endsWith(
        QLatin1String(row.editedFile ? row.editedFile : "centeremu.bat")));
    EXPECT_FALSE(polling());
}

INSTANTIATE_TEST_SUITE_P(AllItems, BatchEditingTest, ::testing::ValuesIn(kBatchRows),
                         [](const auto& info) { return std::string(info.param.menuItem); });

} // namespace
} // namespace tarvo::testing
