#include "CliCommands.h"

#include <QTextStream>

int runInfo(const QStringList &args)
{
    if (args.size() != 2 || args.at(0).startsWith(QLatin1String("--"))) {
        printError(commandUsage(QStringLiteral("info")));
        return kExitUsage;
    }
    zet::ReportDocument &document = documentUntilExit();
    QString debugLine;
    if (int status = buildFromFiles(
            document, args.at(0), args.at(1), {}, [&debugLine](const QString &line) { debugLine = line; }))
        return status;
    const QString line = QStringLiteral("pagine=%1 record=%2 valori=%3 %4\n")
                             .arg(document.pages.size())
                             .arg(document.records.size())
                             .arg(document.values.size())
                             .arg(debugLine);
    return printResult(line.toUtf8());
}
