#include "form1.h"
#include "app/core/ini_reader.h"
#include "app/core/layout_rules.h"
#include "build/batch_editing.h"
#include "build/build_commands.h"
#include "build/build_console.h"
#include "build/console_pane.h"
#include "build/error_navigator.h"
#include "client_area.h"
#include "designer/designer_keys.h"
#include "designer/form_loader.h"
#include "designer/form_pages.h"
#include "designer/gesture_history.h"
#include "designer/object_mover.h"
#include "designer/object_selection.h"
#include "designer/property_grid.h"
#include "designer/toolbox.h"
#include "docs/manuals.h"
#include "editor/colorizer.h"
#include "editor/edit_commands.h"
#include "editor/file_tabs.h"
#include "editor/find.h"
#include "editor/focus_tracking.h"
#include "handheld_art.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/object_picture.h"
#include "platform/pane_family.h"
#include "platform/program_starter.h"
#include "platform/rich_text_pane.h"
#include "project/project_commands.h"
#include "project/resource_files.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <cmath>

namespace tarvo {

Form1::Form1(const Form1Services& services) {
    if (services.dialogs) {
        m_ctx.dialogs = services.dialogs;
    } else {
        m_ownDialogs = std::make_unique<QtDialogs>(this);
        m_ctx.dialogs = m_ownDialogs.get();
    }
    if (services.starter) {
        m_ctx.starter = services.starter;
    } else {
        m_ownStarter = std::make_unique<SystemProgramStarter>(*m_ctx.dialogs, [this] {
            return CommandSubstitutes{m_ctx.settings.PreferedTextEditor};
        });
        m_ctx.starter = m_ownStarter.get();
    }

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tarvo IDE"));
    setWindowIcon(applicationIcon());
    createControls();
    createMenus();
    createHandlers();
    wireEvents();
    Form_Initialize(services.iniFolder);
}

Form1::~Form1() {
    // The controls outlive the handlers (QWidget deletes its children last)
    // and still send events while they go, focus changes among them: cut
    // every connection to the handlers before those are destroyed.
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
    m_pictureFamily->onCreated = nullptr;
    m_paneFamily->onCreated = nullptr;
    // Handlers hold references into the controls; drop them first.
    m_resources.reset();
    m_project.reset();
}

double Form1::twipsPerPixel() const {
    return tarvo::twipsPerPixel(logicalDpiX() > 0 ? logicalDpiX() : 96);
}

void Form1::Form_Initialize(const QString& iniFolder) {
    CenterForm();
    readSettings(iniFolder);
    m_ctx.project.ProjectPath.clear();
    m_fileTabs->showWelcome();
    const int perPage =
        std::clamp<int>(m_ctx.settings.ObjectsPerPage, 0, DesignerState::MaxPictures);
    m_designer.ObjectPictures[0] = m_ctx.ui.DynamicPicture->at(0);
    m_pages->createPictures(1, perPage);
    m_designer.NextObjectId = 1;
    m_designer.ScreenLeft = 89;
    m_designer.ScreenWidth = 160.0f;
    m_designer.ScreenHeight = 160.0f;
    m_designer.ScreenTop = 44.0f;
    m_designer.CurrentFormPage = 0;
    m_grid->setupRows();
    m_ctx.editor.ColorizeIdle = true;
}

void Form1::readSettings(const QString& iniFolder) {
    const QString folder = iniFolder.isEmpty() ? QDir::currentPath() : iniFolder;
    const QString path = QDir(folder).filePath(iniFileName());
    QByteArray bytes;
    QString error;
    if (!FileOps::ReadAll(path, &bytes, &error)) {
        m_ctx.dialogs->message(
            QStringLiteral("The configuration file \"IDE.ini\" could not be read "
                           "from the working folder:\n%1\n(%2)\n\n"
                           "TarvoIDE starts with empty settings.")
                .arg(QDir::toNativeSeparators(path), error),
            QStringLiteral("TarvoIDE"));
        m_ctx.settings = Settings{};
        return;
    }
    IniResult result = parseIni(bytes);
    // Every problem in one box, so that a broken file costs one click.
    const QString report = result.problemReport();
    if (!report.isEmpty())
        m_ctx.dialogs->message(report, QStringLiteral("TarvoIDE"));
    m_ctx.settings = result.settings;
}

void Form1::CenterForm() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    const double left = (double(area.width()) - outer.width()) / 2.0;
    const double top = (double(area.height()) - outer.height()) / 2.0;
    move(area.x() + int(std::lround(left)), area.y() + int(std::lround(top)));
}

