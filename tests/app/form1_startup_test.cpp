#include "form1_fixture.h"

#include "platform/object_picture.h"
#include "platform/rich_text_pane.h"

#include <QDir>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>

using namespace tarvo;
using tarvo::testing::Form1Fixture;

namespace {

class StartUp : public Form1Fixture {};

TEST_F(StartUp, ReadsTheSettingsFromTheGivenFolder) {
    Form1& form = makeForm("IniPath,/tools/\r\nObjectsPerPage,3\r\nTabSpace,4\r\n"
                           "LoadCode,TRUE\r\n");
    const Settings& s = form.context().settings;
    EXPECT_EQ(s.IniPath, "/tools/");
    EXPECT_EQ(s.ObjectsPerPage, 3);
    EXPECT_EQ(s.TabSpace, 4);
    EXPECT_TRUE(s.loadCode());
    EXPECT_TRUE(m_dialogs.shown.isEmpty());
}

TEST_F(StartUp, LeavesNoProjectAndTheDesignerAtItsStart) {
    Form1& form = makeForm("ObjectsPerPage,5\r\n");
    const DesignerState& d = form.designer();
    EXPECT_TRUE(form.context().project.ProjectPath.isEmpty());
    EXPECT_TRUE(form.context().editor.ColorizeIdle);
    EXPECT_EQ(d.NextObjectId, 1);
    EXPECT_EQ(d.CurrentFormPage, 0);
    EXPECT_EQ(d.ScreenLeft, 89);
    EXPECT_FLOAT_EQ(d.ScreenTop, 44.0f);
    EXPECT_FLOAT_EQ(d.ScreenWidth, 160.0f);
    EXPECT_FLOAT_EQ(d.ScreenHeight, 160.0f);
    EXPECT_EQ(form.ui().Label2->text(), "Form 0");
    EXPECT_FALSE(form.ui().Timer1->isActive());
    EXPECT_EQ(form.ui().Timer1->interval(), 100);
    EXPECT_TRUE(form.ui().Text1->text().isEmpty());
}

struct PictureCase {
    const char* ini;
    int pictures;
};

class StartUpPictures : public Form1Fixture, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(StartUpPictures, CreatesObjectsPerPagePicturesAndEntersThem) {
    const PictureCase& c = GetParam();
    Form1& form = makeForm(QByteArray(c.ini));
    const Controls& ui = form.ui();
    const DesignerState& d = form.designer();
    EXPECT_EQ(ui.DynamicPicture->count(), c.pictures);
    EXPECT_EQ(d.ObjectPictures[0], ui.DynamicPicture->at(0));
    for (int i = 1; i <= DesignerState::MaxPictures; ++i) {
        if (i <= c.pictures) {
            ObjectPicture* p = ui.DynamicPicture->at(i);
            ASSERT_NE(p, nullptr) << i;
            EXPECT_EQ(d.ObjectPictures[i], p) << i;
            EXPECT_FLOAT_EQ(p->width(), 0) << i;
            EXPECT_FLOAT_EQ(p->height(), 0) << i;
            EXPECT_FLOAT_EQ(p->left(), 0) << i;
            EXPECT_FLOAT_EQ(p->top(), 0) << i;
            EXPECT_FALSE(p->isHidden()) << i;
        } else {
            EXPECT_EQ(d.ObjectPictures[i], nullptr) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, StartUpPictures,
                         ::testing::Values(PictureCase{"ObjectsPerPage,0\r\n", 0},
                                           PictureCase{"ObjectsPerPage,1\r\n", 1},
                                           PictureCase{"ObjectsPerPage,500\r\n", 500},
                                           PictureCase{"ObjectsPerPage,-4\r\n", 0},
                                           PictureCase{"ObjectsPerPage,700\r\n", 500}));

TEST_F(StartUp, ObjectsPerPageOutsideTheTableIsClampedAfterAMessage) {
    Form1& form = makeForm("ObjectsPerPage,700\r\n");
    ASSERT_EQ(m_dialogs.shown.size(), 1);
    EXPECT_EQ(m_dialogs.shown[0].kind, "message");
    EXPECT_TRUE(m_dialogs.shown[0].text.contains(QStringLiteral("700")));
    EXPECT_TRUE(m_dialogs.shown[0].text.contains(QStringLiteral("500")));
    EXPECT_EQ(form.context().settings.ObjectsPerPage, 500);
}

TEST_F(StartUp, GridRowsReadFromTheTopInDisplayOrder) {
    Form1& form = makeForm("ObjectsPerPage,1\r\n");
    const QTableWidget* grid = form.ui().MSFlexGrid1;
    ASSERT_EQ(grid->columnCount(), 2);
    // Two rows from the design plus the six names.
    ASSERT_EQ(grid->rowCount(), 8);
    const QStringList names = {"ID", "Type", "X", "Y", "Width", "Height"};
    for (int row = 1; row <= 6; ++row) {
        ASSERT_NE(grid->item(row, 0), nullptr) << row;
        EXPECT_EQ(grid->item(row, 0)->text(), names[row - 1]) << row;
    }
    EXPECT_EQ(grid->item(0, 0)->text(), "Property");
    EXPECT_EQ(grid->item(0, 1)->text(), "Value R/O (Modify text file)");
    for (int row = 0; row < grid->rowCount(); ++row) {
        ASSERT_NE(grid->item(row, 1), nullptr) << row;
        EXPECT_EQ(grid->item(row, 1)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter))
            << row;
    }
}

TEST_F(StartUp, MissingIniSaysWhereItLookedAndStartsEmpty) {
    Form1& form = makeForm(); // no IDE.ini written
    ASSERT_EQ(m_dialogs.shown.size(), 1);
    const QString expectedPath =
        QDir::toNativeSeparators(QDir(m_dir.path()).filePath(QStringLiteral("IDE.ini")));
    EXPECT_TRUE(m_dialogs.shown[0].text.contains(expectedPath))
        << m_dialogs.shown[0].text.toStdString();
    const Settings& s = form.context().settings;
    EXPECT_TRUE(s.IniPath.isEmpty());
    EXPECT_TRUE(s.SDKProjectPath.isEmpty());
    EXPECT_EQ(s.ObjectsPerPage, 0);
    EXPECT_EQ(form.ui().DynamicPicture->count(), 0);
    EXPECT_EQ(form.designer().ObjectPictures[0], form.ui().DynamicPicture->at(0));
}

TEST_F(StartUp, IsCentredOnTheScreen) {
    Form1& form = makeForm("ObjectsPerPage,0\r\n");
    const QRect screen = form.screen()->geometry();
    const QRect frame = form.frameGeometry();
    EXPECT_LE(std::abs((frame.left() - screen.left()) - (screen.right() - frame.right())), 1);
    EXPECT_LE(std::abs((frame.top() - screen.top()) - (screen.bottom() - frame.bottom())), 1);
}

} // namespace
