#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QVector>
#include <optional>

namespace tarvo {

// A stretch of the read text with the formats the pane shows; positions count
// a line break as two characters (CR LF), as the pane's positions do.
struct RtfRun {
    int start = 0;
    int length = 0;
    std::optional<QColor> color;
    bool bold = false;
};

struct RtfText {
    QString text;         // line breaks as '\n'
    QVector<RtfRun> runs; // only stretches that are coloured or bold
};

// True when the bytes begin as rich text ("{\rtf").
bool isRichText(const QByteArray& bytes);

// The visible text of rich text with its bold and colour. Paragraph and line
// marks become breaks, \tab a tab; \'hh and \u characters are decoded (8-bit
// ones as Latin-1); font, colour and style tables, pictures, header, footer,
// information and every "\*" destination are skipped. Text after the closing
// brace of the document is ignored.
RtfText readRichText(const QByteArray& bytes);

} // namespace tarvo
