#pragma once

#include "platform/program_starter.h"

#include <QString>

namespace tarvo {

class ProjectCommands;
struct IdeContext;

// The batch file of IniPath, given the project folder (with its trailing
// separator) as its one argument; none while no project is open.
ProgramCommand buildCommand(const QString& iniPath, const QString& batchFile,
                            const QString& projectPath);

// Debug, release, build-all and load builds: start a batch file of IniPath
// with the project folder. The batch file compiles what is on disk, so with
// unsaved changes each first asks whether to save them.
class BuildCommands {
public:
    BuildCommands(IdeContext& ctx, ProjectCommands& project);
    void Command10_Click(); // debug build
    void Command6_Click();  // release build
    void Command9_Click();  // build all
    void Command7_Click();  // load build

private:
    // False when nothing may start: Cancel, or a save that left a file unwritten.
    bool saveBeforeBuilding();
    void startCompilingBuild(const QString& batchFile, WindowStyle style);

    IdeContext& m_ctx;
    ProjectCommands& m_project;
};

} // namespace tarvo
