#include "ini_reader.h"

namespace tarvo {

QStringList readIniFields(const QByteArray& bytes) {
    Q_UNUSED(bytes);
    return {};
}

qint16 iniNumber(const QString& value) {
    Q_UNUSED(value);
    return 0;
}

IniResult parseIni(const QByteArray& bytes) {
    Q_UNUSED(bytes);
    return {};
}

} // namespace tarvo
