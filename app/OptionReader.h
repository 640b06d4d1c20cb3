#pragma once

#include <QStringList>
#include <functional>
#include <vector>

// One option of a subcommand: its spellings and, for an option with a value,
// what to do with that value (an error text when it is not usable, else
// empty). A flag's apply is called with empty text.
struct CommandOption
{
    QStringList names;
    bool takesValue = false;
    std::function<QString(const QString &value)> apply;
};

// Reads a subcommand's arguments: each option by the table, every argument
// that does not start with "-" into files, in order. Returns the first error
// ("COMMAND: ..."), or empty text when every argument was taken.
QString readCommandOptions(const QString &command, const QStringList &args,
    const std::vector<CommandOption> &options, QStringList &files);

// An option whose value is a whole number from lowest to highest, stored in
// target.
CommandOption numberOption(const QString &command, const QString &name, int &target, int lowest, int highest);

// An option whose value is stored as given.
CommandOption textOption(const QStringList &names, QString &target);

// An option without a value that sets target.
CommandOption flagOption(const QString &name, bool &target);
