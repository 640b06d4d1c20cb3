#pragma once

#include <QIODevice>
#include <QString>
#include <functional>

// The file and folder procedures the exporters share. Paths use "/" as Qt
// does on every platform; a path without a folder stays relative to the
// working folder.
namespace zet {

enum class PathPart {
    Folder, // everything up to and including the last "/"
    Base, // the name without its last "." and what follows
    Extension, // what follows the last "." of the name, without the dot
    FolderAndBase, // the folder, with its final "/" when it has one, then the base
};

// Part of a file path; empty for every part when the path is blank.
// "/doc/Rep.2024.htm" gives "/doc/", "Rep.2024", "htm", "/doc/Rep.2024".
QString pathPart(const QString &path, PathPart part);

// The path trimmed, with a final "/" unless it already ends with one; an
// empty path stays empty (it names the working folder).
QString withFinalSeparator(const QString &path);

// True when path names an existing folder.
bool folderExists(const QString &path);

// Creates the folder path and every missing parent; true when it exists
// afterwards. A folder that cannot be created (no access, a file in the way)
// gives false with the reason in error (when given).
bool createFolder(const QString &path, QString *error = nullptr);

// True when path, trimmed, names an existing file (not a folder).
bool fileExists(const QString &path);

// Deletes the file at path when there is one, read-only or not; true when it
// was deleted.
bool deleteFileIfExists(const QString &path);

// Replaces the file at path, read-only or not, with what write puts into the
// open file; write returns false, saying why in reason when the file's own
// error does not. The old file stays as it was when the new one cannot be
// written; false with the reason in error (when given).
bool replaceFile(const QString &path, const std::function<bool(QIODevice &file, QString &reason)> &write,
    QString *error = nullptr);

// Replaces the file at path with text in UTF-8, nothing added (no byte-order
// mark, no final line break). The old file stays as it was when the new one
// cannot be written; false with the reason in error (when given).
bool writeTextFile(const QString &text, const QString &path, QString *error = nullptr);

} // namespace zet
