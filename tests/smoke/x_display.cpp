#include "x_display.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace tarvo::smoke {

bool waitFor(const std::function<bool()>& condition, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && !clock.hasExpired(ms))
        QThread::msleep(100);
    return condition();
}

bool installed(const char* program) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
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

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return QFileInfo(path).dir().mkpath(QStringLiteral(".")) && f.open(QIODevice::WriteOnly) &&
           f.write(bytes) == bytes.size();
}

XSession::~XSession() {
    for (QProcess* p : {&ide, &m_server}) {
        p->kill();
        p->waitForFinished(5000);
    }
}

bool XSession::start(QString* error) {
    // -displayfd lets the server choose a free display and tell us which.
    m_server.start(
        QStringLiteral("Xvfb"),
        QStringLiteral("-displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset").split(u' '));
    m_server.waitForStarted(10000);
    QByteArray out;
    waitFor([&] {
        m_server.waitForReadyRead(100);
        out += m_server.readAllStandardOutput();
        return out.contains('\n') || m_server.state() == QProcess::NotRunning;
    });
    bool ok = false;
    qputenv("DISPLAY", ":" + QByteArray::number(out.trimmed().toInt(&ok)));
    auto takesClients = [] {
        return !runTool(QStringLiteral("xwininfo"), {QStringLiteral("-root")}).isEmpty();
    };
    if (ok && waitFor(takesClients))
        return true;
    *error = QStringLiteral("Xvfb did not come up: ") + m_server.errorString() +
             QString::fromLocal8Bit(m_server.readAllStandardError());
    return false;
}

bool XSession::startIde(const QString& folder, const QStringList& arguments,
                        const QProcessEnvironment& extra) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(extra);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    ide.setProcessEnvironment(env);
    ide.setWorkingDirectory(folder);
    ide.setProcessChannelMode(QProcess::ForwardedChannels);
    ide.start(QStringLiteral(TARVOIDE_BINARY), arguments);
    return ide.waitForStarted(10000);
}

bool XSession::ideRunning() {
    return !ide.waitForFinished(10) && ide.state() == QProcess::Running;
}

QString XSession::xdotool(const QString& arguments, int* exitCode) {
    return runTool(QStringLiteral("xdotool"), arguments.split(u' '), exitCode).section(u'\n', 0, 0);
}

QString XSession::waitForWindow(const QString& pattern) {
    QString id;
    waitFor([&] {
        id = xdotool(QStringLiteral("search --onlyvisible --name ") + pattern);
        return !id.isEmpty() || !ideRunning();
    });
    return id;
}

QRect XSession::windowRect(const QString& title) {
    const QString info = runTool(QStringLiteral("xwininfo"), {QStringLiteral("-name"), title});
    auto field = [&info](const char* label) {
        const QRegularExpression re(QString::fromLatin1(label) + QStringLiteral(":\\s*(-?\\d+)"));
        return re.match(info).captured(1).toInt();
    };
    return info.contains(QStringLiteral("IsViewable"))
               ? QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"),
                       field("Width"), field("Height"))
               : QRect();
}

QImage XSession::grabScreen(const QString& scratchFolder) {
    const QString file = QDir(scratchFolder).filePath(QStringLiteral("screen.png"));
    QFile::remove(file);
    runTool(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
    return QImage(file);
}

} // namespace tarvo::smoke
