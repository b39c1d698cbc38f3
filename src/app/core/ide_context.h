#pragma once

#include "controls.h"
#include "settings.h"

#include <QString>

namespace tarvo {

class Dialogs;
class ProgramStarter;

// The open project; an empty path means none is open.
struct ProjectState {
    QString ProjectPath;
    bool isOpen() const { return !ProjectPath.isEmpty(); }
};

// Editor state shared by colouring, the caret indicator and Find.
struct EditorState {
    bool ColorizeIdle = true; // false exactly while a colouring pass runs
    QString FindText;
};

// What every subsystem's handlers work on: settings, shared state, the
// window's controls and the two outside facilities (dialogs, program start).
struct IdeContext {
    Settings settings;
    ProjectState project;
    EditorState editor;
    Controls ui;
    Dialogs* dialogs = nullptr;
    ProgramStarter* starter = nullptr;
};

} // namespace tarvo
