// Loading, building, saving and the modified state of a pane's text.
#include "rich_text_pane.h"

#include "file_ops.h"
#include "line_number_gutter.h"
#include "rtf_reader.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

namespace tarvo {

namespace {

// Building takes long enough from here on to show the hourglass.
constexpr qsizetype kBusyBytes = 1 << 20;
// Lines a change spans from which comparing them reads the whole text once.
constexpr int kWideChange = 256;

} // namespace

bool RichTextPane::loadFile(const QString& path, QString* error) {
    QByteArray bytes;
    if (!FileOps::ReadAll(path, &bytes, error))
        return false;
    loadData(bytes);
    return true;
}

void RichTextPane::loadData(const QByteArray& bytes) {
    if (isRichText(bytes)) {
        showRichText(bytes);
    } else {
        m_base = bytes.isNull() ? QByteArray("") : bytes;
        m_built = false;
        m_format = TextFileFormat{};
        replaceDocument(QString());
        m_baseStarts.clear();
        m_changed.reset();
        if (isVisible())
            buildNow();
    }
    ++m_editCount;
    setModified(false);
    m_anchor = m_position = 0;
    emit SelChange();
}

void RichTextPane::showRichText(const QByteArray& bytes) {
    const RtfText rich = readRichText(bytes);
    m_built = true;
    // Saved as plain 8-bit text: the markup is not written back.
    m_format = TextFileFormat{TextEncoding::Latin1, {}, 0xE000, LineEnd::CrLf};
    replaceDocument(rich.text);
    QVector<FormatRun> runs;
    runs.reserve(rich.runs.size());
    for (const RtfRun& r : rich.runs)
        runs.append({r.start, r.length, r.color, r.bold ? std::optional(true) : std::nullopt, {}});
    applyFormats(runs);
    setBaselineFromDocument();
}

void RichTextPane::build() const {
    if (!m_built)
        const_cast<RichTextPane*>(this)->buildNow();
}

void RichTextPane::buildNow() {
    const bool busy = m_base.size() >= kBusyBytes;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // A size change still queued for the pane would lay every line out
    // again once the text is in; taken now it costs nothing.
    QCoreApplication::sendPostedEvents(this);
    QCoreApplication::sendPostedEvents(viewport());
    m_built = true;
    DecodedText decoded = decodeText(m_base);
    m_format = decoded.format;
    replaceDocument(decoded.text);
    decoded.text = QString();
    int line = 0;
    for (QTextBlock b = doc()->begin(); b.isValid(); b = b.next(), ++line)
        b.setUserState((line < decoded.lineEnds.size() ? int(decoded.lineEnds.at(line)) : 0) |
                       kStaleStyle);
    m_baseStarts = lineStarts(m_base, m_format.prefix.size());
    m_changed.reset();
    if (busy)
        QGuiApplication::restoreOverrideCursor();
}

void RichTextPane::replaceDocument(const QString& text) {
    m_settingSelection = m_replacingAll = true;
    QPlainTextEdit::setPlainText(text);
    m_settingSelection = m_replacingAll = false;
    m_styles.reset(doc()->characterCount());
    m_blockCount = doc()->blockCount();
    m_textCache = QString();
    if (m_gutter)
        m_gutter->clearMarkers();
}

bool RichTextPane::saveFile(const QString& path, QString* error) {
    // Unchanged text is written as the very bytes it came from.
    const bool unchanged = !m_built || !m_modified;
    QVector<quint32> starts;
    const QByteArray bytes = unchanged ? m_base : editedBytes(&starts);
    if (!FileOps::WriteAllAtomic(path, bytes, error))
        return false;
    if (!unchanged) {
        m_base = bytes;
        m_baseStarts = starts;
        m_changed.reset();
    }
    setModified(false);
    return true;
}

void RichTextPane::markUnmodified() {
    build();
    setBaselineFromDocument();
}

TextFileFormat RichTextPane::fileFormat() const {
    build();
    return m_format;
}

void RichTextPane::setBaselineFromDocument() {
    m_base = encodeDocument(&m_baseStarts);
    m_changed.reset();
    setModified(false);
}

void RichTextPane::setModified(bool modified) {
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

LineEnd RichTextPane::lineEndOf(const QTextBlock& block) const {
    if (!block.next().isValid())
        return LineEnd::None;
    const int state = block.userState();
    const LineEnd end = state < 0 ? LineEnd::None : LineEnd(state & kLineEndBits);
    // A line that had none was the last one until a line was added after it.
    return end == LineEnd::None ? m_format.typedLineEnd : end;
}

QByteArray RichTextPane::encodeDocument(QVector<quint32>* starts) const {
    // One copy of the whole text is far quicker than a string per line.
    const QString raw = doc()->toRawText();
    QStringView rest(raw);
    TextEncoder encoder(m_format, raw.size());
    starts->clear();
    starts->reserve(doc()->blockCount() + 1);
    for (QTextBlock b = doc()->begin(); b.isValid(); b = b.next()) {
        const qsizetype length = std::min<qsizetype>(b.length() - 1, rest.size());
        starts->append(quint32(encoder.size()));
        encoder.addLine(rest.left(length), lineEndOf(b));
        rest = rest.mid(std::min<qsizetype>(length + 1, rest.size()));
    }
    starts->append(quint32(encoder.size()));
    return encoder.take();
}

// The loaded bytes with the changed lines written anew: an edit costs a copy
// of the file, not an encoding of all of it.
QByteArray RichTextPane::editedBytes(QVector<quint32>* starts) const {
    QByteArray out;
    out.reserve(m_base.size() + 1024);
    starts->clear();
    starts->reserve(doc()->blockCount() + 1);
    out.append(m_base.constData(), m_baseStarts.at(0));
    auto copyBase = [&](int from, int to) { // baseline lines from..to-1
        const quint32 at = m_baseStarts.at(from);
        for (int j = from; j < to; ++j)
            starts->append(quint32(out.size()) + m_baseStarts.at(j) - at);
        out.append(m_base.constData() + at, m_baseStarts.at(to) - at);
    };
    TextEncoder line(m_format);
    int base = 0;
    for (const ChangedLines::Stretch& s : m_changed.stretches()) {
        copyBase(base, s.baseFirst);
        QTextBlock b = doc()->findBlockByNumber(s.first);
        for (int k = 0; k < s.count && b.isValid(); ++k, b = b.next()) {
            starts->append(quint32(out.size()));
            line.restart();
            line.addLine(b.text(), lineEndOf(b));
            out.append(line.bytes());
        }
        base = s.baseEnd();
    }
    copyBase(base, int(m_baseStarts.size()) - 1);
    starts->append(quint32(out.size()));
    return out;
}

bool RichTextPane::sameAsBaseline(int line, int baseLine, QStringView raw,
                                  TextEncoder& encoder) const {
    if (baseLine < 0 || baseLine + 1 >= m_baseStarts.size())
        return false;
    // Lines are asked for in order: the next one is the next block, and it
    // starts where the last one ended (asking a block for its position walks
    // the document's tree).
    if (m_compared.isValid() && m_comparedLine + 1 == line) {
        m_comparedPos += m_compared.length();
        m_compared = m_compared.next();
    } else {
        m_compared = doc()->findBlockByNumber(line);
        m_comparedPos = m_compared.isValid() ? m_compared.position() : 0;
    }
    m_comparedLine = line;
    if (!m_compared.isValid())
        return false;
    const QString own = raw.isNull() ? m_compared.text() : QString();
    const QStringView text =
        raw.isNull() ? QStringView(own) : raw.mid(m_comparedPos, m_compared.length() - 1);
    const quint32 from = m_baseStarts.at(baseLine);
    const quint32 to = m_baseStarts.at(baseLine + 1);
    return encoder.writesAs(text, lineEndOf(m_compared),
                            QByteArrayView(m_base).sliced(from, to - from));
}

// A block split in two keeps its state in the first part, and the parts after
// it start new (-1); but the old line end now ends the last part, and the
// breaks before it were typed. (A join keeps the state of the later line,
// whose line end the joined line does have.) The same pass marks the lines'
// styles to be shown again.
void RichTextPane::settleLineEnds(int first, int last) {
    const int typed = int(m_format.typedLineEnd) | kStaleStyle;
    QTextBlock owner;
    QTextBlock b = doc()->findBlockByNumber(first);
    for (int line = first; line <= last && b.isValid(); ++line, b = b.next()) {
        if (const int state = b.userState(); state >= 0) {
            b.setUserState(state | kStaleStyle);
            owner = b;
            continue;
        }
        QTextBlock runEnd = b;
        for (; line < last && runEnd.next().isValid() && runEnd.next().userState() < 0; ++line) {
            runEnd.setUserState(typed);
            runEnd = runEnd.next();
        }
        runEnd.setUserState(owner.isValid() ? (owner.userState() & kLineEndBits) | kStaleStyle
                                            : typed);
        if (owner.isValid())
            owner.setUserState(typed);
        owner = QTextBlock();
        b = runEnd;
    }
}

void RichTextPane::onContentsChange(int pos, int removed, int added) {
    if (m_restyling || m_replacingAll)
        return;
    const QTextDocument* d = doc();
    const int total = d->characterCount();
    if (!m_built) {
        // Edited through QPlainTextEdit's own calls before the file was
        // needed: the file's text is gone from the pane, all of it differs.
        m_built = true;
        const DecodedText decoded = decodeText(m_base);
        m_format = decoded.format;
        m_baseStarts = lineStarts(m_base, m_format.prefix.size());
        m_changed.reset();
        m_styles.reset(m_styles.size());
        pos = 0;
        removed = m_styles.size();
        added = total;
        m_blockCount = int(m_baseStarts.size()) - 1;
    }
    ++m_editCount;
    m_textCache = QString();
    // A change may be reported as reaching over the closing line break, which
    // never changes.
    const int excess = std::max(0, pos + removed - (m_styles.size() - 1));
    removed -= excess;
    added -= excess;
    if (removed < 0 || added < 0 || m_styles.size() - removed + added != total) {
        pos = 0; // not followed: taken as a change of everything
        removed = m_styles.size();
        added = total;
    }
    carryStyles(pos, removed, added);
    const int first = d->findBlock(pos).blockNumber();
    const int newLast = d->findBlock(std::min(pos + added, total - 1)).blockNumber();
    const int oldLast = newLast - (d->blockCount() - m_blockCount);
    m_blockCount = d->blockCount();
    settleLineEnds(first, newLast);
    m_compared = QTextBlock();
    // An undo of a change at two far places spans every line between them:
    // the text is then read once, not a string made per line.
    const QString raw = newLast - first > kWideChange ? d->toRawText() : QString();
    TextEncoder encoder(m_format);
    m_changed.replace(first, oldLast, newLast, [&](int line, int baseLine) {
        return sameAsBaseline(line, baseLine, raw, encoder);
    });
    m_staleStyles = true;
    viewport()->update();
    setModified(m_changed.any());
    if (!m_settingSelection)
        onCursorChanged();
}

} // namespace tarvo
