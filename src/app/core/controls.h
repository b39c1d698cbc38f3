#pragma once

#include <QList>
#include <array>

class QAction;
class QLabel;
class QPushButton;
class QStatusBar;
class QTabBar;
class QTabWidget;
class QTableWidget;
class QTimer;
class QWidget;

namespace tarvo {

class LineShape;
class ObjectPicture;
class PaneFamily;
class PictureFamily;
class ConsolePane;
class RichTextPane;

// The controls of the main window, by their names. Form1 creates them; the
// subsystems act on them through this struct.
struct Controls {
    QWidget* form = nullptr;   // the main window (caption, cursor)
    QWidget* client = nullptr; // its client area: background, designer mouse events

    RichTextPane* Text1 = nullptr;
    RichTextPane* resourceh = nullptr;
    PaneFamily* OtherTextFile = nullptr;

    std::array<QPushButton*, 16> Command1{}; // toolbox
    QPushButton* Command2 = nullptr;         // previous form page
    QPushButton* Command3 = nullptr;         // next form page
    QPushButton* Command4 = nullptr;         // Open Project
    QPushButton* Command5 = nullptr;         // Save Project
    QPushButton* Command6 = nullptr;         // release build
    QPushButton* Command7 = nullptr;         // load build
    QPushButton* Command8 = nullptr;         // New Project
    QPushButton* Command9 = nullptr;         // build all
    QPushButton* Command10 = nullptr;        // debug build

    PictureFamily* DynamicPicture = nullptr;
    QTableWidget* MSFlexGrid1 = nullptr;
    QLabel* Label2 = nullptr;
    QTabBar* TabStrip1 = nullptr;
    QTabWidget* Console = nullptr;
    ConsolePane* ConsoleText1 = nullptr; // "Errors"
    ConsolePane* ConsoleText2 = nullptr; // "Output"
    QStatusBar* StatusBar1 = nullptr;
    LineShape* Line1 = nullptr;
    LineShape* Line2 = nullptr;
    LineShape* Line3 = nullptr;
    LineShape* Line4 = nullptr;
    LineShape* Line5 = nullptr;
    QTimer* Timer1 = nullptr;

    QAction* NewTextFile = nullptr; // the one menu item that starts disabled

    // The window's controls in collection order, for the tab-stop walk.
    QList<QWidget*> collection;
};

} // namespace tarvo
