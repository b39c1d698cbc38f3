#include "form1.h"

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
#include "platform/object_picture.h"
#include "platform/pane_family.h"
#include "platform/rich_text_pane.h"
#include "project/project_commands.h"
#include "project/resource_files.h"

#include <QAction>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

namespace tarvo {

void Form1::createHandlers() {
    m_colorizer = std::make_unique<Colorizer>(m_ctx);
    m_fileTabs = std::make_unique<FileTabs>(m_ctx, *m_colorizer);
    m_focus = std::make_unique<FocusTracking>(m_ctx);
    m_finder = std::make_unique<Finder>(m_ctx, *m_fileTabs);
    m_editCommands = std::make_unique<EditCommands>(m_ctx, *m_fileTabs);
    m_loader = std::make_unique<FormLoader>(m_ctx, m_designer);
    m_pages = std::make_unique<FormPages>(m_ctx, m_designer, *m_loader);
    m_grid = std::make_unique<PropertyGrid>(m_ctx, m_designer);
    m_selection = std::make_unique<ObjectSelection>(m_ctx, m_designer, *m_loader);
    m_history = std::make_unique<GestureHistory>(m_ctx);
    m_mover = std::make_unique<ObjectMover>(m_ctx, m_designer, *m_grid, *m_selection, *m_history);
    m_toolbox =
        std::make_unique<Toolbox>(m_ctx, m_designer, *m_mover, *m_grid, *m_selection, *m_history);
    m_keys = std::make_unique<DesignerKeys>(m_ctx, m_designer, *m_loader, *m_mover, *m_grid,
                                            *m_selection, *m_history);
    m_console = std::make_unique<BuildConsole>(m_ctx);
    m_errors = std::make_unique<ErrorNavigator>(m_ctx, *m_fileTabs);
    m_batch = std::make_unique<BatchEditing>(m_ctx);
    m_manuals = std::make_unique<Manuals>(m_ctx);
    m_project = std::make_unique<ProjectCommands>(m_ctx, *m_fileTabs, *m_loader, m_designer);
    m_build = std::make_unique<BuildCommands>(m_ctx, *m_project);
    m_resources = std::make_unique<ResourceFiles>(m_ctx);
}

void Form1::wirePane(int index, RichTextPane* pane) {
    m_project->watchPane(pane);
    m_editCommands->attachPane(pane);
    connect(pane, &RichTextPane::GotFocus, this,
            [this, index] { m_focus->OtherTextFile_GotFocus(index); });
    connect(pane, &RichTextPane::LostFocus, this,
            [this, index] { m_focus->OtherTextFile_LostFocus(index); });
    connect(pane, &RichTextPane::KeyUp, this,
            [this, index](int key, int shift) { m_focus->OtherTextFile_KeyUp(index, key, shift); });
    connect(pane, &RichTextPane::SelChange, this,
            [this, index] { m_focus->OtherTextFile_SelChange(index); });
    connect(pane, &RichTextPane::DblClick, this,
            [this, index] { m_fileTabs->OtherTextFile_DblClick(index); });
}

void Form1::wireEvents() {
    Controls& ui = m_ctx.ui;
    auto onAction = [this](const char* name, auto handler) {
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    auto onClick = [this](QPushButton* b, auto handler) {
        connect(b, &QPushButton::clicked, this, handler);
    };

    // Project commands: buttons and the menu items that stand for them.
    onClick(ui.Command4, [this] { m_project->Command4_Click(); });
    onClick(ui.Command5, [this] { m_project->Command5_Click(); });
    onClick(ui.Command8, [this] { m_project->Command8_Click(); });
    onAction("OpenProject", [this] { m_project->Command4_Click(); });
    onAction("SaveProject", [this] { m_project->Command5_Click(); });
    onAction("NewProject", [this] { m_project->Command8_Click(); });
    onAction("NewTextFile", [this] { m_fileTabs->NewTextFile_Click(); });
    onAction("EditFile", [this] { m_resources->EditFile_Click(); });
    onAction("Exit", [this] { Exit_Click(); });

    onAction("Find", [this] { m_finder->Find_Click(); });
    onAction("FindAgain", [this] { m_finder->FindAgain_Click(); });
    onAction("resourcetxt", [this] { m_resources->resourcetxt_Click(); });
    onAction("resourceh1", [this] { m_resources->resourceh1_Click(); });
    onAction("mainbmp1", [this] { m_resources->mainbmp1_Click(); });
    onAction("formbmp1", [this] { m_resources->formbmp1_Click(); });

    onAction("IDEini", [this] { IDEini_Click(); });
    onAction("MakeDebugBat", [this] { m_batch->MakeDebugBat_Click(); });
    onAction("MakeReleaseBat", [this] { m_batch->MakeReleaseBat_Click(); });
    onAction("MakeLoadBat", [this] { m_batch->MakeLoadBat_Click(); });
    onAction("MakeAll", [this] { m_batch->MakeAll_Click(); });
    onAction("LoadEditor", [this] { m_batch->LoadEditor_Click(); });
    onAction("CTemplates", [this] { m_manuals->CTemplates_Click(); });
    onAction("AdjustObjectsPerPage", [this] { m_pages->AdjustObjectsPerPage_Click(); });
    onAction("SmallScreen", [this] { SmallScreen_Click(); });

    onClick(ui.Command10, [this] { m_build->Command10_Click(); });
    onClick(ui.Command6, [this] { m_build->Command6_Click(); });
    onClick(ui.Command9, [this] { m_build->Command9_Click(); });
    onClick(ui.Command7, [this] { m_build->Command7_Click(); });
    onAction("MakeDebug", [this] { m_build->Command10_Click(); });
    onAction("MakeRelease", [this] { m_build->Command6_Click(); });
    onAction("MakeLoadDebug", [this] { m_build->Command9_Click(); });
    onAction("LoadToEmulator", [this] { m_build->Command7_Click(); });
    onAction("CenterEmulator", [this] { m_batch->CenterEmulator_Click(); });
    connect(ui.Timer1, &QTimer::timeout, this, [this] { m_console->Timer1_Timer(); });
    wireConsole();

    onAction("TarvoIDEHelp", [this] { m_manuals->TarvoIDEHelp_Click(); });
    onAction("UIAPI", [this] { m_manuals->UIAPI_Click(); });
    onAction("UIDescriptions", [this] { m_manuals->UIDescriptions_Click(); });
    onAction("UIEvents", [this] { m_manuals->UIEvents_Click(); });
    onAction("SystemAPI", [this] { m_manuals->SystemAPI_Click(); });
    onAction("DataAPIPDF", [this] { m_manuals->DataAPIPDF_Click(); });
    onAction("DataManPDF", [this] { m_manuals->DataManPDF_Click(); });
    onAction("Others", [this] { m_manuals->Others_Click(); });
    onAction("About", [this] { About_Click(); });

    wireDesigner();

    // Editor panes and tabs.
    connect(ui.TabStrip1, &QTabBar::currentChanged, this,
            [this] { m_fileTabs->TabStrip1_Click(); });
    connect(ui.Text1, &RichTextPane::GotFocus, this, [this] { m_focus->Text1_GotFocus(); });
    connect(ui.Text1, &RichTextPane::LostFocus, this, [this] { m_focus->Text1_LostFocus(); });
    connect(ui.Text1, &RichTextPane::KeyUp, this,
            [this](int k, int s) { m_focus->Text1_KeyUp(k, s); });
    connect(ui.resourceh, &RichTextPane::GotFocus, this, [this] { m_focus->resourceh_GotFocus(); });
    connect(ui.resourceh, &RichTextPane::LostFocus, this,
            [this] { m_focus->resourceh_LostFocus(); });
    connect(ui.resourceh, &RichTextPane::KeyUp, this,
            [this](int k, int s) { m_focus->resourceh_KeyUp(k, s); });
    m_paneFamily->onCreated = [this](int index, RichTextPane* pane) { wirePane(index, pane); };

    connect(m_client, &ClientArea::resized, this, [this] { Form_Resize(); });
}

// The console's own commands and the way from its messages to the code. New
// commands are shortcuts of the window; the menus stay as they are.
void Form1::wireConsole() {
    Controls& ui = m_ctx.ui;
    for (ConsolePane* pane : {ui.ConsoleText1, ui.ConsoleText2}) {
        pane->setWaitTimer(ui.Timer1);
        connect(pane, &ConsolePane::stopWaitingRequested, this,
                [this] { m_console->StopWaiting_Click(); });
        connect(pane, &ConsolePane::lineActivated, this,
                [this, pane] { m_errors->lineActivated(pane); });
    }
    m_console->onOutputShown = [this] { m_errors->showMarkers(); };
    action(QStringLiteral("MakeDebug"))->setShortcut(QKeySequence(Qt::Key_F7));
    const struct {
        const char* name;
        QKeySequence key;
        void (ErrorNavigator::*handler)();
    } shortcuts[] = {
        {"NextError", QKeySequence(Qt::Key_F8), &ErrorNavigator::NextError_Click},
        {"PreviousError", QKeySequence(Qt::SHIFT | Qt::Key_F8),
         &ErrorNavigator::PreviousError_Click},
    };
    for (const auto& s : shortcuts) {
        auto* a = new QAction(this);
        a->setObjectName(QString::fromLatin1(s.name));
        a->setShortcut(s.key);
        connect(a, &QAction::triggered, this,
                [this, handler = s.handler] { ((*m_errors).*handler)(); });
        addAction(a);
    }
}

void Form1::wireDesigner() {
    const Controls& ui = m_ctx.ui;
    connect(ui.Command2, &QPushButton::clicked, this, [this] { m_pages->Command2_Click(); });
    connect(ui.Command3, &QPushButton::clicked, this, [this] { m_pages->Command3_Click(); });
    for (int i = 0; i < 16; ++i)
        connect(ui.Command1[i], &QPushButton::clicked, this,
                [this, i] { m_toolbox->Command1_Click(i); });
    m_pictureFamily->onCreated = [this](int index, ObjectPicture* p) {
        connect(p, &ObjectPicture::MouseDown, this, [this, index](int b, float x, float y) {
            m_mover->DynamicPicture_MouseDown(index, b, x, y);
        });
        connect(p, &ObjectPicture::MouseMove, this, [this, index](int b, float x, float y) {
            m_mover->DynamicPicture_MouseMove(index, b, x, y);
        });
        connect(p, &ObjectPicture::MouseUp, this, [this, index](int b, float x, float y) {
            m_mover->DynamicPicture_MouseUp(index, b, x, y);
        });
        connect(p, &ObjectPicture::KeyDown, this, [this, index](int key, int shift) {
            m_keys->DynamicPicture_KeyDown(index, key, shift);
        });
    };
    connect(m_client, &ClientArea::MouseDown, this,
            [this](int b, float x, float y) { m_toolbox->Form_MouseDown(b, x, y); });
    connect(m_client, &ClientArea::MouseMove, this,
            [this](int b, float x, float y) { m_toolbox->Form_MouseMove(b, x, y); });
    connect(m_client, &ClientArea::MouseUp, this,
            [this](int b, float x, float y) { m_toolbox->Form_MouseUp(b, x, y); });
    connect(m_client, &ClientArea::KeyDown, this,
            [this](int key, int shift) { m_keys->Form_KeyDown(key, shift); });
}

} // namespace tarvo
