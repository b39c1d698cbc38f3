#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tarvo {

// The handheld drawn behind the designer: 425 x 438 pixels, its screen a plain
// light green square at x 89..248, y 44..203.
inline constexpr int kHandheldWidth = 425;
inline constexpr int kHandheldHeight = 438;
inline const QColor kScreenColor{222, 255, 222};

QPixmap handheldPicture();
// A button picture of the given size with a caption drawn into it.
QPixmap buttonPicture(const QString& caption, int size);
// A double arrow for the page buttons; `left` points left.
QPixmap arrowPicture(bool left, int size);
QIcon applicationIcon();

} // namespace tarvo
