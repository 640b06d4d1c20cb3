#pragma once

#include "model/ReportDocument.h"
#include "print/PrintDecisions.h"

#include <QString>
#include <QStringList>

class QPrinter;
class QPrinterInfo;
class QWidget;

namespace zet {

enum class PrintStatus {
    Printed,
    // The user cancelled the print dialog.
    Cancelled,
    // The printer takes no custom size and none of its sheets fits the page.
    NoPaper,
    // The job could not start, a page failed or the spooler did not take it.
    Failed,
};

struct PrintOutcome
{
    PrintStatus status = PrintStatus::Failed;
    // Why nothing (or not everything) was printed, in Italian; empty when printed or cancelled.
    QString message;
};

// The message of a printer without a fitting sheet: two lines.
extern const QString kNoPaperMessage;

// The installed printers' names in the system's order (empty when the
// spooler does not answer).
QStringList installedPrinterNames();

// What the decisions need of an installed printer: its custom-size support
// and the sheets of the paper codes 1..60 it lists.
PrinterDescription describePrinter(const QPrinterInfo &printer);

// The association of the report named reportName, from the user's settings.
ReportAssociation reportAssociation(const QString &reportName);

// The job the print dialog was accepted with: its printer, copies, collation
// and page range (all pages unless a range was chosen).
JobSettings jobFromDialog(const QPrinter &printer, int pageCount);

// Prints a laid-out document as one job, as the control's print requests and
// the preview do: the report's associated printer without a dialog when the
// association allows it (see planJob), otherwise the print dialog, owned by
// owner. A printer without a fitting sheet gets the paper message box. The
// busy pointer shows until it returns. Rendering errors (zet::Error) propagate.
PrintOutcome printReport(ReportDocument &document, QWidget *owner, bool drawOutlines, bool showDialog);

// Prints the job's pages on its printer with no dialog and no message box:
// the same paper choice, buffering and order of copies as printReport.
PrintOutcome printJob(ReportDocument &document, const JobSettings &job, bool drawOutlines);

} // namespace zet
