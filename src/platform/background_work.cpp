#include "background_work.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>
#include <memory>

namespace tarvo {

namespace {

// Input waits until the loop ends, so that no command starts in the middle.
void runLoopWithoutInput(QEventLoop& loop) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QGuiApplication::restoreOverrideCursor();
}

} // namespace

void runInBackground(const std::function<void()>& work) {
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create(work));
    // Queued to this thread: a thread that ends before exec() still ends the loop.
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    thread->start();
    runLoopWithoutInput(loop);
    thread->wait(); // the loop may have been ended early by an application quit
}

void runInSlices(const std::function<bool()>& slice) {
    if (!slice())
        return;
    QEventLoop loop;
    QTimer next;
    QObject::connect(&next, &QTimer::timeout, &loop, [&] {
        if (!slice()) {
            next.stop();
            loop.quit();
        }
    });
    next.start(0);
    runLoopWithoutInput(loop);
    // An application quit ends the loop early; the work is finished all the same.
    while (next.isActive() && slice()) {
    }
}

} // namespace tarvo
