#include "print/PrintDriver.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zet;

namespace {

// No spooler answers here, whatever the machine runs: no printer is installed.
class PrintDriverTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { qputenv("CUPS_SERVER", "/nonexistent/zetview-test.sock"); }

    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        QSettings::setPath(
            QSettings::NativeFormat, QSettings::UserScope, dir_.filePath(QStringLiteral("user")));
        document_.reportName = QStringLiteral("Elenco");
        document_.pages.resize(3);
    }

    QTemporaryDir dir_;
    ReportDocument document_;
};

} // namespace

TEST_F(PrintDriverTest, TheDialogStartsOnEveryPageWithOneCopyAndNoFileOrSelection)
{
    for (bool showDialog : { true, false }) {
        SCOPED_TRACE(showDialog ? "PrintDirect" : "PrintDirectWithoutDialog, no association");
        bool asked = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            asked = true;
            EXPECT_EQ(dialog->minPage(), 1);
            EXPECT_EQ(dialog->maxPage(), 3);
            EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
            EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
            EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintSelection));
            EXPECT_EQ(dialog->printer()->copyCount(), 1);
            dialog->reject();
        });
        const PrintOutcome outcome = printReport(document_, nullptr, false, showDialog);
        EXPECT_TRUE(asked);
        EXPECT_EQ(outcome.status, PrintStatus::Cancelled);
    }
}

TEST_F(PrintDriverTest, TheDialogsRangeAndCopiesMakeTheJob)
{
    QPrinter printer;
    printer.setCopyCount(2);
    printer.setCollateCopies(true);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    JobSettings job = jobFromDialog(printer, 5);
    EXPECT_EQ(job.copies, 2);
    EXPECT_TRUE(job.collate);
    EXPECT_EQ(job.firstPage, 2);
    EXPECT_EQ(job.lastPage, 3);

    printer.setPrintRange(QPrinter::AllPages);
    job = jobFromDialog(printer, 5);
    EXPECT_EQ(job.firstPage, 1);
    EXPECT_EQ(job.lastPage, 5);
}

TEST_F(PrintDriverTest, APrinterTheSpoolerDoesNotKnowIsAFailureNotAFile)
{
    const PrintOutcome outcome = printJob(document_, { QStringLiteral("Nessuna"), 1, false, 1, 3 }, false);
    EXPECT_EQ(outcome.status, PrintStatus::Failed);
    EXPECT_EQ(outcome.message,
        QStringLiteral("La stampante \"Nessuna\" non è installata o il servizio di stampa non risponde."));
}
