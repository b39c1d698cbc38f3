#include "resource_text_generator.h"

#include <QStringList>

namespace tarvo::bench {

QString generateResourceText(int blocks, int onPage) {
    const int step = std::max(1, blocks / std::max(1, onPage));
    QString text = QStringLiteral("// Generated resource text\r\n#FORM\r\nID=1\r\n"
                                  "(B)OBJECT.TYPE=Form\r\n(SH)BOUNDS.X=0\r\n(SH)BOUNDS.Y=0\r\n"
                                  "(SH)BOUNDS.WIDTH=160\r\n(SH)BOUNDS.HEIGHT=160\r\n"
                                  "(S)TITLE=Main\r\n");
    for (int i = 0, listed = 0; i < blocks && listed < onPage; i += step, ++listed)
        text += QStringLiteral("(U)OBJECT_ID=%1\r\n").arg(2 + i);
    text += QStringLiteral("#END_FORM\r\n");
    const QStringList types = {QStringLiteral("Button"), QStringLiteral("List"),
                               QStringLiteral("Field"), QStringLiteral("String")};
    for (int i = 0; i < blocks; ++i) {
        const int id = 2 + i;
        text += QStringLiteral("\r\n#OBJECT\r\nID=%1\r\n(B)OBJECT.TYPE=%2\r\n"
                               "(SH)BOUNDS.X=%3\r\n(SH)BOUNDS.Y=%4\r\n"
                               "(SH)BOUNDS.WIDTH=%5\r\n(SH)BOUNDS.HEIGHT=%6\r\n"
                               "(S)TEXT=Object number %1 of the generated form\r\n"
                               "(B)USABLE=1\r\n(SH)FONT=0\r\n#END_OBJECT\r\n")
                    .arg(id)
                    .arg(types[i % types.size()])
                    .arg(i % 150)
                    .arg((i * 7) % 150)
                    .arg(5 + i % 20)
                    .arg(5 + i % 10);
    }
    return text;
}

} // namespace tarvo::bench
