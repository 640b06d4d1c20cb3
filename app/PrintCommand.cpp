#include "CliCommands.h"
#include "OptionReader.h"

#include "print/PrintDriver.h"
#include "zetview/Error.h"

#include <QPrinterInfo>
#include <QRegularExpression>

namespace {

constexpr int kMostCopies = 32767;

struct PrintArguments
{
    QStringList files;
    QString printer;
    int copies = 0; // 0: not given
    bool collate = false;
    int firstPage = 0; // 0: every page
    int lastPage = 0;
};

// Parses the arguments; an empty error means they are usable.
QString parseArguments(const QStringList &args, PrintArguments &parsed)
{
    const QString command = QStringLiteral("print");
    const std::vector<CommandOption> options {
        textOption({ QStringLiteral("--printer") }, parsed.printer),
        numberOption(command, QStringLiteral("--copies"), parsed.copies, 1, kMostCopies),
        flagOption(QStringLiteral("--collate"), parsed.collate),
        { { QStringLiteral("--pages") }, true,
            [&parsed](const QString &value) {
                static const QRegularExpression pageRange(QStringLiteral("^(\\d{1,9})(?:-(\\d{1,9}))?$"));
                const QRegularExpressionMatch match = pageRange.match(value);
                parsed.firstPage = match.captured(1).toInt();
                parsed.lastPage = match.capturedLength(2) > 0 ? match.captured(2).toInt() : parsed.firstPage;
                if (!match.hasMatch() || parsed.firstPage < 1 || parsed.lastPage < parsed.firstPage)
                    return QStringLiteral("print: --pages vuole DA-A (per esempio 2-5) o una pagina sola");
                return QString();
            } },
    };
    const QString error = readCommandOptions(command, args, options, parsed.files);
    if (!error.isEmpty())
        return error;
    if (parsed.files.size() != 2)
        return commandUsage(command);
    return QString();
}

QString installedList(const QStringList &printers)
{
    return QStringLiteral(" (installate: %1)").arg(printers.join(QStringLiteral(", ")));
}

} // namespace

int runPrint(const QStringList &args)
{
    PrintArguments parsed;
    const QString usageError = parseArguments(args, parsed);
    if (!usageError.isEmpty()) {
        printError(usageError);
        return kExitUsage;
    }
    zet::ReportDocument document;
    if (int status = buildFromFiles(document, parsed.files.at(0), parsed.files.at(1)))
        return status;

    const QStringList printers = zet::installedPrinterNames();
    if (printers.isEmpty()) {
        printError(
            QStringLiteral("print: nessuna stampante installata, o il servizio di stampa non risponde"));
        return kExitPrintError;
    }
    const zet::ReportAssociation association = zet::reportAssociation(document.reportName);
    zet::JobSettings job;
    job.printerName
        = zet::jobPrinter(printers, parsed.printer, association, QPrinterInfo::defaultPrinterName());
    if (job.printerName.isEmpty()) {
        printError(
            (parsed.printer.isEmpty()
                    ? QStringLiteral("print: nessuna stampante predefinita; indicarne una con --printer")
                    : QStringLiteral("print: nessuna stampante il cui nome inizi con \"%1\"")
                          .arg(parsed.printer))
            + installedList(printers));
        return kExitPrintError;
    }
    job.copies = parsed.copies > 0 ? parsed.copies : qMax(1, association.copies);
    job.collate = parsed.collate;
    const int pageCount = int(document.pages.size());
    job.firstPage = parsed.firstPage > 0 ? parsed.firstPage : 1;
    job.lastPage = parsed.firstPage > 0 ? parsed.lastPage : pageCount;
    if (job.lastPage > pageCount) {
        printError(
            QStringLiteral("print: --pages oltre la fine del report, che ha %1 pagine").arg(pageCount));
        return kExitPrintError;
    }

    zet::PrintOutcome outcome;
    try {
        outcome = zet::printJob(document, job, false);
    } catch (const zet::Error &error) {
        return reportError(error);
    }
    if (outcome.status != zet::PrintStatus::Printed) {
        printError(QStringLiteral("print: ") + outcome.message);
        return kExitPrintError;
    }
    return printResult(QStringLiteral("inviati %1 fogli a %2\n")
                           .arg(qint64(job.lastPage - job.firstPage + 1) * job.copies)
                           .arg(job.printerName)
                           .toUtf8());
}

int runPrinters(const QStringList &args)
{
    if (!args.isEmpty()) {
        printError(commandUsage(QStringLiteral("printers")));
        return kExitUsage;
    }
    const QStringList printers = zet::installedPrinterNames();
    if (printers.isEmpty()) {
        printError(
            QStringLiteral("printers: nessuna stampante installata, o il servizio di stampa non risponde"));
        return kExitPrintError;
    }
    const QString defaultPrinter = QPrinterInfo::defaultPrinterName();
    QString list;
    for (const QString &printer : printers)
        list += printer
            + (printer == defaultPrinter ? QStringLiteral("\t(predefinita)\n") : QStringLiteral("\n"));
    return printResult(list.toUtf8());
}
