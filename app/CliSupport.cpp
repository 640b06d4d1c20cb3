#include "CliCommands.h"

#include "control/ReportBuilder.h"
#include "control/TextFile.h"
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
    bool layOut, QString *debugLine)
{
    QString reason;
    const std::optional<QString> templateText = zet::readTextFile(templatePath, &reason);
    if (!templateText) {
        printError(QStringLiteral("impossibile leggere il modello %1: %2").arg(templatePath, reason));
        return kExitFileError;
    }
    const std::optional<QString> dataText = zet::readTextFile(dataPath, &reason);
    if (!dataText) {
        printError(QStringLiteral("impossibile leggere i dati %1: %2").arg(dataPath, reason));
        return kExitFileError;
    }
    zet::BuildOptions options;
    options.layOut = layOut;
    try {
        zet::buildReport(
            document, *templateText, *dataText,
            [debugLine](const QString &line) {
                if (debugLine)
                    *debugLine = line;
            },
            options);
    } catch (const zet::Error &error) {
        printError(QStringLiteral("error %1: %2 (modello %3, dati %4)")
                       .arg(error.number())
                       .arg(error.message(), templatePath, dataPath));
        return kExitBuildError;
    }
    return kExitOk;
}
