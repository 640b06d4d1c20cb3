#include "print/PrintDriver.h"

#include <QPrinter>
#include <gtest/gtest.h>

using namespace zet;

TEST(JobFromDialog, TakesCopiesCollationAndTheChosenRangeOrEveryPage)
{
    QPrinter printer;
    printer.setCopyCount(2);
    printer.setCollateCopies(true);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    const JobSettings range = jobFromDialog(printer, 5);
    EXPECT_EQ(range.copies, 2);
    EXPECT_TRUE(range.collate);
    EXPECT_EQ(std::pair(range.firstPage, range.lastPage), std::pair(2, 3));
    printer.setPrintRange(QPrinter::AllPages);
    const JobSettings all = jobFromDialog(printer, 5);
    EXPECT_EQ(std::pair(all.firstPage, all.lastPage), std::pair(1, 5));
}

// Qt would print to a nameless PDF file instead.
TEST(PrintJob, APrinterTheSpoolerDoesNotKnowIsAFailure)
{
    qputenv("CUPS_SERVER", "/nonexistent/zetview-test.sock");
    ReportDocument document;
    document.pages.resize(3);
    const PrintOutcome outcome = printJob(document, { QStringLiteral("Nessuna"), 1, false, 1, 3 }, false);
    EXPECT_EQ(outcome.status, PrintStatus::Failed);
    EXPECT_EQ(outcome.message,
        QStringLiteral("La stampante \"Nessuna\" non è installata o il servizio di stampa non risponde."));
}
