#include "CliCommands.h"
#include "TextFile.h"

#include <cstdio>

void printError(const QString &message)
{
    const QByteArray text = (QStringLiteral("zetview: ") + message + QLatin1Char('\n')).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
}

int reportError(const zet::Error &error)
{
    printError(QStringLiteral("error %1: %2").arg(error.number()).arg(error.message()));
    return kExitBuildError;
}

bool printOut(const QByteArray &text)
{
    const bool written = std::fwrite(text.constData(), 1, size_t(text.size()), stdout) == size_t(text.size())
        && std::fflush(stdout) == 0;
    if (!written)
        printError(QStringLiteral("impossibile scrivere su standard output"));
    return written;
}

int printResult(const QByteArray &text)
{
    return printOut(text) ? kExitOk : kExitFileError;
}

zet::ReportDocument &documentUntilExit()
{
    return *new zet::ReportDocument;
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
    std::optional<QString> dataText = readTextFile(dataPath, &reason);
    if (!dataText) {
        printError(QStringLiteral("impossibile leggere i dati %1: %2").arg(dataPath, reason));
        return kExitFileError;
    }
    zet::BuildOptions strict = options;
    strict.refuseUnusableTemplate = true;
    try {
        // Handed over: the text is freed once read, before the layout.
        zet::buildReport(document, *templateText, std::move(*dataText), debugEvent, strict);
    } catch (const zet::Error &error) {
        if (error.number() != zet::Error::kUnusableTemplate)
            return reportError(error);
        printError(QStringLiteral("%1: %2").arg(templatePath, error.message()));
        return kExitBuildError;
    }
    return kExitOk;
}
