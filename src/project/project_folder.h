#pragma once

#include "file_stamp.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace tarvo {

// Paths of a project's files: the folder followed by the relative name, joined
// without any separator handling (a folder ending in a separator gives a doubled
// one, which the file system reads as one).
QString resourceTxtPath(const QString& projectPath);
QString resourceHPath(const QString& projectPath);
QString mainBmpPath(const QString& projectPath);
QString formBmpPath(const QString& projectPath);
QString codeFilePath(const QString& projectPath, const QString& fileName);

// The project folder of a chosen main.c: the name without its last six characters.
QString folderOfMainFile(const QString& chosenFile);

// The path without trailing separators, so that a folder copy lands in the
// folder itself; a bare root is kept.
QString withoutTrailingSeparator(const QString& path);

// A path as the user should read it in a message.
QString displayPath(const QString& path);

// Whether `path` is `folder` itself or lies somewhere inside it.
bool isSameOrInside(const QString& path, const QString& folder);

// A file of the open project and the pane that holds it.
struct ProjectFile {
    // nullptr while the pane's widget was never made: it then holds the
    // file's bytes as read, so it has no unsaved changes. Making thousands of
    // widgets only to ask them would freeze the window.
    class RichTextPane* pane = nullptr;
    QString path; // as the save writes it
    QString name; // relative to the project folder with '/': "res/resource.txt", "main.c"
    int tab = 0;  // 1-based tab number

    bool isModified() const;
};

struct ReadFailure {
    QString path;
    QString reason;
};

// Reads every file that opening the folder loads: the two resource files and,
// with `withCode`, every file directly in the folder. The first one that cannot
// be read (or a folder that cannot be listed) is returned. `stamps`, when
// given, receives the stamp of each file read, by path; `contents` its bytes,
// so that loading the project need not read the files a second time.
std::optional<ReadFailure>
findUnreadableProjectFile(const QString& projectPath, bool withCode,
                          QHash<QString, FileStamp>* stamps = nullptr,
                          QHash<QString, QByteArray>* contents = nullptr);

} // namespace tarvo
