#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tarvo {

enum class SaveAnswer { Save, Discard, Cancel };

// Every modal question the IDE asks goes through this, so that tests can
// script the answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box with an OK button only.
    virtual void message(const QString& text, const QString& title) = 0;
    // An input box; the empty text when cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
    // The open-file dialog: `fileName` is the initial name (may hold a folder
    // and a pattern), `filter` is in the "Label|pattern;pattern|Label|pattern"
    // form. Returns the chosen path, or the empty text when cancelled.
    virtual QString openFile(const QString& fileName, const QString& filter) = 0;
    // Save / Discard / Cancel.
    virtual SaveAnswer askSave(const QString& text, const QString& title) = 0;
    // Yes / No; true for Yes.
    virtual bool confirm(const QString& text, const QString& title) = 0;
    // A question with the given buttons, in order; returns the index of the
    // one chosen. Enter chooses `defaultButton`; Escape and closing the box
    // choose the last button, so put the answer that changes nothing last.
    virtual int ask(const QString& text, const QString& title, const QStringList& buttons,
                    int defaultButton) = 0;
};

// The real boxes, parented to `parent`.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : m_parent(parent) {}
    void message(const QString& text, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    QString openFile(const QString& fileName, const QString& filter) override;
    SaveAnswer askSave(const QString& text, const QString& title) override;
    bool confirm(const QString& text, const QString& title) override;
    int ask(const QString& text, const QString& title, const QStringList& buttons,
            int defaultButton) override;

    // "Code (main.c)|main.c" -> "Code (main.c) (main.c)" for QFileDialog.
    static QString toQtFilter(const QString& filter);

private:
    QWidget* m_parent = nullptr;
};

// For tests: answers come from queues, every box shown is recorded.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString kind; // "message", "input", "open", "askSave", "confirm", "ask"
        QString text; // the message or prompt, or the file name given to the open dialog
        QString title;
        QString extra;       // the default text, or the filter, or the buttons joined by "|"
        int defaultButton{}; // of an "ask"
    };

    QStringList inputAnswers;
    QStringList openAnswers;
    QList<SaveAnswer> saveAnswers;
    QList<bool> confirmAnswers;
    // Button captions for ask(); when none is queued the default button is chosen.
    QStringList askAnswers;
    QList<Shown> shown;

    void message(const QString& text, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    QString openFile(const QString& fileName, const QString& filter) override;
    SaveAnswer askSave(const QString& text, const QString& title) override;
    bool confirm(const QString& text, const QString& title) override;
    int ask(const QString& text, const QString& title, const QStringList& buttons,
            int defaultButton) override;

    QStringList messages() const;   // texts of the message boxes, in order
    QList<Shown> questions() const; // the ask() boxes, in order
};

} // namespace tarvo
