#include "zetview/ZETView.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

TEST(ZETViewWidget, KeepsItsSurfaceAt585TwipsWithTheIconButton)
{
    ZETView view;
    const int side = qRound(585 * view.logicalDpiX() / 1440.0);
    view.resize(400, 300);
    view.show();
    EXPECT_EQ(view.size(), QSize(side, qRound(585 * view.logicalDpiY() / 1440.0)));
    auto *button = view.findChild<QPushButton *>(QStringLiteral("cmdIcona"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->geometry(), view.rect());
    EXPECT_FALSE(button->icon().isNull());
}

TEST(ZETViewWidget, KeepsOnlyTheLastTexts)
{
    ZETView view;
    view.LoadZET(QStringLiteral("<Nome>A</Nome>"));
    view.LoadZET(QStringLiteral("<Nome>B</Nome>"));
    view.LoadRecordset(QStringLiteral("<Report/>"));
    EXPECT_EQ(view.templateText(), QStringLiteral("<Nome>B</Nome>"));
    EXPECT_EQ(view.recordsetText(), QStringLiteral("<Report/>"));
}

TEST(ZETViewWidget, AboutBoxIsModalAndNamesTheComponentAndVersion)
{
    ZETView view;
    QString version;
    bool wasModal = false;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        wasModal = dialog->isModal();
        if (auto *label = dialog->findChild<QLabel *>(QStringLiteral("lblVersione")))
            version = label->text();
        dialog->accept();
    });
    closer.start();
    QTimer::singleShot(5000, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    view.ShowAboutBox();
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(version, QStringLiteral("Versione ") + QStringLiteral(ZETVIEW_VERSION));
}
