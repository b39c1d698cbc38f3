#include "form1.h"

#include "app/core/layout_rules.h"
#include "build/console_pane.h"
#include "build/error_navigator.h"
#include "client_area.h"
#include "designer/gesture_history.h"
#include "designer/object_selection.h"
#include "editor/colorizer.h"
#include "editor/edit_commands.h"
#include "editor/file_tabs.h"
#include "editor/focus_tracking.h"
#include "handheld_art.h"
#include "platform/dialogs.h"
#include "platform/object_picture.h"
#include "platform/pane_family.h"
#include "platform/rich_text_pane.h"
#include "project/project_commands.h"
#include "project/resource_files.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
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
    pane->showLineGutter(true);
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

// The project and build buttons down the left edge, top to bottom.
struct SideButton {
    QPushButton* Controls::*member;
    const char* name;
    int top;
    const char* picture;
};
const SideButton kSideButtons[] = {
    {&Controls::Command4, "Command4", 16, "Open"},
    {&Controls::Command5, "Command5", 56, "Save"},
    {&Controls::Command8, "Command8", 96, "New"},
    {&Controls::Command10, "Command10", 136, "Make Debug"},
    {&Controls::Command6, "Command6", 176, "Make Release"},
    {&Controls::Command7, "Command7", 216, "Make Load"},
    {&Controls::Command9, "Command9", 256, "Make All"},
};

} // namespace

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
    for (const SideButton& b : kSideButtons)
        ui.*b.member = makeButton(c, QString::fromLatin1(b.name), {8, b.top, 41, 41},
                                  buttonPicture(QString::fromLatin1(b.picture), 38));
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
    // The code panes' fixed pitch keeps gcc's ^~~~ under the characters it means.
    ui.ConsoleText1 = new ConsolePane(ui.Console);
    ui.ConsoleText1->setObjectName(QStringLiteral("ConsoleText1"));
    ui.ConsoleText1->setFont(paneFont());
    ui.ConsoleText1->setGeometry(twips(105), twips(450), twips(5175), twips(2250));
    ui.ConsoleText2 = new ConsolePane(ui.Console);
    ui.ConsoleText2->setObjectName(QStringLiteral("ConsoleText2"));
    ui.ConsoleText2->setFont(paneFont());
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

} // namespace tarvo
