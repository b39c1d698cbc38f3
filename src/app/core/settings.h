#pragma once

#include <QString>
#include <QtGlobal>

namespace tarvo {

// One value per IDE.ini key, named like the key. Text settings start empty and
// the two numbers at 0; folder settings end in a path separator.
struct Settings {
    QString IniPath;
    QString TemplatePath;
    QString AdobePath;
    QString DocPath;
    QString EmulatorPath;
    QString PreferedTextEditor;
    QString PreferedBMPEditor;
    QString LoadCode;
    QString UIAPIDoc;
    QString UIDescriptionsDoc;
    QString UIEventsDoc;
    QString SystemAPIDoc;
    QString DatabaseAPIDoc;
    QString DataManagerDoc;
    qint16 ObjectsPerPage = 0;
    QString SDKProjectPath;
    QString DataTypesKeywords;
    QString ReservedKeyWords;
    QString ExtraKeyWords;
    qint16 TabSpace = 0;
    QString Colorizew;

    // Flags are on only when exactly "TRUE".
    bool loadCode() const { return LoadCode == QLatin1String("TRUE"); }
    bool colorize() const { return Colorizew == QLatin1String("TRUE"); }
};

} // namespace tarvo
