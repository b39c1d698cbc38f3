#pragma once

// A main window on scripted dialogs and a recording program starter, reading
// an IDE.ini of its own so that nothing of the user's is touched.
#include "app/form1.h"
#include "platform/dialogs.h"
#include "platform/program_starter.h"
#include "platform/rich_text_pane.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace tarvo::testing {

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QFile ini(m_dir.filePath(QStringLiteral("IDE.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("ObjectsPerPage,1\r\n");
        ini.close();
        m_form = std::make_unique<Form1>(Form1Services{&m_dialogs, &m_starter, m_dir.path()});
    }

    // A folder inside the test's own temporary folder, ending in a separator.
    QString folder(const QString& name) const {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(path);
        return path + QStringLiteral("/");
    }

    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(bytes);
    }

    Settings& settings() { return m_form->context().settings; }
    Controls& ui() { return m_form->ui(); }
    QString console1() { return ui().ConsoleText1->text(); }
    QString console2() { return ui().ConsoleText2->text(); }
    bool polling() { return ui().Timer1->isActive(); }

    // Runs the event loop, so Timer1 ticks as in the running IDE, until the
    // console stops polling; false when it still polls after `limitMs`.
    bool waitUntilPollingStops(int limitMs) {
        QElapsedTimer clock;
        clock.start();
        while (polling() && clock.elapsed() < limitMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return !polling();
    }

    QTemporaryDir m_dir;
    ScriptedDialogs m_dialogs;
    RecordingProgramStarter m_starter;
    std::unique_ptr<Form1> m_form;
};

} // namespace tarvo::testing
