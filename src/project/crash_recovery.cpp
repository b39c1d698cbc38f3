#include "crash_recovery.h"

#include "app/core/ide_context.h"
#include "editor/file_tabs.h"
#include "platform/dialogs.h"
#include "platform/rich_text_pane.h"
#include "recovery_store.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <utility>

namespace tarvo {

namespace {

int intervalFromEnvironment(const char* name, int fallback) {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue(name, &ok);
    return ok && ms > 0 ? ms : fallback;
}

// One name per run of the IDE, so that sessions never write over each other.
QString sessionName() {
    static const QString name =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz")) +
        QStringLiteral("-%1").arg(QCoreApplication::applicationPid());
    return name;
}

} // namespace

CrashRecovery::CrashRecovery(IdeContext& ctx, FileTabs& tabs, FileList files)
    : m_ctx(ctx), m_tabs(tabs), m_files(std::move(files)) {
    m_interval.setInterval(intervalFromEnvironment("TARVO_RECOVERY_INTERVAL_MS", 30000));
    m_settle.setSingleShot(true);
    m_settle.setInterval(intervalFromEnvironment("TARVO_RECOVERY_SETTLE_MS", 2000));
    connect(&m_interval, &QTimer::timeout, this, [this] {
        if (m_dirty)
            update();
    });
    connect(&m_settle, &QTimer::timeout, this, &CrashRecovery::update);
}

CrashRecovery::~CrashRecovery() {
    // Data of unsaved changes stays for the next start; only the lock goes.
    if (m_lock)
        m_lock->unlock();
}

QString CrashRecovery::sessionFolder() const {
    return projectRecoveryFolder(recoveryRoot(), m_ctx.project.ProjectPath) + QLatin1Char('/') +
           sessionName();
}

void CrashRecovery::watchPane(RichTextPane* pane) {
    // A pane made after the load starts from what it loaded.
    m_editCounts.insert(pane, pane->editCount());
    connect(pane, &QPlainTextEdit::textChanged, this, [this, pane] { edited(pane); });
}

void CrashRecovery::edited(RichTextPane* pane) {
    const quint64 edits = pane->editCount();
    if (!m_ctx.project.isOpen() || std::exchange(m_editCounts[pane], edits) == edits)
        return;
    m_dirty = true;
    if (!m_interval.isActive())
        m_interval.start();
    // Only restarting a timer: a nudge of an object must stay instant.
    if (pane == m_ctx.ui.Text1)
        m_settle.start();
}

bool CrashRecovery::update() {
    m_settle.stop();
    QList<RecoveredFile> changed;
    if (m_ctx.project.isOpen()) {
        for (const ProjectFile& f : m_files()) {
            if (f.isModified())
                changed << RecoveredFile{f.name, f.pane->text().toUtf8(), 0};
        }
    }
    const QString folder = m_ctx.project.isOpen() ? sessionFolder() : QString();
    if (!m_writtenFolder.isEmpty() && (changed.isEmpty() || m_writtenFolder != folder))
        discard();
    m_dirty = false;
    if (changed.isEmpty()) {
        m_interval.stop();
        return true;
    }
    if (!m_lock) {
        QDir().mkpath(folder);
        m_lock = std::make_unique<QLockFile>(folder + QStringLiteral("/lock"));
        m_lock->setStaleLockTime(0);
        m_lock->tryLock(0);
    }
    // A failure here must not disturb the editing; the next round tries again.
    if (!m_interval.isActive())
        m_interval.start();
    if (!writeRecoverySession({folder, m_ctx.project.ProjectPath, changed}))
        return false;
    m_writtenFolder = folder;
    return true;
}

void CrashRecovery::discard() {
    m_settle.stop();
    m_interval.stop();
    m_dirty = false;
    m_lock.reset(); // the lock file goes with it, before the folder
    removeRecoverySession(m_writtenFolder);
    m_writtenFolder.clear();
}

void CrashRecovery::projectLoaded() {
    // Loading is no edit.
    m_settle.stop();
    m_interval.stop();
    m_dirty = false;
    m_editCounts.clear();
    for (const ProjectFile& f : m_files()) {
        if (f.pane)
            m_editCounts.insert(f.pane, f.pane->editCount());
    }
    const QString projectPath = m_ctx.project.ProjectPath;
    const QList<RecoverySession> sessions =
        orphanedSessions(projectRecoveryFolder(recoveryRoot(), projectPath), projectPath);
    if (sessions.isEmpty())
        return;
    // Only texts younger than their files: an older one lost to a later save.
    RecoverySession session = sessions.first();
    QStringList names;
    QList<RecoveredFile> newer;
    for (const RecoveredFile& f : std::as_const(session.files)) {
        const QFileInfo onDisk(projectPath + QLatin1Char('/') + f.name);
        if (!onDisk.exists() || onDisk.lastModified().toMSecsSinceEpoch() < f.written) {
            newer << f;
            names << f.name;
        }
    }
    if (newer.isEmpty())
        return;
    session.files = newer;
    const int answer = m_ctx.dialogs->ask(
        QStringLiteral("TarvoIDE ended without saving changes to this project. Their "
                       "text was kept for:\n\n%1\n\nRestore it? (Later asks again the "
                       "next time the project is opened.)")
            .arg(names.join(QLatin1Char('\n'))),
        QStringLiteral("Recover Unsaved Changes"),
        {QStringLiteral("Restore"), QStringLiteral("Discard"), QStringLiteral("Later")}, 0);
    if (answer == 2)
        return;
    // The restored texts are safe in this session's data before the old goes.
    if (answer == 0 && !restore(session))
        return;
    removeRecoverySession(session.folder);
}

bool CrashRecovery::restore(const RecoverySession& session) {
    QList<ProjectFile> files = m_files();
    for (const RecoveredFile& recovered : session.files) {
        auto it = std::find_if(files.begin(), files.end(),
                               [&](const ProjectFile& f) { return f.name == recovered.name; });
        if (it == files.end() && m_ctx.settings.loadCode() &&
            !recovered.name.contains(QLatin1Char('/'))) {
            m_tabs.addFileTab(recovered.name); // a new text file that was never saved
            files = m_files();
            it = std::find_if(files.begin(), files.end(),
                              [&](const ProjectFile& f) { return f.name == recovered.name; });
        }
        if (it == files.end())
            continue;
        RichTextPane* pane = m_tabs.paneOfTab(it->tab); // a restored text is an edit: made now
        const TextSpan span = changedSpan(pane->text(), QString::fromUtf8(recovered.text));
        pane->select(span.start, span.removed);
        pane->setSelText(span.inserted);
        pane->setSelStart(span.start);
    }
    return update();
}

} // namespace tarvo