void Form1::Form_Resize() {
    Controls& ui = m_ctx.ui;
    const double tpp = twipsPerPixel();
    LayoutInput in;
    in.clientWidth = m_client->width();
    in.clientHeight = m_client->height();
    in.outerWidth = frameGeometry().width() * tpp;
    in.outerHeight = frameGeometry().height() * tpp;
    in.text1Top = ui.Text1->y();
    in.text1Width = ui.Text1->width();
    in.text1Height = ui.Text1->height();
    in.consoleTop = ui.Console->y();
    in.consoleHeight = ui.Console->height();
    const LayoutOutput out = computeLayout(in);

    auto px = [](float v) { return int(std::lround(v)); };
    if (out.setText1Width)
        ui.Text1->resize(px(out.text1Width), ui.Text1->height());
    if (out.setText1Height)
        ui.Text1->resize(ui.Text1->width(), px(out.text1Height));
    if (out.setLine1X2)
        ui.Line1->setX2(px(out.line1X2));
    if (out.setTabStripWidth)
        ui.TabStrip1->resize(ui.Text1->width(), ui.TabStrip1->height());
    ui.MSFlexGrid1->setColumnWidth(0, int(std::lround(out.gridColumn0Twips / tpp)));
    ui.MSFlexGrid1->setColumnWidth(1, int(std::lround(out.gridColumn1Twips / tpp)));
    ui.resourceh->setGeometry(ui.Text1->geometry());
    m_fileTabs->followText1();
    if (out.setConsoleHeight)
        ui.Console->resize(ui.Console->width(), px(out.consoleHeight));
    if (out.setConsolePaneHeights) {
        const int h = int(std::lround(out.consolePaneHeightTwips / tpp));
        ui.ConsoleText1->resize(ui.ConsoleText1->width(), h);
        ui.ConsoleText2->resize(ui.ConsoleText2->width(), h);
    }
    // The status bar is aligned to the bottom of the client area.
    ui.StatusBar1->setGeometry(0, m_client->height() - 19, m_client->width(), 19);
}

void Form1::SmallScreen_Click() {
    Controls& ui = m_ctx.ui;
    ui.Console->move(ui.Console->x(), ui.MSFlexGrid1->y());
    Form_Resize();
}

void Form1::About_Click() {
    m_ctx.dialogs->message(QStringLiteral("TarvoIDE Beta 2.1 Written by the TarvoIDE developers."),
                           QStringLiteral("About TarvoIDE"));
}

void Form1::Exit_Click() {
    close();
}

void Form1::closeEvent(QCloseEvent* e) {
    if (!m_project->confirmDiscardChanges()) {
        e->ignore();
        return;
    }
    m_ctx.ui.Timer1->stop();
    e->accept();
}

void Form1::changeEvent(QEvent* e) {
    // Back from another program: its edits to the project's files show now.
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && m_project)
        m_project->checkOutsideChanges();
    QMainWindow::changeEvent(e);
}

void Form1::IDEini_Click() {
    m_ctx.starter->start(
        commandFromSetting(kNotepad, {m_ctx.settings.IniPath + QStringLiteral("IDE.ini")}),
        WindowStyle::NormalFocus);
    m_ctx.dialogs->message(QStringLiteral("Restart to activate changes."),
                           QStringLiteral("Restart to activate"));
}

} // namespace tarvo
