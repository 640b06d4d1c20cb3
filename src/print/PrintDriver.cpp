#include "print/PrintDriver.h"

#include "core/ItalianQtTexts.h"
#include "core/Twips.h"
#include "core/WaitCursor.h"
#include "gfx/DeviceContext.h"
#include "render/PageRenderer.h"
#include "settings/SettingsStore.h"

#include <QMessageBox>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace zet {

const QString kNoPaperMessage = QStringLiteral(
    "I driver originali per la stampante non sono stati installati: non è possibile impostare "
    "le dimensioni del foglio\nImpossibile continuare");

namespace {

constexpr int kLastPaperCode = 60;
constexpr double kTwipsPerPoint = 20.0;
// A page buffer is a bitmap of the whole sheet: at the printer's full
// resolution an A4 sheet would take half a gigabyte.
constexpr int kPageBufferDpi = 300;
const QString kDefaultJobTitle = QStringLiteral("ZET View");

PrintOutcome failed(const QString &message)
{
    return { PrintStatus::Failed, message };
}

QString printerMissing(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("Nessuna stampante installata, o il servizio di stampa non risponde.");
    return QStringLiteral("La stampante \"%1\" non è installata o il servizio di stampa non risponde.")
        .arg(name);
}

// The one call into the renderer: as printed, no edit boxes, 100 %.
void renderPrintedPage(ReportDocument &document, DeviceContext &context, int pageIndex,
    const PrinterBuffering &buffering, const QPoint &offset, bool drawOutlines)
{
    RenderOptions options;
    options.view = RenderView::Print;
    options.pageBuffer = buffering.pageBuffer;
    options.imageBuffer = buffering.imageBuffer;
    options.offsetX = offset.x();
    options.offsetY = offset.y();
    options.outlines = drawOutlines;
    renderPage(document, context, pageIndex, options);
}

// Twips that move the template's origin from the painter's origin to the
// corner of the sheet: the painter starts where the page rectangle lies
// within the paper rectangle (nowhere else in full-page mode).
QPoint sheetCornerOffset(const QPrinter &printer)
{
    const QPointF origin = printer.pageRect(QPrinter::DevicePixel).topLeft()
        - printer.paperRect(QPrinter::DevicePixel).topLeft();
    return QPoint(-qRound(pixelsToTwips(origin.x(), printer.resolution())),
        -qRound(pixelsToTwips(origin.y(), printer.resolution())));
}

// The printer's own sheet of a paper code (its name and exact size), or an invalid size.
QPageSize supportedSize(const QList<QPageSize> &sizes, int code)
{
    const QPageSize::PageSizeId id = QPageSize::id(code);
    for (const QPageSize &size : sizes) {
        if (size.id() == id)
            return size;
    }
    return QPageSize();
}

bool applyPaper(QPrinter &printer, const QPrinterInfo &info, const PaperChoice &paper)
{
    const QPageSize size = paper.kind == PaperKind::Custom
        ? QPageSize(QSizeF(paper.width, paper.height) / kTwipsPerPoint, QPageSize::Point, QString(),
            QPageSize::ExactMatch)
        : supportedSize(info.supportedPageSizes(), paper.code);
    printer.setFullPage(true);
    return printer.setPageSize(size)
        && printer.setPageOrientation(paper.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool askJob(QPrinter &printer, QWidget *owner, int pageCount)
{
    ItalianQtTexts italian;
    QPrintDialog dialog(&printer, owner);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies);
    dialog.setMinMax(1, pageCount);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

// Prints job on printer, whose other settings (from the dialog) are kept.
PrintOutcome printOn(QPrinter &printer, ReportDocument &document, const JobSettings &job, bool drawOutlines)
{
    // Qt turns a printer it cannot find into a nameless PDF file: ask the spooler first.
    const QPrinterInfo info = QPrinterInfo::printerInfo(job.printerName);
    if (info.isNull())
        return failed(printerMissing(job.printerName));
    const PageSequence sequence(job, int(document.pages.size()));
    if (sequence.size() == 0)
        return failed(QStringLiteral("Nessuna pagina da stampare."));
    const PaperChoice paper = choosePaper(describePrinter(info), document.pageWidth, document.pageHeight);
    if (paper.kind == PaperKind::None)
        return { PrintStatus::NoPaper, kNoPaperMessage };
    const PrinterBuffering buffering
        = readBuffering(readRegistryValue(RegistryRoot::LocalMachine, kZetViewKeyPath, info.printerName()));

    if (printer.printerName() != info.printerName())
        printer.setPrinterName(info.printerName());
    if (!applyPaper(printer, info, paper))
        return failed(
            QStringLiteral("La stampante \"%1\" non accetta il formato del foglio.").arg(job.printerName));
    // Every copy is sent by us, in our order: the spooler must not multiply them again.
    printer.setCopyCount(1);
    printer.setCollateCopies(false);
    printer.setDocName(document.exportFileName.isEmpty() ? kDefaultJobTitle : document.exportFileName);
    if (buffering.pageBuffer)
        printer.setResolution(kPageBufferDpi);

    WaitCursor wait;
    QPainter painter;
    if (!painter.begin(&printer))
        return failed(QStringLiteral("Impossibile avviare la stampa su \"%1\".").arg(job.printerName));
    const QPoint offset = sheetCornerOffset(printer);
    for (qint64 n = 0; n < sequence.size(); ++n) {
        if (n > 0 && !printer.newPage()) {
            painter.end();
            return failed(QStringLiteral("La stampa su \"%1\" si è interrotta al foglio %2.")
                              .arg(job.printerName)
                              .arg(n + 1));
        }
        DeviceContext context(&painter);
        renderPrintedPage(document, context, sequence.at(n), buffering, offset, drawOutlines);
    }
    // Qt hands the job to the spooler when painting ends and does not say
    // whether it was taken; a spooler that went away meanwhile did not take it.
    if (!painter.end() || printer.printerState() == QPrinter::Error
        || QPrinterInfo::printerInfo(job.printerName).isNull())
        return failed(QStringLiteral("Il servizio di stampa non ha accettato la stampa su \"%1\".")
                          .arg(job.printerName));
    return { PrintStatus::Printed, QString() };
}

} // namespace

QStringList installedPrinterNames()
{
    return QPrinterInfo::availablePrinterNames();
}

PrinterDescription describePrinter(const QPrinterInfo &printer)
{
    PrinterDescription description;
    description.name = printer.printerName();
    description.customSizes = printer.supportsCustomPageSizes();
    const QList<QPageSize> sizes = printer.supportedPageSizes();
    for (int code = 1; code <= kLastPaperCode; ++code) {
        const QPageSize size = supportedSize(sizes, code);
        if (!size.isValid() || size.id() == QPageSize::Custom)
            continue;
        const QSizeF twips = size.size(QPageSize::Inch) * kTwipsPerInch;
        description.sheets.append({ code, twips.width(), twips.height() });
    }
    return description;
}

ReportAssociation reportAssociation(const QString &reportName)
{
    return readAssociation(readRegistryValue(RegistryRoot::CurrentUser, kZetViewKeyPath, reportName));
}

JobSettings jobFromDialog(const QPrinter &printer, int pageCount)
{
    JobSettings job;
    job.printerName = printer.printerName();
    job.copies = printer.copyCount();
    job.collate = printer.collateCopies();
    const bool range = printer.printRange() == QPrinter::PageRange;
    job.firstPage = range ? printer.fromPage() : 1;
    job.lastPage = range ? printer.toPage() : pageCount;
    return job;
}

PrintOutcome printReport(ReportDocument &document, QWidget *owner, bool drawOutlines, bool showDialog)
{
    WaitCursor busy(Qt::BusyCursor);
    const int pageCount = int(document.pages.size());
    if (pageCount == 0)
        return failed(QStringLiteral("Nessuna pagina da stampare."));
    const QStringList printers = installedPrinterNames();
    const JobPlan plan = planJob(printers, reportAssociation(document.reportName), showDialog);

    QPrinter printer(QPrinter::HighResolution);
    JobSettings job;
    if (plan.printerIndex >= 0) {
        job.printerName = printers.at(plan.printerIndex);
        printer.setPrinterName(job.printerName);
    }
    if (plan.showDialog) {
        printer.setCopyCount(plan.copies);
        if (!askJob(printer, owner, pageCount))
            return { PrintStatus::Cancelled, QString() };
        job = jobFromDialog(printer, pageCount);
    } else {
        job.copies = plan.copies;
        job.lastPage = pageCount;
    }
    const PrintOutcome outcome = printOn(printer, document, job, drawOutlines);
    if (outcome.status == PrintStatus::NoPaper)
        QMessageBox::critical(owner, QStringLiteral("ZETView"), outcome.message);
    return outcome;
}

PrintOutcome printJob(ReportDocument &document, const JobSettings &job, bool drawOutlines)
{
    QPrinter printer(QPrinter::HighResolution);
    return printOn(printer, document, job, drawOutlines);
}

} // namespace zet
