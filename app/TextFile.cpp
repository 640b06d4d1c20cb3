#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// Why the file cannot be opened, in the user's words where the reason is a
// common one; Qt's own text otherwise.
QString openProblem(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty())
        return QStringLiteral("nessun nome di file");
    if (!info.exists())
        return QStringLiteral("il file non esiste");
    if (info.isDir())
        return QStringLiteral("è una cartella");
    if (!info.isReadable())
        return QStringLiteral("lettura non permessa");
    return QString();
}

} // namespace

std::optional<QString> readTextFile(const QString &path, QString *error)
{
    // Asking first keeps Qt from warning about an empty name on its own.
    QString problem = openProblem(path);
    QFile file(path);
    if (problem.isEmpty() && !file.open(QIODevice::ReadOnly))
        problem = file.errorString();
    QByteArray bytes;
    if (problem.isEmpty()) {
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            problem = file.errorString();
    }
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return std::nullopt;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    return QString::fromLatin1(bytes);
}
