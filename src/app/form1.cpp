#include "form1.h"

#include "app/core/ini_reader.h"
#include "app/core/layout_rules.h"
#include "build/batch_editing.h"
#include "build/build_commands.h"
#include "build/build_console.h"
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

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <cmath>

namespace tarvo {

namespace {

constexpr int kClientWidth = 708;
constexpr int kClientHeight = 576;

QFont paneFont() {
    QFont f(QStringLiteral("Courier"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSizeF(9.75);
    return f;
}

RichTextPane* makePane(QWidget* parent, const QString& name, QRect geometry) {
    auto* pane = new RichTextPane(parent);
    pane->setObjectName(name);
    pane->setFont(paneFont());
    pane->setGeometry(geometry);
    return pane;
}

QPushButton* makeButton(QWidget* parent, const QString& name, QRect geometry,
                        const QPixmap& picture) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setIcon(QIcon(picture));
    b->setIconSize(picture.size());
    return b;
}

struct ToolboxEntry {
    int index;
    int left;
    int top;
    const char* picture;
};

// Index, place and picture caption of each toolbox button.
constexpr ToolboxEntry kToolbox[] = {
    {0, 288, 16, "Button"},   {1, 328, 16, "List"},       {2, 288, 56, "Scroll"},
    {3, 328, 56, "String"},   {4, 288, 96, "Bitmap"},     {5, 328, 96, "Field"},
    {6, 288, 136, "Line"},    {7, 328, 136, "Check box"}, {9, 288, 176, "Text Box"},
    {11, 328, 176, "Repeat"}, {10, 288, 216, "Table"},    {8, 328, 216, "Scheduler Line"},
    {12, 288, 256, "Push"},   {13, 328, 256, "Trigger"},  {14, 288, 296, "Menu"},
    {15, 328, 296, "Form"},
};

} // namespace

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

void Form1::createControls() {
    Controls& ui = m_ctx.ui;
    m_client = new ClientArea(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);
    ui.form = this;
    ui.client = m_client;
    QWidget* c = m_client;

    // Created in the order of the tab sequence.
    ui.Text1 = makePane(c, QStringLiteral("Text1"), {385, 29, 57, 353});
    auto* other0 = makePane(c, QStringLiteral("OtherTextFile"), {501, 29, 57, 353});
    other0->hide();
    m_paneFamily = std::make_unique<PaneFamily>(other0);
    ui.OtherTextFile = m_paneFamily.get();
    ui.resourceh = makePane(c, QStringLiteral("resourceh"), {443, 29, 57, 353});
    ui.resourceh->hide();

    // Created by index, so the tab sequence runs through the family in index order.
    for (int index = 0; index < 16; ++index) {
        for (const ToolboxEntry& t : kToolbox) {
            if (t.index != index)
                continue;
            ui.Command1[t.index] =
                makeButton(c, QStringLiteral("Command1_%1").arg(t.index), {t.left, t.top, 41, 41},
                           buttonPicture(QString::fromLatin1(t.picture), 38));
        }
    }
    ui.Command4 = makeButton(c, QStringLiteral("Command4"), {8, 16, 41, 41},
                             buttonPicture(QStringLiteral("Open"), 38));
    ui.Command5 = makeButton(c, QStringLiteral("Command5"), {8, 56, 41, 41},
                             buttonPicture(QStringLiteral("Save"), 38));
    ui.Command8 = makeButton(c, QStringLiteral("Command8"), {8, 96, 41, 41},
                             buttonPicture(QStringLiteral("New"), 38));
    ui.Command10 = makeButton(c, QStringLiteral("Command10"), {8, 136, 41, 41},
                              buttonPicture(QStringLiteral("Make Debug"), 38));
    ui.Command6 = makeButton(c, QStringLiteral("Command6"), {8, 176, 41, 41},
                             buttonPicture(QStringLiteral("Make Release"), 38));
    ui.Command7 = makeButton(c, QStringLiteral("Command7"), {8, 216, 41, 41},
                             buttonPicture(QStringLiteral("Make Load"), 38));
    ui.Command9 = makeButton(c, QStringLiteral("Command9"), {8, 256, 41, 41},
                             buttonPicture(QStringLiteral("Make All"), 38));
    ui.Command2 =
        makeButton(c, QStringLiteral("Command2"), {8, 320, 20, 17}, arrowPicture(true, 14));
    ui.Command3 =
        makeButton(c, QStringLiteral("Command3"), {29, 320, 20, 17}, arrowPicture(false, 14));
    for (QPushButton* b : {ui.Command5, ui.Command10, ui.Command6, ui.Command7, ui.Command9})
        b->setEnabled(false);

    // Element 0 stands for no object; the text panes would cover it anyway.
    auto* picture0 = new ObjectPicture(c);
    picture0->setObjectName(QStringLiteral("DynamicPicture"));
    picture0->setLeft(445);
    picture0->setTop(408);
    picture0->setWidth(57);
    picture0->setHeight(49);
    picture0->setBackColor(QColor(192, 255, 192));
    picture0->hide();
    m_pictureFamily = std::make_unique<PictureFamily>(picture0);
    ui.DynamicPicture = m_pictureFamily.get();

    auto* grid = new QTableWidget(2, 2, c);
    grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid->setGeometry(8, 353, 361, 114);
    QFont gridFont(QStringLiteral("MS Sans Serif"));
    gridFont.setStyleHint(QFont::SansSerif);
    gridFont.setPointSizeF(8.25);
    grid->setFont(gridFont);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->verticalHeader()->setDefaultSectionSize(18);
    ui.MSFlexGrid1 = grid;

    ui.Label2 = new QLabel(QStringLiteral("Form 0"), c);
    ui.Label2->setObjectName(QStringLiteral("Label2"));
    ui.Label2->setGeometry(8, 304, 41, 17);

    ui.TabStrip1 = new QTabBar(c);
    ui.TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    ui.TabStrip1->setGeometry(385, 9, 333, 23);
    ui.TabStrip1->setExpanding(false);
    ui.TabStrip1->setDrawBase(false);
    ui.TabStrip1->addTab(QString());

    // The console's panes are placed in twips relative to the whole tab
    // control, tab row included, and shown with their tab.
    ui.Console = new QTabWidget(c);
    ui.Console->setObjectName(QStringLiteral("Console"));
    ui.Console->setGeometry(9, 480, 359, 200);
    ui.Console->addTab(new QWidget, QStringLiteral("Errors"));
    ui.Console->addTab(new QWidget, QStringLiteral("Output"));
    const double tpp = twipsPerPixel();
    auto twips = [tpp](double t) { return int(std::lround(t / tpp)); };
    ui.ConsoleText1 = new RichTextPane(ui.Console);
    ui.ConsoleText1->setObjectName(QStringLiteral("ConsoleText1"));
    ui.ConsoleText1->setGeometry(twips(105), twips(450), twips(5175), twips(2250));
    ui.ConsoleText2 = new RichTextPane(ui.Console);
    ui.ConsoleText2->setObjectName(QStringLiteral("ConsoleText2"));
    ui.ConsoleText2->setGeometry(twips(105), twips(450), twips(5145), twips(2445));
    ui.ConsoleText2->hide();
    connect(ui.Console, &QTabWidget::currentChanged, this, [&ui](int tab) {
        ui.ConsoleText1->setVisible(tab == 0);
        ui.ConsoleText2->setVisible(tab == 1);
        (tab == 0 ? ui.ConsoleText1 : ui.ConsoleText2)->raise();
    });
    ui.Console->setCurrentIndex(0);

    ui.StatusBar1 = new QStatusBar(c);
    ui.StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    ui.StatusBar1->setSizeGripEnabled(false);
    ui.StatusBar1->setGeometry(0, kClientHeight - 19, kClientWidth, 19);

    auto line = [c](const char* name, int x1, int y1, int x2, int y2) {
        auto* l = new LineShape(c);
        l->setObjectName(QString::fromLatin1(name));
        l->setLine(x1, y1, x2, y2);
        return l;
    };
    ui.Line1 = line("Line1", 0, 0, 648, 0);
    ui.Line2 = line("Line2", 88, 42, 88, 204);
    ui.Line3 = line("Line3", 88, 43, 248, 43);
    ui.Line4 = line("Line4", 89, 203, 249, 203);
    ui.Line5 = line("Line5", 248, 43, 248, 205);

    ui.Timer1 = new QTimer(this);
    ui.Timer1->setObjectName(QStringLiteral("Timer1"));
    ui.Timer1->setInterval(100);

    // The console's panes are its own children and follow it in the focus
    // chain by themselves; in the collection they come right after it.
    QWidget* previous = nullptr;
    for (QWidget* w : m_client->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        ui.collection.append(w);
        if (w == ui.Console)
            ui.collection << ui.ConsoleText1 << ui.ConsoleText2;
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    m_client->setMinimumSize(0, 0);
}

void Form1::createMenus() {
    struct Item {
        const char* menu;
        const char* name;
        const char* caption;
        QKeySequence shortcut;
    };
    const Item items[] = {
        {"&File", "OpenProject", "&Open Project", QKeySequence(Qt::CTRL | Qt::Key_L)},
        {"&File", "SaveProject", "&Save Project", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"&File", "NewProject", "&New Project", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"&File", "NewTextFile", "New Text File", {}},
        {"&File", "EditFile", "Edit External File", {}},
        {"&File", "Exit", "E&xit", {}},
        {"&Edit", "Find", "Find", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"&Edit", "FindAgain", "Find Again", QKeySequence(Qt::Key_F3)},
        {"&Edit", "resourcetxt", "resource.txt", {}},
        {"&Edit", "resourceh1", "resource.h", {}},
        {"&Edit", "mainbmp1", "main.bmp", {}},
        {"&Edit", "formbmp1", "form.bmp", {}},
        {"&Options", "IDEini", "Modify IDE.ini", {}},
        {"&Options", "MakeDebugBat", "Modify MakeDebug.bat", {}},
        {"&Options", "MakeReleaseBat", "Modify MakeRelease.bat", {}},
        {"&Options", "MakeLoadBat", "Modify MakeLoad.bat", {}},
        {"&Options", "MakeAll", "Modify MakeAll.bat", {}},
        {"&Options", "LoadEditor", "Modify LoadEditor.bat", {}},
        {"&Options", "CTemplates", "Customize Templates", {}},
        {"&Options", "AdjustObjectsPerPage", "Adjust ObjectsPerPage", {}},
        {"&Options", "SmallScreen", "SmallScreen", {}},
        {"&Compile", "MakeDebug", "MakeDebug", {}},
        {"&Compile", "MakeRelease", "MakeRelease", {}},
        {"&Compile", "LoadToEmulator", "LoadToEmulator", {}},
        {"&Compile", "MakeLoadDebug", "MakeAll", {}},
        {"&Compile", "CenterEmulator", "CenterEmulato&r", {}},
        {"&Help", "TarvoIDEHelp", "TarvoIDEHelp", {}},
        {"&Help", "UIAPI", "UI API", {}},
        {"&Help", "UIDescriptions", "UI Descriptions", {}},
        {"&Help", "UIEvents", "UI Events", {}},
        {"&Help", "SystemAPI", "System API", {}},
        {"&Help", "DataAPIPDF", "Database API", {}},
        {"&Help", "DataManPDF", "Data Manager", {}},
        {"&Help", "Others", "OtherManuals", {}},
        {"&Help", "About", "&About", {}},
    };
    const char* menuNames[][2] = {{"&File", "File"},
                                  {"&Edit", "Edit"},
                                  {"&Options", "Options"},
                                  {"&Compile", "Compile"},
                                  {"&Help", "Help"}};
    for (auto& [caption, name] : menuNames) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(caption));
        menu->setObjectName(QString::fromLatin1(name));
        for (const Item& item : items) {
            if (qstrcmp(item.menu, caption) != 0)
                continue;
            QAction* a = menu->addAction(QString::fromLatin1(item.caption));
            a->setObjectName(QString::fromLatin1(item.name));
            a->setShortcut(item.shortcut);
        }
    }
    // Ctrl+O is where users of other programs look for Open; Ctrl+L stays first.
    QAction* open = action(QStringLiteral("OpenProject"));
    open->setShortcuts({open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O)});
    m_ctx.ui.NewTextFile = action(QStringLiteral("NewTextFile"));
    m_ctx.ui.NewTextFile->setEnabled(false);
    // The design's 708 x 576 pixels are the client area below the menu bar.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

QAction* Form1::action(const QString& name) const {
    return menuBar()->findChild<QAction*>(name);
}

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
    m_build = std::make_unique<BuildCommands>(m_ctx);
    m_console = std::make_unique<BuildConsole>(m_ctx);
    m_batch = std::make_unique<BatchEditing>(m_ctx);
    m_manuals = std::make_unique<Manuals>(m_ctx);
    m_project = std::make_unique<ProjectCommands>(m_ctx, *m_fileTabs, *m_loader, m_designer);
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
