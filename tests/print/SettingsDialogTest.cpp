#include "print/SettingsDialog.h"

#include "settings/SettingsStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zet;

namespace {

const QStringList kPrinters { QStringLiteral("Ufficio"), QStringLiteral("Magazzino"), QStringLiteral("PDF") };

class SettingsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        QSettings::setPath(
            QSettings::NativeFormat, QSettings::SystemScope, dir_.filePath(QStringLiteral("system")));
    }

    static QString stored(const QString &printer)
    {
        return readRegistryValue(RegistryRoot::LocalMachine, kZetViewKeyPath, printer);
    }

    template <typename T> static T *control(QWidget &dialog, const char *name)
    {
        T *found = dialog.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Answers the next message box with answer and keeps what it asked.
    void answerNextQuestion(QMessageBox::StandardButton answer)
    {
        QTimer::singleShot(0, [this, answer] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            question_ = box->text();
            defaultButton_ = box->standardButton(box->defaultButton());
            box->button(answer)->click();
        });
    }

    QTemporaryDir dir_;
    QString question_;
    QMessageBox::StandardButton defaultButton_ = QMessageBox::NoButton;
};

} // namespace

TEST_F(SettingsDialogTest, ShowsEachPrintersStoredStatesAndSwitchingIsNoChange)
{
    // An older tool's plain string with an extra element reads the same way.
    writeRegistryValue(RegistryRoot::LocalMachine, kZetViewKeyPath, QStringLiteral("Magazzino"),
        QStringLiteral("<Altro>x</Altro><PageBuffer>1</PageBuffer><ImageBuffer>2</ImageBuffer>"),
        EmptyText::Delete);
    SettingsDialog dialog(kPrinters);
    auto *printers = control<QComboBox>(dialog, "cmbPrinters");
    auto *image = control<QCheckBox>(dialog, "chkImageBuffer");
    auto *page = control<QCheckBox>(dialog, "chkPageBuffer");
    auto *ok = control<QPushButton>(dialog, "cmdOk");
    EXPECT_EQ(printers->count(), 3);
    EXPECT_EQ(page->checkState(), Qt::Unchecked);

    printers->setCurrentIndex(1);
    EXPECT_EQ(page->checkState(), Qt::Checked);
    EXPECT_EQ(image->checkState(), Qt::PartiallyChecked);
    EXPECT_FALSE(ok->isEnabled());

    // A click on a greyed box ticks it; from then on it only toggles.
    image->click();
    EXPECT_EQ(image->checkState(), Qt::Checked);
    image->click();
    EXPECT_EQ(image->checkState(), Qt::Unchecked);
    EXPECT_TRUE(ok->isEnabled());
}

TEST_F(SettingsDialogTest, ATickSurvivesSwitchingAwayAndBackAndAnnullaAsksBeforeLosingIt)
{
    SettingsDialog dialog(kPrinters);
    dialog.show();
    auto *printers = control<QComboBox>(dialog, "cmbPrinters");
    auto *page = control<QCheckBox>(dialog, "chkPageBuffer");
    page->click();
    printers->setCurrentIndex(2);
    EXPECT_EQ(page->checkState(), Qt::Unchecked);
    printers->setCurrentIndex(0);
    EXPECT_EQ(page->checkState(), Qt::Checked);

    answerNextQuestion(QMessageBox::Cancel);
    control<QPushButton>(dialog, "cmdAnnulla")->click();
    EXPECT_EQ(
        question_, QStringLiteral("Attenzione: i dati modificati non sono stati salvati, uscire comunque?"));
    EXPECT_EQ(defaultButton_, QMessageBox::Cancel);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(page->checkState(), Qt::Checked);

    answerNextQuestion(QMessageBox::Ok);
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(stored(QStringLiteral("Ufficio")), QString());
}

TEST_F(SettingsDialogTest, AnnullaWithoutChangesClosesWithoutAsking)
{
    SettingsDialog dialog(kPrinters);
    dialog.show();
    control<QComboBox>(dialog, "cmbPrinters")->setCurrentIndex(1);
    control<QPushButton>(dialog, "cmdAnnulla")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(SettingsDialogTest, OkWritesOneValuePerListedPrinter)
{
    SettingsDialog dialog(kPrinters);
    dialog.show();
    control<QComboBox>(dialog, "cmbPrinters")->setCurrentIndex(2);
    control<QCheckBox>(dialog, "chkPageBuffer")->click();
    control<QPushButton>(dialog, "cmdOk")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const QString untouched = QStringLiteral("<ImageBuffer>0</ImageBuffer><PageBuffer>0</PageBuffer>");
    EXPECT_EQ(stored(QStringLiteral("Ufficio")), untouched);
    EXPECT_EQ(stored(QStringLiteral("Magazzino")), untouched);
    EXPECT_EQ(stored(QStringLiteral("PDF")),
        QStringLiteral("<ImageBuffer>0</ImageBuffer><PageBuffer>1</PageBuffer>"));
    // Stored as a multi-string value.
    QSettings machine(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Tarvisol"),
        QStringLiteral("ZETView"));
    EXPECT_EQ(machine.value(QStringLiteral("PDF")).typeId(), QMetaType::QStringList);
}

TEST_F(SettingsDialogTest, WithoutPrintersNothingCanBeChanged)
{
    SettingsDialog dialog({});
    EXPECT_FALSE(control<QComboBox>(dialog, "cmbPrinters")->isEnabled());
    EXPECT_FALSE(control<QCheckBox>(dialog, "chkPageBuffer")->isEnabled());
    EXPECT_FALSE(control<QCheckBox>(dialog, "chkImageBuffer")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(dialog, "cmdOk")->isEnabled());
}
