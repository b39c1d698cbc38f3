#include "x_display.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStandardPaths>

namespace tarvo::smoke {

VirtualDisplay::~VirtualDisplay() {
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
        m_server.waitForFinished(5000);
    }
}

bool VirtualDisplay::serverInstalled() {
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty();
}

bool VirtualDisplay::start(QString* error) {
    // -displayfd lets the server choose a free display and tell us which.
    m_server.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                    QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server.waitForStarted(10000)) {
        *error = QStringLiteral("Xvfb did not start: ") + m_server.errorString();
        return false;
    }
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    while (!out.contains('\n') && clock.elapsed() < 30000) {
        if (!m_server.waitForReadyRead(1000) && m_server.state() == QProcess::NotRunning)
            break;
        out += m_server.readAllStandardOutput();
    }
    bool ok = false;
    const int number = out.trimmed().toInt(&ok);
    if (!ok) {
        *error = QStringLiteral("Xvfb gave no display number: ") +
                 QString::fromLocal8Bit(m_server.readAllStandardError());
        return false;
    }
    m_name = QStringLiteral(":%1").arg(number);
    return true;
}

QString runTool(const QString& program, const QStringList& arguments, int* exitCode) {
    QProcess p;
    p.start(program, arguments);
    const bool finished = p.waitForStarted(10000) && p.waitForFinished(30000);
    const int code = finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    if (exitCode)
        *exitCode = code;
    return code == 0 ? QString::fromLocal8Bit(p.readAllStandardOutput()) : QString();
}

QRect findWindow(const QString& display, const QString& title) {
    int code = 0;
    const QString info =
        runTool(QStringLiteral("xwininfo"),
                {QStringLiteral("-display"), display, QStringLiteral("-name"), title}, &code);
    if (code != 0 || !info.contains(QStringLiteral("IsViewable")))
        return {};
    auto field = [&info](const char* label) {
        const QRegularExpression re(QString::fromLatin1(label) + QStringLiteral(":\\s*(-?\\d+)"));
        const QRegularExpressionMatch m = re.match(info);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    };
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                 field("Height"));
}

QImage grabScreen(const QString& display, const QString& scratchFolder, QString* error) {
    const QString file = QDir(scratchFolder).filePath(QStringLiteral("screen.png"));
    QFile::remove(file);
    int code = 0;
    runTool(QStringLiteral("import"),
            {QStringLiteral("-display"), display, QStringLiteral("-window"), QStringLiteral("root"),
             file},
            &code);
    QImage image(file);
    if (code != 0 || image.isNull())
        *error = QStringLiteral("import could not take a screenshot (exit code %1)").arg(code);
    return image;
}

} // namespace tarvo::smoke
