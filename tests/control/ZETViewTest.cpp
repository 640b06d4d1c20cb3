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
