#include "CliCommands.h"
#include "TextFile.h"

#include "zetview/Error.h"

#include <cstdio>

void printError(const QString &message)
{
    const QByteArray text = (QStringLiteral("zetview: ") + message + QLatin1Char('\n')).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
}

void printOut(const QByteArray &text)
{
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

int buildFromFiles(zet::ReportDocument &document, const QString &templatePath, const QString &dataPath,
    const zet::BuildOptions &options, const zet::DebugSink &debugEvent)
{
    QString reason;
    const std::optional<QString> templateText = readTextFile(templatePath, &reason);
    if (!templateText) {
        printError(QStringLiteral("impossibile leggere il modello %1: %2").arg(templatePath, reason));
        return kExitFileError;
    }
    const std::optional<QString> dataText = readTextFile(dataPath, &reason);
    if (!dataText) {
        printError(QStringLiteral("impossibile leggere i dati %1: %2").arg(dataPath, reason));
        return kExitFileError;
    }
    try {
        zet::buildReport(document, *templateText, *dataText, debugEvent, options);
    } catch (const zet::Error &error) {
        printError(QStringLiteral("error %1: %2 (modello %3, dati %4)")
                       .arg(error.number())
                       .arg(error.message(), templatePath, dataPath));
        return kExitBuildError;
    }
    return kExitOk;
}
