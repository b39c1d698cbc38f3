#include "ide_test.h"

#include <QTabBar>

namespace tarvo::testing {

Form1& IdeTest::makeForm(const QString& iniFolder) {
    form.reset(); // the old window lets go of its controls before the new one starts
    const QString folder = iniFolder.isEmpty() ? dir.path() : iniFolder;
    form = std::make_unique<Form1>(Form1Services{&dialogs, &starter, folder});
    return *form;
}

Form1& IdeTest::makeForm(const QByteArray& ini, const QString& iniFolder) {
    writeFile(QDir(iniFolder.isEmpty() ? dir.path() : iniFolder).filePath("IDE.ini"), ini);
    return makeForm(iniFolder);
}

QString IdeTest::folder(const QString& relative) const {
    QDir().mkpath(path(relative));
    return path(relative) + '/';
}

QStringList IdeTest::tabTexts() const {
    QStringList out;
    for (int i = 0; i < form->ui().TabStrip1->count(); ++i)
        out << form->ui().TabStrip1->tabText(i);
    return out;
}

} // namespace tarvo::testing
