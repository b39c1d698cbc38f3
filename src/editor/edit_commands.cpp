#include "edit_commands.h"

#include "app/core/ide_context.h"
#include "file_tabs.h"
#include "platform/dialogs.h"
#include "platform/rich_text_pane.h"

#include <QAction>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace tarvo {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

int leadingBlanks(QStringView text) {
    int n = 0;
    while (n < text.size() && isBlank(text[n]))
        ++n;
    return n;
}

const QString kGoToLineTitle = QStringLiteral("Go to Line");
const QString kReplaceTitle = QStringLiteral("Replace");

} // namespace

QString lineBreakWithIndent(QStringView beforeCaret, int tabSpace) {
    QString indent = beforeCaret.left(leadingBlanks(beforeCaret)).toString();
    const QStringView text = beforeCaret.trimmed();
    if (!text.isEmpty() && text.back() == u'{') {
        const bool spaces = tabSpace >= 1 && !indent.contains(u'\t');
        indent += spaces ? QString(tabSpace, u' ') : QStringLiteral("\t");
    }
    return QLatin1Char('\n') + indent;
}

QString lineWithClosingBrace(QStringView blanks, int tabSpace) {
    int keep = int(blanks.size());
    if (keep > 0 && blanks[keep - 1] == u'\t') {
        --keep;
    } else {
        for (int removed = 0; removed < tabSpace && keep > 0 && blanks[keep - 1] == u' '; ++removed)
            --keep;
    }
    return blanks.left(keep).toString() + QLatin1Char('}');
}

int lineNumberFromAnswer(const QString& answer, int lineCount) {
    const QString digits = answer.trimmed();
    if (digits.isEmpty())
        return 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return 0;
    }
    bool ok = false;
    const int line = digits.toInt(&ok);
    return ok && line >= 1 && line <= lineCount ? line : 0;
}

QVector<int> occurrences(QStringView text, const QString& what) {
    QVector<int> hits;
    if (what.isEmpty())
        return hits;
    for (qsizetype at = text.indexOf(what, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(what, at + what.size(), Qt::CaseInsensitive))
        hits.append(int(at));
    return hits;
}

EditCommands::EditCommands(IdeContext& ctx, FileTabs& tabs) : m_ctx(ctx), m_tabs(tabs) {
    auto addKey = [this](const char* name, QKeySequence key, void (EditCommands::*handler)()) {
        auto* action = new QAction(m_ctx.ui.form);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        m_ctx.ui.form->addAction(action);
        connect(action, &QAction::triggered, this, handler);
    };
    addKey("GoToLine", QKeySequence(Qt::CTRL | Qt::Key_G), &EditCommands::GoToLine_Click);
    addKey("Replace", QKeySequence(Qt::CTRL | Qt::Key_H), &EditCommands::Replace_Click);
    attachPane(m_ctx.ui.Text1);
    attachPane(m_ctx.ui.resourceh);
}

void EditCommands::attachPane(RichTextPane* pane) {
    if (pane)
        pane->installEventFilter(this);
}

bool EditCommands::eventFilter(QObject* watched, QEvent* event) {
    auto* pane = qobject_cast<RichTextPane*>(watched);
    if (!pane || event->type() != QEvent::KeyPress || pane->isReadOnly())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        modifiers == Qt::NoModifier) {
        breakLine(*pane);
        return true;
    }
    if (key->text() == QLatin1String("}") &&
        !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return typeClosingBrace(*pane);
    return false;
}

void EditCommands::breakLine(RichTextPane& pane) {
    QTextCursor c = pane.textCursor();
    const QTextBlock block = pane.document()->findBlock(c.selectionStart());
    const QString before = block.text().left(c.selectionStart() - block.position());
    c.insertText(lineBreakWithIndent(before, m_ctx.settings.TabSpace));
    pane.setTextCursor(c);
    pane.ensureCursorVisible();
}

bool EditCommands::typeClosingBrace(RichTextPane& pane) {
    QTextCursor c = pane.textCursor();
    const QString line = c.block().text();
    if (c.hasSelection() || line.isEmpty() || leadingBlanks(line) != line.size())
        return false;
    const int start = c.block().position();
    c.setPosition(start);
    c.setPosition(start + int(line.size()), QTextCursor::KeepAnchor);
    c.insertText(lineWithClosingBrace(line, m_ctx.settings.TabSpace));
    pane.setTextCursor(c);
    return true;
}

void EditCommands::GoToLine_Click() {
    RichTextPane* pane = m_tabs.paneInUse();
    if (!pane)
        return;
    const QTextDocument* doc = pane->document();
    const int lines = doc->blockCount();
    const QString answer =
        m_ctx.dialogs->inputBox(QStringLiteral("Line number (1 to %1):").arg(lines), kGoToLineTitle,
                                QString::number(pane->textCursor().blockNumber() + 1));
    if (answer.isEmpty())
        return;
    const int line = lineNumberFromAnswer(answer, lines);
    if (line == 0) {
        m_ctx.dialogs->message(
            QStringLiteral("\"%1\" is not a line number from 1 to %2.").arg(answer).arg(lines),
            kGoToLineTitle);
        return;
    }
    // CR LF position of the line's start: every break before it counts two.
    pane->setSelStart(doc->findBlockByNumber(line - 1).position() + line - 1);
    pane->setFocus();
}

void EditCommands::Replace_Click() {
    RichTextPane* pane = m_tabs.paneInUse();
    if (!pane)
        return;
    const QString what =
        m_ctx.dialogs->inputBox(QStringLiteral("Find:"), kReplaceTitle, m_ctx.editor.FindText);
    if (what.isEmpty())
        return;
    const QString with = m_ctx.dialogs->inputBox(QStringLiteral("Replace \"%1\" with:").arg(what),
                                                 kReplaceTitle, QString());
    if (with.isEmpty())
        return;
    m_ctx.editor.FindText = what;

    QTextDocument* doc = pane->document();
    QVector<int> hits;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (int at : occurrences(b.text(), what))
            hits.append(b.position() + at);
    }
    if (!hits.isEmpty()) {
        // From the last, so that the positions before stay as found.
        QTextCursor c(doc);
        c.beginEditBlock();
        for (auto it = hits.crbegin(); it != hits.crend(); ++it) {
            c.setPosition(*it);
            c.setPosition(*it + int(what.size()), QTextCursor::KeepAnchor);
            c.insertText(with);
        }
        c.endEditBlock();
    }
    m_ctx.dialogs->message(hits.size() == 1
                               ? QStringLiteral("Replaced 1 occurrence.")
                               : QStringLiteral("Replaced %1 occurrences.").arg(hits.size()),
                           kReplaceTitle);
    pane->setFocus();
}

} // namespace tarvo
