#pragma once

#include "platform/program_starter.h"

#include <QString>

namespace tarvo {

struct IdeContext;

// IniPath + batch file (with its trailing space) + ProjectPath, joined as they
// are: the batch file receives a folder with blanks as several arguments.
QString buildCommandLine(const QString& iniPath, const QString& batchFile,
                         const QString& projectPath);

// Debug, release, build-all and load builds: start a batch file of IniPath
// with the project folder.
class BuildCommands {
public:
    explicit BuildCommands(IdeContext& ctx);
    void Command10_Click(); // debug build
    void Command6_Click();  // release build
    void Command9_Click();  // build all
    void Command7_Click();  // load build

private:
    void startCompilingBuild(const QString& batchFile, WindowStyle style);

    IdeContext& m_ctx;
};

} // namespace tarvo
