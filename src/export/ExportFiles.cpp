#include "ExportFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zet {

QString pathPart(const QString &path, PathPart part)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return QString();
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const QString folder = path.left(nameStart);
    const QString name = path.mid(nameStart);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? name : name.left(dot);
    switch (part) {
    case PathPart::Folder:
        return folder;
    case PathPart::Base:
        return base;
    case PathPart::Extension:
        return dot < 0 ? QString() : name.mid(dot + 1);
    case PathPart::FolderAndBase:
        return withFinalSeparator(folder) + base;
    }
    return QString();
}

QString withFinalSeparator(const QString &path)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty() || path.endsWith(QLatin1Char('/')))
        return trimmed;
    return trimmed + QLatin1Char('/');
}

bool folderExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool createFolder(const QString &path, QString *error)
{
    if (folderExists(path) || (QDir().mkpath(path) && folderExists(path)))
        return true;
    if (error)
        *error = QFileInfo::exists(path) ? QStringLiteral("%1 esiste e non è una cartella").arg(path)
                                         : QStringLiteral("impossibile creare la cartella %1").arg(path);
    return false;
}

bool fileExists(const QString &path)
{
    const QString trimmed = path.trimmed();
    return !trimmed.isEmpty() && !trimmed.endsWith(QLatin1Char('/')) && QFileInfo(trimmed).isFile();
}

bool deleteFileIfExists(const QString &path)
{
    if (!fileExists(path))
        return false;
    QFile file(path.trimmed());
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
    return file.remove();
}

bool replaceFile(
    const QString &path, const std::function<bool(QIODevice &file, QString &reason)> &write, QString *error)
{
    // Exports replace their files, read-only ones too.
    if (fileExists(path))
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    QSaveFile file(path);
    QString reason;
    if (file.open(QIODevice::WriteOnly) && write(file, reason) && file.commit())
        return true;
    if (error)
        *error
            = QStringLiteral("impossibile scrivere %1: %2")
                  .arg(path,
                      file.error() != QFileDevice::NoError || reason.isEmpty() ? file.errorString() : reason);
    return false;
}

bool writeTextFile(const QString &text, const QString &path, QString *error)
{
    const QByteArray bytes = text.toUtf8();
    return replaceFile(
        path, [&bytes](QIODevice &file, QString &) { return file.write(bytes) == bytes.size(); }, error);
}

} // namespace zet
