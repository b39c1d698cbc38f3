#include "background_work.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <memory>

namespace tarvo {

void runInBackground(const std::function<void()>& work) {
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create(work));
    // Queued to this thread: a thread that ends before exec() still ends the loop.
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    QGuiApplication::restoreOverrideCursor();
}

} // namespace tarvo
