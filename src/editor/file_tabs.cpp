#include "file_tabs.h"

#include "app/core/ide_context.h"
#include "colorizer.h"
#include "platform/background_work.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/pane_family.h"
#include "platform/paths.h"
#include "platform/rich_text_pane.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>

namespace tarvo {

namespace {

const QString kDeletedMark = QStringLiteral(" (deleted)");
constexpr qint64 kSliceMs = 8; // well under a frame

QString welcomeText(const QString& sdkProjectPath) {
    const QString sample =
        sdkProjectPath.isEmpty()
            ? QStringLiteral("the folder Template of the SDK folder (SDKProjectPath in IDE.ini)")
            : QDir::toNativeSeparators(sdkProjectPath + QStringLiteral("Template"));
    return QStringLiteral("No project is open.\n\n"
                          "Ctrl+L opens a project: choose its main.c.\n"
                          "Ctrl+N creates a new project as a copy of the SDK's template.\n\n"
                          "The sample project to start from is %1.")
        .arg(sample);
}

} // namespace

FileTabs::FileTabs(IdeContext& ctx, Colorizer& colorizer) : m_ctx(ctx), m_colorizer(colorizer) {
    // A tab chosen with the mouse hands the keyboard to its pane, once the
    // click has shown it, so that typing goes on where the caret was.
    QObject::connect(m_ctx.ui.TabStrip1, &QTabBar::tabBarClicked, m_ctx.ui.form, [this] {
        QTimer::singleShot(0, m_ctx.ui.form, [this] {
            if (RichTextPane* pane = paneInUse())
                pane->setFocus(Qt::MouseFocusReason);
        });
    });
}

namespace {

// Adds many tabs at the end of the strip at once. QTabBar lays out all its
// tabs after each insert, shown or not, which grows with the square of their
// number; a tab hidden with setTabVisible costs that layout almost nothing.
// So each added tab stays hidden (and the strip too) until the batch ends;
// then they are all shown again and laid out once.
class TabBatch {
public:
    explicit TabBatch(QTabBar* strip)
        : m_strip(strip), m_first(strip->count()), m_shown(strip->isVisible()),
          m_focused(strip->hasFocus()) {
        if (m_shown)
            m_strip->hide();
    }
    ~TabBatch() {
        for (int i = m_first; i < m_strip->count(); ++i)
            m_strip->setTabVisible(i, true);
        if (!m_shown)
            return;
        m_strip->show();
        if (m_focused)
            m_strip->setFocus();
    }
    TabBatch(const TabBatch&) = delete;
    TabBatch& operator=(const TabBatch&) = delete;

