#include "CliCommands.h"

#include "control/RequestError.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace {

struct Command
{
    const char *name;
    int (*run)(const QStringList &args);
    // Shows a window, so it needs the session's display.
    bool needsDisplay;
};

const Command kCommands[] = {
    { "dump", runDump, false },
    { "info", runInfo, false },
    { "settings", runSettings, false },
    { "export", runExport, false },
    { "print", runPrint, false },
    { "printers", runPrinters, false },
    { "about", runAbout, true },
    { "preview", runPreview, true },
};

// Pages are drawn with fonts, which need a GUI application; without a
// display the offscreen platform serves.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv, bool needsDisplay)
{
    if (!needsDisplay && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

// Qt's own diagnostics ("QPainter::begin(): Returned false") would read as
// ours; our messages already say what went wrong in the user's terms. Qt's
// warnings show only when ZETVIEW_QT_MESSAGES is set, and then marked as
// Qt's; its critical and fatal messages always show, marked.
void handleQtMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    static const bool showAll = !qEnvironmentVariableIsEmpty("ZETVIEW_QT_MESSAGES");
    if (type == QtCriticalMsg || type == QtFatalMsg || showAll)
        printError(QStringLiteral("(messaggio di Qt) %1").arg(message));
}

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(handleQtMessage);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printOut(usageText().toUtf8());
        return args.isEmpty() ? kExitUsage : kExitOk;
    }
    if (args.first() == QLatin1String("--version")) {
        printOut(QByteArray("zetview ") + ZETVIEW_VERSION + '\n');
        return kExitOk;
    }
    for (const Command &command : kCommands) {
        if (args.first() != QLatin1String(command.name))
            continue;
        const QStringList rest = args.mid(1);
        if (rest.contains(QLatin1String("--help"))) {
            printOut(commandUsage(args.first()).toUtf8());
            return kExitOk;
        }
        // Qt wants a private runtime folder; give it one when the session has none.
        QTemporaryDir runtimeDir;
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
        // The settings window needs the display like the about box.
        auto app
            = makeApplication(argc, argv, command.needsDisplay || rest.contains(QLatin1String("--dialog")));
        try {
            return command.run(rest);
        } catch (...) {
            return reportError(zet::requestError(std::current_exception()));
        }
    }
    printError(QStringLiteral("comando sconosciuto: %1 (zetview --help per l'elenco)").arg(args.first()));
    return kExitUsage;
}
