#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>

namespace tarvo::smoke {

// A private Xvfb server for one test, stopped when this goes away.
class VirtualDisplay {
public:
    ~VirtualDisplay();
    static bool serverInstalled();
    // Starts the server on a display number it picks itself; false with a
    // reason when it does not come up.
    bool start(QString* error);
    QString name() const { return m_name; } // ":N"

private:
    QProcess m_server;
    QString m_name;
};

// Runs a tool to its end; its standard output, or an empty text on failure.
QString runTool(const QString& program, const QStringList& arguments, int* exitCode = nullptr);

// The outer rectangle, in root coordinates, of the mapped window with this
// title; an empty rectangle when there is none (yet).
QRect findWindow(const QString& display, const QString& title);

// The whole screen, as a screenshot program sees it.
QImage grabScreen(const QString& display, const QString& scratchFolder, QString* error);

} // namespace tarvo::smoke
