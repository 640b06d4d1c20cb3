#include "CliCommands.h"

int runExport(const QStringList &args)
{
    (void)args;
    printError(QStringLiteral("export: non ancora disponibile"));
    return kExitBuildError;
}
