#include "dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tarvo {

void QtDialogs::message(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title,
                            const QString& defaultText) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString QtDialogs::toQtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

QString QtDialogs::openFile(const QString& fileName, const QString& filter) {
    // The name may carry a folder and a pattern ("C:\P\*.*"); start in the folder.
    const QFileInfo info(fileName);
    const bool isPattern = info.fileName().contains(QLatin1Char('*'));
    const QString start = isPattern ? info.path() : fileName;
    return QFileDialog::getOpenFileName(m_parent, QString(), start, toQtFilter(filter));
}

SaveAnswer QtDialogs::askSave(const QString& text, const QString& title) {
    const auto answer = QMessageBox::question(
        m_parent, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
        QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return SaveAnswer::Save;
    if (answer == QMessageBox::Discard)
        return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

bool QtDialogs::confirm(const QString& text, const QString& title) {
    return QMessageBox::question(m_parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

int QtDialogs::ask(const QString& text, const QString& title, const QStringList& buttons,
                   int defaultButton) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, m_parent);
    QList<QAbstractButton*> added;
    for (const QString& caption : buttons)
        added << box.addButton(caption, QMessageBox::AcceptRole);
    if (added.isEmpty())
        added << box.addButton(QMessageBox::Ok);
    box.setDefaultButton(qobject_cast<QPushButton*>(
        added.value(std::clamp<int>(defaultButton, 0, int(added.size()) - 1))));
    box.setEscapeButton(added.last());
    box.exec();
    const int chosen = int(added.indexOf(box.clickedButton()));
    return chosen < 0 ? int(added.size()) - 1 : chosen;
}

void ScriptedDialogs::message(const QString& text, const QString& title) {
    shown.append({QStringLiteral("message"), text, title, QString()});
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) {
    shown.append({QStringLiteral("input"), prompt, title, defaultText});
    return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
}

QString ScriptedDialogs::openFile(const QString& fileName, const QString& filter) {
    shown.append({QStringLiteral("open"), fileName, QString(), filter});
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

SaveAnswer ScriptedDialogs::askSave(const QString& text, const QString& title) {
    shown.append({QStringLiteral("askSave"), text, title, QString()});
    return saveAnswers.isEmpty() ? SaveAnswer::Cancel : saveAnswers.takeFirst();
}

bool ScriptedDialogs::confirm(const QString& text, const QString& title) {
    shown.append({QStringLiteral("confirm"), text, title, QString()});
    return confirmAnswers.isEmpty() ? false : confirmAnswers.takeFirst();
}

int ScriptedDialogs::ask(const QString& text, const QString& title, const QStringList& buttons,
                         int defaultButton) {
    shown.append(
        {QStringLiteral("ask"), text, title, buttons.join(QLatin1Char('|')), defaultButton});
    if (askAnswers.isEmpty())
        return defaultButton;
    const QString answer = askAnswers.takeFirst();
    // A caption the box does not have reads as Escape.
    const int chosen = int(buttons.indexOf(answer));
    return chosen < 0 ? int(buttons.size()) - 1 : chosen;
}

QList<ScriptedDialogs::Shown> ScriptedDialogs::questions() const {
    QList<Shown> out;
    for (const Shown& s : shown)
        if (s.kind == QLatin1String("ask"))
            out << s;
    return out;
}

QStringList ScriptedDialogs::messages() const {
    QStringList out;
    for (const Shown& s : shown)
        if (s.kind == QLatin1String("message"))
            out << s.text;
    return out;
}

} // namespace tarvo
