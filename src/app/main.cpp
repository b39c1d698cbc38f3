#include "form1.h"

#include <QApplication>
#include <csignal>

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // Past a file-size limit a write then fails with EFBIG and is reported,
    // instead of ending the IDE with the unsaved work.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TarvoIDE"));
    tarvo::Form1 window;
    window.show();
    return app.exec();
}
