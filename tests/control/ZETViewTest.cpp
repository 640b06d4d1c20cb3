#include "zetview/ZETView.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "zetview/Error.h"

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

TEST(ZETViewWidget, AboutBoxIsModalAndNamesTheVersion)
{
    ZETView view;
    QString version;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            version = dialog->findChild<QLabel *>(QStringLiteral("lblVersione"))->text();
            dialog->accept();
        }
    });
    closer.start(10);
    view.ShowAboutBox();
    EXPECT_EQ(version, QStringLiteral("Versione ") + QStringLiteral(ZETVIEW_VERSION));
}

namespace {

// A report of one page; no spooler answers, so no printer is installed.
void loadOnePageReport(ZETView &view)
{
    qputenv("CUPS_SERVER", "/nonexistent/zetview-test.sock");
    view.LoadZET(QStringLiteral("<ZET><Nome>Prova</Nome><Altezza>16838</Altezza><Larghezza>11906</Larghezza>"
                                "<CorpoDati>-1</CorpoDati><AltezzaCorpoDati>300</AltezzaCorpoDati></ZET>"));
    view.LoadRecordset(QStringLiteral("<Report></Report>"));
}

} // namespace

TEST(ZETViewWidget, PrintRequestsAskForAPrinterAndAJobWithoutOneIsAPrinterError)
{
    ZETView view;
    loadOnePageReport(view);
    int debugEvents = 0;
    QObject::connect(&view, &ZETView::DebugEvent, [&] { ++debugEvents; });
    for (bool accept : { false, true }) {
        SCOPED_TRACE(accept ? "accepted" : "cancelled");
        QTimer::singleShot(0, [accept] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
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
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(debugEvents, 2);
}
