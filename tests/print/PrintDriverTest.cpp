#include "print/PrintDriver.h"

#include <gtest/gtest.h>

using namespace zet;

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
