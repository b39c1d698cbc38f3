#pragma once

#include "changed_lines.h"
#include "style_bytes.h"
#include "text_codec.h"

#include <QColor>
#include <QHash>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QVector>
#include <optional>

namespace tarvo {

class LineNumberGutter;

namespace pane_styles {

// Colour and weight shown for one character on top of the plain text.
struct CharStyle {
    QRgb color = 0;
    bool hasColor = false;
    bool bold = false;
    bool isPlain() const { return !hasColor && !bold; }
    bool operator==(const CharStyle& o) const {
        return hasColor == o.hasColor && bold == o.bold && (!hasColor || color == o.color);
    }
    bool operator!=(const CharStyle& o) const { return !(*this == o); }
};

// Characters start..start+length of one line (document positions within the
// line) share a style other than plain.
struct StyleRun {
    int start = 0;
    int length = 0;
    CharStyle style;
};

} // namespace pane_styles

// The text pane every subsystem uses. Positions are those of the text read
// with CR LF line breaks: a line break counts two characters (CR and LF),
// although the document keeps one. This class is the only place where the two
// kinds of position are mapped; callers only ever see CR LF positions.
//
// A file loaded while the pane is hidden is kept as its bytes until the pane
// is shown or a call needs the text: every method of this class behaves the
// same either way. isBuilt() tells without building; document() and
// textCursor() build first.
class RichTextPane : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit RichTextPane(QWidget* parent = nullptr);

    // Whole text, line breaks CR LF. Setting accepts CR LF, LF or CR breaks.
    // A pane that keeps part of its text out of the document (the console)
    // reads it back through these two.
    virtual QString text() const;
    void setText(const QString& text);
    virtual int textLength() const; // length of text(), without building the string

    // Setting the start puts the caret there with an empty selection and
    // scrolls to it (clamped to 0..textLength()).
    int selStart() const;
    void setSelStart(int pos);
    // Length of the selection from selStart (clamped to the end of the text).
    int selLength() const;
    void setSelLength(int length);
    void select(int start, int length); // setSelStart then setSelLength

    QString selText() const;
    // Puts `text` in place of the selection and leaves an empty selection just
    // behind it.
    void setSelText(const QString& text);

    // Colour and weight of the selected characters only.
    void setSelColor(const QColor& color);
    void setSelBold(bool bold);
    // Colour (invalid when none was given) and weight shown for the character
    // at CR LF position `pos`; line breaks and positions outside the text have
    // neither.
    QColor colorAt(int pos) const;
    bool boldAt(int pos) const;

    // First occurrence of `what` at or after `start`, letter case ignored. A
    // hit becomes the selection and its position is returned; a miss returns
    // -1 and leaves the selection alone. Empty `what` finds nothing.
    int find(const QString& what, int start);
    // Without a start: searches only the selection when something is selected,
    // else the whole text.
    int find(const QString& what);

    // 0-based number of the line holding position `pos`.
    int lineFromChar(int pos) const;

    // Replaces the whole content with the file's text: rich text ("{\rtf")
    // shows its text with bold and colour, any other file its plain text.
    // False (content kept) when the file cannot be opened; `error` names the
    // reason.
    bool loadFile(const QString& path, QString* error = nullptr);
    // The same for a file's bytes read already.
    void loadData(const QByteArray& bytes);
    // Writes the file's bytes back with only the edited text changed: each
    // line keeps its line end, byte-order marks and bytes the encoding cannot
    // read stay as they were; a typed line break takes the file's most used
    // line end. Text that came from no file is written as UTF-8 with CR LF;
    // rich text as its plain 8-bit text. Atomic.
    bool saveFile(const QString& path, QString* error = nullptr);
    TextFileFormat fileFormat() const;

    // Whether the text differs from the file's as last loaded or saved (or the
    // last setText or markUnmodified); formats do not count. Typing a
    // character and deleting it again leaves the pane unmodified.
    bool isModified() const { return m_modified; }
    void markUnmodified(); // the current text becomes the baseline

    // Whether the document holds the text; false only for a file loaded while
    // hidden and not needed since.
    bool isBuilt() const { return m_built; }
    // Grows on every change of the text: typing, undo, redo, the program's
    // own edits and loads. Building a loaded file does not count.
    quint64 editCount() const { return m_editCount; }

    // The document, built first. (QPlainTextEdit's own document() is the same
    // object, but may still be empty for a pane that is not built.)
    QTextDocument* document() const;
    QTextCursor textCursor() const;

