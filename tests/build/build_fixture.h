#pragma once

#include "build/build_commands.h"
#include "build/build_console.h"
#include "ide_test.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace tarvo::testing {

const QString kCompiling = QStringLiteral("Compiling.  Please wait.");

class BuildTest : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        makeForm(QByteArray("ObjectsPerPage,1\r\n"));
    }
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
};

} // namespace tarvo::testing
