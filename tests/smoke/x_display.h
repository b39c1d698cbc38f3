#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <functional>

namespace tarvo::smoke {

// Polls until `condition` holds or `ms` have passed: a loaded machine is slow.
bool waitFor(const std::function<bool()>& condition, int ms = 60000);
bool installed(const char* program);
// Runs a tool to its end; its standard output, or an empty text on failure.
QString runTool(const QString& program, const QStringList& arguments, int* exitCode = nullptr);
bool writeFile(const QString& path, const QByteArray& bytes); // makes the folder too

// A private Xvfb server (no window manager) for the real program and the tools.
class XSession {
public:
    ~XSession();
    bool start(QString* error); // returns once the server takes clients
    bool startIde(const QString& folder, const QStringList& arguments = {},
                  const QProcessEnvironment& extra = {});
    bool ideRunning();
    QString xdotool(const QString& arguments, int* exitCode = nullptr); // first output line
    // The id of the visible window whose name matches `pattern`; empty if none comes.
    QString waitForWindow(const QString& pattern);
    // The viewable window's outer rectangle in root coordinates; empty while there is none.
    QRect windowRect(const QString& title);
    QImage grabScreen(const QString& scratchFolder); // null if import fails
    QProcess ide;

private:
    QProcess m_server;
};

} // namespace tarvo::smoke
