#include "OptionReader.h"

QString readCommandOptions(const QString &command, const QStringList &args,
    const std::vector<CommandOption> &options, QStringList &files)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (!arg.startsWith(QLatin1Char('-'))) {
            files << arg;
            continue;
        }
        auto option = std::find_if(options.begin(), options.end(),
            [&arg](const CommandOption &candidate) { return candidate.names.contains(arg); });
        if (option == options.end() || (option->takesValue && i + 1 >= args.size()))
            return QStringLiteral("%1: opzione sconosciuta o senza valore: %2").arg(command, arg);
        const QString error = option->apply(option->takesValue ? args.at(++i) : QString());
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

CommandOption numberOption(const QString &command, const QString &name, int &target, int lowest, int highest)
{
    return { { name }, true, [=, &target](const QString &value) {
                bool ok = false;
                target = value.toInt(&ok);
                if (ok && target >= lowest && target <= highest)
                    return QString();
                return QStringLiteral("%1: %2 vuole un numero da %3 a %4")
                    .arg(command, name)
                    .arg(lowest)
                    .arg(highest);
            } };
}

CommandOption textOption(const QStringList &names, QString &target)
{
    return { names, true, [&target](const QString &value) {
                target = value;
                return QString();
            } };
}

CommandOption flagOption(const QString &name, bool &target)
{
    return { { name }, false, [&target](const QString &) {
                target = true;
                return QString();
            } };
}
