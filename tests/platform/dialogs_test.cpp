#include "platform/dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Presses `key` in the real question box once it is up.
int answerWithKey(Qt::Key key) {
    QTimer::singleShot(0, [key] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QTest::keyClick(box, key);
        if (box->isVisible()) // a key the box ignored must not hang the test
            box->defaultButton()->click();
    });
    return tarvo::QtDialogs(nullptr).ask(
        QStringLiteral("FILE has changed on disk."), QStringLiteral("Tarvo IDE"),
        {QStringLiteral("Overwrite"), QStringLiteral("Skip"), QStringLiteral("Cancel")}, 1);
}

TEST(QtDialogsAsk, EnterTakesTheDefaultButtonAndEscapeTheLast) {
    EXPECT_EQ(answerWithKey(Qt::Key_Return), 1);
    EXPECT_EQ(answerWithKey(Qt::Key_Escape), 2);
}

} // namespace
