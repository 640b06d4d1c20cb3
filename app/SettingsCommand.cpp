#include "CliCommands.h"

#include "print/PrintDriver.h"
#include "print/SettingsDialog.h"
#include "settings/SettingsStore.h"

int runSettings(const QStringList &args)
{
    // settings get|set|delete --user|--machine NAME [VALUE], or settings --dialog
    if (args == QStringList { QStringLiteral("--dialog") }) {
        zet::SettingsDialog dialog(zet::installedPrinterNames());
        dialog.exec();
        return kExitOk;
    }
    if (args.size() < 3) {
        printError(commandUsage(QStringLiteral("settings")));
        return kExitUsage;
    }
    const QString action = args.at(0);
    const QString scope = args.at(1);
    zet::RegistryRoot root;
    if (scope == QLatin1String("--user"))
        root = zet::RegistryRoot::CurrentUser;
    else if (scope == QLatin1String("--machine"))
        root = zet::RegistryRoot::LocalMachine;
    else {
        printError(QStringLiteral("settings: serve --user o --machine, non %1").arg(scope));
        return kExitUsage;
    }
    const QString name = args.at(2);
    if (name.isEmpty()) {
        printError(
            QStringLiteral("settings: NOME vuoto: ogni valore ha un nome (per un report il suo Nome)"));
        return kExitUsage;
    }
    if (action == QLatin1String("get") && args.size() == 3)
        return printResult(
            (zet::readRegistryValue(root, zet::kZetViewKeyPath, name) + QLatin1Char('\n')).toUtf8());
    if ((action == QLatin1String("set") && args.size() == 4)
        || (action == QLatin1String("delete") && args.size() == 3)) {
        const QString value = action == QLatin1String("set") ? args.at(3) : QString();
        if (action == QLatin1String("set") && value.isEmpty()) {
            printError(QStringLiteral("settings: valore vuoto; per eliminare usare delete"));
            return kExitUsage;
        }
        if (!zet::writeRegistryValue(root, zet::kZetViewKeyPath, name, value, zet::EmptyText::Delete)) {
            printError(QStringLiteral("settings: impossibile scrivere %1").arg(zet::registryLocation(root)));
            return kExitFileError;
        }
        return kExitOk;
    }
    printError(commandUsage(QStringLiteral("settings")));
    return kExitUsage;
}
