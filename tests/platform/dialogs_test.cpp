#include "platform/dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tarvo;

namespace {

// Presses `key` in the question box once it is up; `click` names a button to
// click instead.
int answerBox(int key, const QString& click = {}) {
    QTimer::singleShot(0, [key, click] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == click) {
                b->click();
                return;
            }
        }
        QTest::keyClick(box, Qt::Key(key));
        if (box->isVisible()) // a key the box ignored must not hang the test
            box->defaultButton()->click();
    });
    QtDialogs dialogs(nullptr);
    return dialogs.ask(
        QStringLiteral("FILE has changed on disk."), QStringLiteral("Tarvo IDE"),
        {QStringLiteral("Overwrite"), QStringLiteral("Skip"), QStringLiteral("Cancel")}, 1);
}

TEST(QtDialogsAsk, EnterTakesTheDefaultEscapeTheLastAndAClickItsButton) {
    EXPECT_EQ(answerBox(Qt::Key_Return), 1);
    EXPECT_EQ(answerBox(Qt::Key_Escape), 2);
    EXPECT_EQ(answerBox(0, QStringLiteral("Overwrite")), 0);
}

} // namespace
