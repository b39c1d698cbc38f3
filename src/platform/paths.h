#pragma once

#include <QDir>
#include <QString>

namespace tarvo {

// The separator that project paths are joined with. Paths are built by plain
// concatenation (folder settings end in a separator), never by QDir::filePath.
inline QString PathSep() {
    return QString(QDir::separator());
}

} // namespace tarvo