    // Many format changes and letter-case fixes at once, in one edit block and
    // one undo step, without a selection change per run. Positions are CR LF
    // positions. `caseFix`, when set, must have the run's length and may differ
    // from the text only in letter case.
    struct FormatRun {
        int start = 0;
        int length = 0;
        std::optional<QColor> color;
        std::optional<bool> bold;
        QString caseFix;
    };
    // Colours and weights are shown over the text and kept apart from the
    // document: they cost no undo step, and edits carry them along (text typed
    // inside or right after a styled stretch takes its style).
    void applyFormats(const QVector<FormatRun>& runs);
    // Replaces the colours and weights of document lines firstLine.. with the
    // given runs (positions within the line); no undo step; costs only those
    // lines.
    void setLineStyles(int firstLine, const QVector<QVector<pane_styles::StyleRun>>& styles);
    QVector<pane_styles::StyleRun> lineStyles(int line) const;

    // Copies font, geometry, parent, tab-stop flag and options (the line
    // gutter included) from `other`.
    void copyPropertiesFrom(const RichTextPane& other);

    // A line-number gutter inside the pane's frame, so that the pane keeps
    // its size, and the caret's line highlighted. Off until switched on.
    void showLineGutter(bool on);
    LineNumberGutter* gutter() const { return m_gutter; }
    // The lines in view, top to bottom, in viewport coordinates.
    struct ShownLine {
        int line; // 0-based
        int top;
        int height;
    };
    QVector<ShownLine> shownLines() const;

signals:
    // Raised synchronously on every change of the selection or caret,
    // the program's own included.
    void SelChange();
    void GotFocus();
    void LostFocus();
    // Key code (Qt::Key, letters as upper-case ASCII) and shift state:
    // Shift 1, Ctrl 2, Alt 4.
    void KeyUp(int keyCode, int shift);
    void DblClick();
    void modifiedChanged(bool modified);

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void placeGutter();
    void highlightCaretLine();
    // A block's user state: its line end, and whether its formats must be
    // shown again. Blocks made by typing start at -1: the typed line end.
    static constexpr int kLineEndBits = 3;
    static constexpr int kStaleStyle = 4;

    QTextDocument* doc() const { return QPlainTextEdit::document(); } // never builds
    void build() const;
    void buildNow();
    // Replaces the document's text without counting it as an edit.
    void replaceDocument(const QString& text);
    void setModified(bool modified);
    void setBaselineFromDocument();
    QByteArray encodeDocument(QVector<quint32>* lineStarts) const;
    QByteArray editedBytes(QVector<quint32>* lineStarts) const;
    // `raw` is the document's whole raw text, or null to read the line alone.
    bool sameAsBaseline(int line, int baseLine, QStringView raw, TextEncoder& encoder) const;
    LineEnd lineEndOf(const QTextBlock& block) const;
    void settleLineEnds(int first, int last);

    int toDocPos(int pos) const;               // CR LF position -> document position
    int fromDocPos(int pos) const;             // document position -> CR LF position
    QString textRange(int from, int to) const; // CR LF positions
    void onCursorChanged();
    void onContentsChange(int pos, int removed, int added);
    void showRichText(const QByteArray& bytes);
    void dropTextCacheLater() const;

    pane_styles::CharStyle styleAt(int pos) const;
    quint8 styleIndex(const pane_styles::CharStyle& style);
    void styleDocRange(int from, int to, const std::optional<QColor>& color,
                       const std::optional<bool>& bold);
    void carryStyles(int pos, int removed, int added);
    void markStyleStale(int firstLine, int lastLine);
    void showStaleStyles();
    QTextCharFormat charFormat(quint8 style);

    // The selection in CR LF positions; kept exactly as the program set it, so
    // that a selection starting at the LF of a line break reads back the same.
    int m_anchor = 0;
    int m_position = 0;
    bool m_settingSelection = false;
    bool m_replacingAll = false; // the document's text is being replaced as a whole
    bool m_restyling = false;    // a relayout for new formats, no edit
    bool m_built = true;
    bool m_modified = false;
    quint64 m_editCount = 0;
    TextFileFormat m_format;
    // The file's bytes as last loaded or saved, and where each line starts in
    // them: the text of a pane not built yet, and what edits are compared with.
    QByteArray m_base;
    QVector<quint32> m_baseStarts;
    ChangedLines m_changed;
    mutable QTextBlock m_compared; // the line compared last, to step to the next
    mutable int m_comparedLine = -1;
    mutable int m_comparedPos = 0;
    int m_blockCount = 1;
    mutable QString m_textCache; // text() until the next change or event-loop turn
    mutable bool m_cacheDropPending = false;
    StyleBytes m_styles;                       // a style number per document position
    QVector<pane_styles::CharStyle> m_palette; // style number -> style; 0 is plain
    QHash<quint8, QTextCharFormat> m_charFormats;
    bool m_staleStyles = false;
    LineNumberGutter* m_gutter = nullptr;
};

} // namespace tarvo
