#include "CliCommands.h"

#include "dump/DocumentDump.h"

int runDump(const QStringList &args)
{
    zet::BuildOptions options;
    QStringList files;
    for (const QString &arg : args) {
        if (arg == QLatin1String("--no-layout"))
            options.layOut = false;
        else if (arg.startsWith(QLatin1String("--"))) {
            printError(QStringLiteral("dump: opzione sconosciuta %1").arg(arg));
            return kExitUsage;
        } else
            files << arg;
    }
    if (files.size() != 2) {
        printError(commandUsage(QStringLiteral("dump")));
        return kExitUsage;
    }
    zet::ReportDocument &document = documentUntilExit();
    if (int status = buildFromFiles(document, files.at(0), files.at(1), options))
        return status;
    return printResult(zet::dumpDocument(document) + '\n');
}
