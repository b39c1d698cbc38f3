#pragma once

namespace tarvo {

class FileTabs;
class RichTextPane;
struct Controls;

// The CR LF position of `column` on `line` (both 1-based) of `pane`: a line
// past the end is the last line; a column below 1 is the line's start, one
// past its end the line's end.
int positionOfLine(const RichTextPane& pane, int line, int column);

// Chooses tab `tab` as a click on it would (a tab already chosen whose pane is
// not on view is chosen again), then puts the caret at `line` and `column`
// with nothing selected, brings the line into view (centred when the view had
// to move) and gives the pane the focus. Changes no text.
void jumpToLine(Controls& ui, FileTabs& tabs, int tab, int line, int column);

} // namespace tarvo