    void add(const QString& caption) {
        const int at = m_strip->addTab(caption);
        m_strip->setTabData(at, caption);
        // Hiding the current tab would choose another one.
        if (at != m_strip->currentIndex())
            m_strip->setTabVisible(at, false);
    }

private:
    QTabBar* m_strip;
    int m_first;
    bool m_shown;
    bool m_focused;
};

} // namespace

bool FileTabs::ShowFileList(const QString& folderspec, QString* error,
                            QHash<QString, QByteArray>* readAlready) {
    QStringList names;
    if (!FileOps::ListFiles(folderspec, &names, error))
        return false;
    QTabBar* strip = m_ctx.ui.TabStrip1;
    const QSignalBlocker block(strip);
    TabBatch batch(strip);
    int n = 2;
    bool failed = false;
    // The strip lays out all its tabs for each one added: thousands take long
    // enough to freeze the window, so they are added a slice at a time.
    runInSlices([&] {
        QElapsedTimer clock;
        clock.start();
        while (n - 2 < names.size() && clock.elapsed() < kSliceMs) {
            const QString& name = names[n - 2];
            ++n;
            const QString path = folderspec + PathSep() + name;
            QByteArray bytes = readAlready ? readAlready->take(path) : QByteArray();
            // No tab for a file that could not be read: Save Project would
            // otherwise overwrite it with the empty pane.
            if (bytes.isNull() && !FileOps::ReadAll(path, &bytes, error)) {
                if (error)
                    *error = QStringLiteral("%1: %2").arg(name, *error);
                failed = true;
                return false;
            }
            // The pane's widget and its text are made when first needed.
            m_ctx.ui.OtherTextFile->createLoaded(n, bytes);
            batch.add(name);
        }
        return n - 2 < names.size();
    });
    if (failed)
        return false;
    m_ctx.ui.NewTextFile->setEnabled(true);
    return true;
}

void FileTabs::TabStrip1_Click() {
    const int i = selectedTab();
    m_ctx.ui.StatusBar1->clearMessage();
    if (i == 1) {
        m_ctx.ui.Text1->show();
        m_ctx.ui.resourceh->hide();
        hideCodePanes();
    } else if (i == 2) {
        m_colorizer.ColorizeWords(2);
        m_ctx.ui.Text1->hide();
        hideCodePanes();
        m_ctx.ui.resourceh->show();
    } else {
        m_ctx.ui.Text1->hide();
        m_ctx.ui.resourceh->hide();
        hideCodePanes();
        showCodePane(i);
    }
}

void FileTabs::NewTextFile_Click() {
    // Only once the strip holds the two resource tabs of an open project.
    if (tabCount() < 2)
        return;
    const QString name =
        m_ctx.dialogs->inputBox(QStringLiteral("Please enter the name of the new file"),
                                QStringLiteral("Create Project"), QString());
    if (name.isEmpty())
        return;
    const QString refusal = newFileNameRefusal(name);
    if (!refusal.isEmpty()) {
        m_ctx.dialogs->message(refusal, QStringLiteral("New Text File"));
        return;
    }

    QTabBar* strip = m_ctx.ui.TabStrip1;
    const int n = tabCount() + 1;
    m_ctx.ui.OtherTextFile->create(n)->hide();
    {
        const QSignalBlocker block(strip);
        const int at = strip->insertTab(n - 1, name);
        strip->setTabData(at, name);
    }
    m_ctx.ui.Text1->hide();
    m_ctx.ui.resourceh->hide();
    hideCodePanes();
    showCodePane(n);
    // Selecting the tab here does what choosing it would; colouring it a
    // second time would change nothing.
    const QSignalBlocker block(strip);
    strip->setCurrentIndex(n - 1);
    m_ctx.ui.StatusBar1->clearMessage();
}

void FileTabs::OtherTextFile_DblClick(int /*Index*/) {}

QString FileTabs::newFileNameRefusal(const QString& name) const {
    if (name.contains(PathSep()) || name.contains(QLatin1Char('/')) ||
        name.contains(QLatin1Char('\\')))
        return QStringLiteral("The name \"%1\" contains a folder separator. A new text file "
                              "can only be created directly in the project folder.")
            .arg(name);
    if (name.contains(QLatin1String("..")))
        return QStringLiteral("The name \"%1\" contains \"..\". A new text file can only be "
                              "created directly in the project folder.")
            .arg(name);
    // File names differ only by more than letter case on the handheld's
    // desktop, so "Main.c" would be saved over "main.c".
    for (int i = 1; i <= tabCount(); ++i) {
        if (tabCaption(i).compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("A file tab named \"%1\" is already open. Please choose "
                                  "another name.")
                .arg(tabCaption(i));
    }
    return {};
}

bool FileTabs::isColouredCaption(const QString& caption) {
    return caption.endsWith(QLatin1String(".c")) || caption.endsWith(QLatin1String(".h")) ||
           caption.endsWith(QLatin1String(".cpp"));
}

void FileTabs::hideCodePanes() {
    // Only a pane whose widget was made can be on view.
    for (int i : m_ctx.ui.OtherTextFile->indices()) {
        if (RichTextPane* pane = m_ctx.ui.OtherTextFile->madeAt(i))
            pane->hide();
    }
}

void FileTabs::showCodePane(int i) {
    RichTextPane* pane = m_ctx.ui.OtherTextFile->at(i);
    if (!pane)
        return;
    pane->setGeometry(m_ctx.ui.Text1->geometry());
    if (isColouredCaption(tabCaption(i)))
        m_colorizer.ColorizeWords(i);
    pane->show();
}

void FileTabs::followText1() {
    m_ctx.ui.OtherTextFile->setRect(m_ctx.ui.Text1->geometry());
}

void FileTabs::showWelcome() {
    m_ctx.ui.Text1->setPlaceholderText(welcomeText(m_ctx.settings.SDKProjectPath));
}

void FileTabs::resetToResourceTabs() {
    m_ctx.ui.Text1->setPlaceholderText(QString());
    QTabBar* strip = m_ctx.ui.TabStrip1;
    const QSignalBlocker block(strip);
    for (int i : m_ctx.ui.OtherTextFile->indices())
        m_ctx.ui.OtherTextFile->destroy(i);
    while (strip->count() > 0)
        strip->removeTab(0);
    for (const QString& caption : {QStringLiteral("resource.txt"), QStringLiteral("resource.h")}) {
        const int at = strip->addTab(caption);
        strip->setTabData(at, caption);
    }
}

int FileTabs::addFileTab(const QString& caption) {
    QTabBar* strip = m_ctx.ui.TabStrip1;
    const int n = tabCount() + 1;
    m_ctx.ui.OtherTextFile->create(n)->hide();
    const QSignalBlocker block(strip);
    strip->setTabData(strip->insertTab(n - 1, caption), caption);
    return n;
}

void FileTabs::setTabModified(int i, bool modified) {
    QTabBar* strip = m_ctx.ui.TabStrip1;
    if (i < 1 || i > strip->count())
        return;
    const QString caption = tabCaption(i);
    strip->setTabData(i - 1, caption);
    QString text = modified ? caption + QLatin1Char('*') : caption;
    if (!strip->tabToolTip(i - 1).isEmpty())
        text += kDeletedMark;
    // Any new text lays the whole strip out again, even the same one: a look
    // at thousands of unchanged files would take seconds.
    if (strip->tabText(i - 1) != text)
        strip->setTabText(i - 1, text);
}

void FileTabs::setTabDeleted(int i, bool deleted) {
    QTabBar* strip = m_ctx.ui.TabStrip1;
    if (i < 1 || i > strip->count())
        return;
    const QString caption = tabCaption(i);
    const bool modified = strip->tabText(i - 1).startsWith(caption + QLatin1Char('*'));
    strip->setTabToolTip(i - 1, deleted ? QStringLiteral("%1 is no longer on disk; Save Project "
                                                         "asks before writing it again.")
                                              .arg(caption)
                                        : QString());
    setTabModified(i, modified);
}

int FileTabs::tabCount() const {
    return m_ctx.ui.TabStrip1->count();
}

int FileTabs::selectedTab() const {
    return std::max(0, m_ctx.ui.TabStrip1->currentIndex()) + 1;
}

QString FileTabs::tabCaption(int i) const {
    const QTabBar* strip = m_ctx.ui.TabStrip1;
    if (i < 1 || i > strip->count())
        return {};
    const QVariant data = strip->tabData(i - 1);
    return data.isValid() ? data.toString() : strip->tabText(i - 1);
}

RichTextPane* FileTabs::paneOfTab(int i) const {
    if (i == 1)
        return m_ctx.ui.Text1;
    if (i == 2)
        return m_ctx.ui.resourceh;
    return i >= 3 ? m_ctx.ui.OtherTextFile->at(i) : nullptr;
}

RichTextPane* FileTabs::madePaneOfTab(int i) const {
    return i >= 3 ? m_ctx.ui.OtherTextFile->madeAt(i) : paneOfTab(i);
}

bool FileTabs::reloadUnmadePane(int i, const QByteArray& bytes) {
    PaneFamily* family = m_ctx.ui.OtherTextFile;
    if (i < 3 || !family->exists(i) || family->madeAt(i))
        return false;
    family->createLoaded(i, bytes);
    return true;
}

int FileTabs::tabOfPane(const RichTextPane* pane) const {
    if (!pane)
        return 0;
    for (int i = 1; i <= tabCount(); ++i) {
        if (madePaneOfTab(i) == pane)
            return i;
    }
    return 0;
}

RichTextPane* FileTabs::paneInUse() const {
    RichTextPane* pane = paneOfTab(selectedTab());
    // After the resource menu commands another pane can be on view than the
    // selected tab's; the user means the one they see.
    if (!pane || pane->isHidden()) {
        if (RichTextPane* onView = paneOnView())
            return onView;
    }
    return pane;
}

RichTextPane* FileTabs::paneOnView() const {
    for (int i = 1; i <= std::max(2, tabCount()); ++i) {
        // A pane whose widget was never made has never been shown.
        RichTextPane* pane = madePaneOfTab(i);
        if (pane && !pane->isHidden())
            return pane;
    }
    return nullptr;
}

} // namespace tarvo
