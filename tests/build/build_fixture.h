#pragma once

#include "build/build_commands.h"
#include "build/build_console.h"
#include "ide_test.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace tarvo::testing {

const QString kCompiling = QStringLiteral("Compiling.  Please wait.");
const QString kTools = QStringLiteral("/opt/tarvo tools/");

inline QString dots(int n) {
    return QStringLiteral(" .").repeated(n);
}

class BuildTest : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        makeForm(QByteArray("ObjectsPerPage,1\r\n"));
        m_sdk = folder(QStringLiteral("SDK"));
        settings().SDKProjectPath = m_sdk;
        settings().IniPath = kTools;
    }
    QString console1() { return ui().ConsoleText1->text(); }
    QString console2() { return ui().ConsoleText2->text(); }
    bool polling() { return ui().Timer1->isActive(); }
    void poll(int times) {
        for (int i = 0; i < times; ++i)
            form->buildConsole().Timer1_Timer();
    }
    // Lets Timer1 tick as in the running IDE; false when it still polls after `limitMs`.
    bool waitUntilPollingStops(int limitMs) {
        QElapsedTimer clock;
        clock.start();
        while (polling() && clock.elapsed() < limitMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return !polling();
    }
    QString m_sdk;
};

} // namespace tarvo::testing
