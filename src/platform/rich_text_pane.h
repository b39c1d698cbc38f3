#pragma once

#include "text_codec.h"

#include <QColor>
#include <QHash>
#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <QVector>
#include <optional>

class QTextBlock;

namespace tarvo {

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

// A line's styled runs, sorted and apart, and the line's length in the
// document (line break included) when the runs were last brought up to date.
struct LineStyles {
    int length = 1;
    QVector<StyleRun> runs;
};

} // namespace pane_styles

// The text pane every subsystem uses. Positions are those of the text read
// with CR LF line breaks: a line break counts two characters (CR and LF),
// although the document keeps one. This class is the only place where the two
// kinds of position are mapped; callers only ever see CR LF positions.
class RichTextPane : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit RichTextPane(QWidget* parent = nullptr);

    // Whole text, line breaks CR LF. Setting accepts CR LF, LF or CR breaks.
    QString text() const;
    void setText(const QString& text);
    int textLength() const; // length of text(), without building it

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
    // Writes the whole text in the format the file was loaded with (CR LF and
    // UTF-8 for text that came from no file; CR LF and 8-bit text without the
    // markup for rich text), atomically. A pane whose text is
    // unchanged since loading writes back the loaded bytes exactly.
    bool saveFile(const QString& path, QString* error = nullptr);
    TextFileFormat fileFormat() const { return m_format; }

    // Text changed since the last load, save or setText (formats do not count).
    bool isModified() const;
    void markUnmodified(); // the current text becomes the baseline

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
    // Colours and weights are shown over the text and kept per line, not in the
    // document: they cost no undo step, and edits carry them along (text typed
    // inside or right after a styled stretch takes its style).
    void applyFormats(const QVector<FormatRun>& runs);

    // Replaces the colours and weights of document lines firstLine.. with
    // `styles` (positions within each line), without an undo step, and
    // repaints those lines; costs only those lines.
    void setLineStyles(int firstLine, const QVector<QVector<pane_styles::StyleRun>>& styles);
    QVector<pane_styles::StyleRun> lineStyles(int line) const;
    // Grows on every change of the text: typing, undo, redo and the program's.
    quint64 editCount() const { return m_editCount; }

    // Copies font, geometry, parent, tab-stop flag and options from `other`.
    void copyPropertiesFrom(const RichTextPane& other);

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

private:
    int toDocPos(int pos) const;   // CR LF position -> document position
    int fromDocPos(int pos) const; // document position -> CR LF position
    void onCursorChanged();
    void onContentsChanged();
    void setBaseline();
    void showRichText(const QByteArray& bytes);

    // One run's part within one line, in document positions of that line.
    struct StylePiece {
        int line;
        int from;
        int to;
        std::optional<QColor> color;
        std::optional<bool> bold;
    };
    pane_styles::CharStyle styleAt(int pos) const;
    void styleDocRange(int from, int to, const std::optional<QColor>& color,
                       const std::optional<bool>& bold);
    void applyPieces(QVector<StylePiece>& pieces);
    void resetStyles();
    void dropAllStyles();
    void onContentsChange(int pos, int removed, int added);
    void showLineStyles(int line, QTextBlock block);
    QTextCharFormat charFormat(const pane_styles::CharStyle& style);

    // The selection in CR LF positions; kept exactly as the program set it, so
    // that a selection starting at the LF of a line break reads back the same.
    int m_anchor = 0;
    int m_position = 0;
    bool m_settingSelection = false;
    bool m_replacingAll = false; // a load or setText: no modified flicker
    TextFileFormat m_format;
    QByteArray m_loadedBytes; // written back as they are while unmodified
    QString m_baseline;       // text at the last load/save/setText, LF breaks
    bool m_modified = false;
    mutable QString m_textCache;              // text() result; null when stale
    QVector<pane_styles::LineStyles> m_lines; // one per document block
    int m_stylesLength = 1;                   // sum of m_lines' lengths
    QHash<quint64, QTextCharFormat> m_charFormats;
    quint64 m_editCount = 0;
};

} // namespace tarvo
