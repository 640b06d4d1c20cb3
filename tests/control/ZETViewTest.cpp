#include "zetview/ZETView.h"

#include <QApplication>
#include <QPrintDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include "zetview/Error.h"

// No spooler answers here, so no printer is installed: the request without a
// dialog shows one anyway, and a job accepted there cannot start.
TEST(ZETViewWidget, PrintingWithoutAnInstalledPrinterAsksAndFailsWithAPrinterError)
{
    qputenv("CUPS_SERVER", "/nonexistent/zetview-test.sock");
    ZETView view;
    view.LoadZET(
        QStringLiteral("<Altezza>16838</Altezza><Larghezza>11906</Larghezza><CorpoDati>-1</CorpoDati>"));
    for (bool accept : { false, true }) {
        bool asked = false;
        QTimer::singleShot(0, [accept, &asked] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            asked = true;
            EXPECT_EQ(dialog->maxPage(), 1);
            EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
            EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintSelection));
            accept ? dialog->accept() : dialog->reject();
        });
        try {
            EXPECT_EQ(view.PrintDirectWithoutDialog(true), QString());
            EXPECT_FALSE(accept);
        } catch (const zet::Error &error) {
            EXPECT_TRUE(accept);
            EXPECT_EQ(error.number(), zet::Error::kPrinterError);
            EXPECT_EQ(error.message(),
                QStringLiteral("Nessuna stampante installata, o il servizio di stampa non risponde."));
        }
        EXPECT_TRUE(asked);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}
