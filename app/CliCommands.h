#pragma once

#include "control/ReportBuilder.h"
#include "zetview/Error.h"

#include <QStringList>

// The subcommands of the zetview program. Each takes the arguments after its
// own name and returns the process exit status: 0 done, 1 a report that
// cannot be built or drawn (an unusable template, a run-time error), 2 a file
// that cannot be read or written, 3 a print job that did not print, 64 bad
// usage. A zet::Error they raise is reported by main with status 1.
int runDump(const QStringList &args);
int runInfo(const QStringList &args);
int runSettings(const QStringList &args);
int runExport(const QStringList &args);
int runAbout(const QStringList &args);
int runPrint(const QStringList &args);
int runPrinters(const QStringList &args);
int runPreview(const QStringList &args);

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitBuildError = 1;
constexpr int kExitFileError = 2;
constexpr int kExitPrintError = 3;
constexpr int kExitUsage = 64;

// Prints a message on standard error, prefixed with "zetview: ".
void printError(const QString &message);
// Prints a run-time error ("error N: message"); returns kExitBuildError.
int reportError(const zet::Error &error);
// Prints text on standard output as UTF-8; false (with a message printed)
// when it could not be written.
bool printOut(const QByteArray &text);
// printOut for a command's result: kExitOk, or kExitFileError when it could
// not be written.
int printResult(const QByteArray &text);

// A document for a command that ends the process once it is done with it:
// the system takes the whole memory back at exit, so the document is never
// taken apart entry by entry (a million values would cost a measurable part
// of the run).
zet::ReportDocument &documentUntilExit();

// Reads the template and data files and builds the report into document,
// refusing a template that cannot make a page. Returns kExitOk, or prints why
// not and returns the exit status.
int buildFromFiles(zet::ReportDocument &document, const QString &templatePath, const QString &dataPath,
    const zet::BuildOptions &options = {}, const zet::DebugSink &debugEvent = {});

// The help texts, one per subcommand, and the general one.
QString usageText();
QString commandUsage(const QString &command);
