#include "CliCommands.h"

#include "zetview/ZETView.h"

int runAbout(const QStringList &args)
{
    if (!args.isEmpty()) {
        printError(commandUsage(QStringLiteral("about")));
        return kExitUsage;
    }
    ZETView view;
    view.ShowAboutBox();
    return kExitOk;
}
