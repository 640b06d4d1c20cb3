#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zet {

// The print driver's decisions, as plain functions over plain values so that
// they can be checked without a printer. All lengths are twips.

// A paper the printer accepts: its paper code (1..60, the classic Windows
// numbering) and the sheet's size as it lies upright (orientation 1).
struct PaperSheet
{
    int code = 0;
    double width = 0;
    double height = 0;
};

// What the decisions need to know of one installed printer.
struct PrinterDescription
{
    QString name;
    bool customSizes = false;
    // The accepted paper codes in ascending order.
    QList<PaperSheet> sheets;
};

// A report's association with a printer, from its per-report settings.
struct ReportAssociation
{
    // The printer is the first installed one whose name begins with this; empty: none.
    QString printerName;
    // Print without the dialog when the associated printer is installed.
    bool noDialog = false;
    // "Copie": copies without a dialog; 0 when absent or unreadable.
    int copies = 0;
};

// The per-printer buffering settings.
struct PrinterBuffering
{
    bool imageBuffer = false;
    bool pageBuffer = false;
};

// How a report's job is asked for.
struct JobPlan
{
    bool showDialog = true;
    // The associated installed printer (index into the installed list), -1 when none.
    int printerIndex = -1;
    // Copies printed when no dialog is shown (at least 1).
    int copies = 1;
};

// One job as it goes to the printer.
struct JobSettings
{
    QString printerName;
    int copies = 1;
    bool collate = false;
    // Page numbers from 1, both included; clipped to the report's pages.
    int firstPage = 1;
    int lastPage = 0;
};

enum class PaperKind { None, Custom, Code };

// The sheet chosen for a report's pages.
struct PaperChoice
{
    PaperKind kind = PaperKind::None;
    // The paper code (kind Code).
    int code = 0;
    // The sheet's size (kind Custom): the page's, in whole twips.
    int width = 0;
    int height = 0;
    // Turn the sheet (orientation 2).
    bool landscape = false;
};

// Reads "NomeStampante", "NoDialog" and "Copie" from a per-report fragment.
ReportAssociation readAssociation(const QString &reportSettings);

// Reads "ImageBuffer" and "PageBuffer" (on when above 0) from a per-printer fragment.
PrinterBuffering readBuffering(const QString &printerSettings);

// The first printer, in the order given, whose name begins with prefix
// (letter case counts); -1 when prefix is empty or none matches.
int findPrinter(const QStringList &printerNames, const QString &prefix);

// The dialog is left out only when the caller does not insist on it
// (dialogRequested false) or the association says NoDialog, and in both cases
// only when the associated printer is installed. Without a dialog "Copie"
// copies are printed, and one when "Copie" is absent or 0.
JobPlan planJob(const QStringList &printerNames, const ReportAssociation &association, bool dialogRequested);

// The printer a job without a dialog goes to: the requested one (a name
// prefix) when given, else the associated one when installed, else the
// system's default. Empty when the requested one is not installed or there
// is no printer to fall back on.
QString jobPrinter(const QStringList &printerNames, const QString &requested,
    const ReportAssociation &association, const QString &defaultPrinter);

// The pages of a job in the order they are printed: not collated, each page
// of the range copies times before the next (2, 2, 3, 3); collated, the range
// once per copy (2, 3, 2, 3). The range is clipped to the report's pages.
class PageSequence
{
public:
    PageSequence(const JobSettings &job, int pageCount);
    // Sheets printed in all.
    qint64 size() const { return qint64(pages_) * copies_; }
    // The page index (from 0) of sheet n (from 0, below size()).
    int at(qint64 n) const;

private:
    int first_;
    int pages_;
    int copies_;
    bool collate_;
};

// The sheet for a page of pageWidth x pageHeight: the page's own size on a
// printer that takes custom sizes; else the accepted paper code that fits
// best, upright or turned, with the page scaled to 98 % (so a sheet up to
// 2 % shorter still counts as longer); None when no sheet is wide enough.
PaperChoice choosePaper(const PrinterDescription &printer, double pageWidth, double pageHeight);

} // namespace zet
