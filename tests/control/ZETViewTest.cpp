#include "zetview/ZETView.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "zetview/Error.h"

// Whatever size the host asks for, the widget keeps 585 twips, all of it the icon button.
TEST(ZETViewWidget, KeepsItsSurfaceAt585TwipsWithTheIconButton)
{
    ZETView view;
    view.resize(400, 300);
    view.show();
    EXPECT_EQ(view.size(),
        QSize(qRound(585 * view.logicalDpiX() / 1440.0), qRound(585 * view.logicalDpiY() / 1440.0)));
    auto *button = view.findChild<QPushButton *>(QStringLiteral("cmdIcona"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->geometry(), view.rect());
    EXPECT_FALSE(button->icon().isNull());
}

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
