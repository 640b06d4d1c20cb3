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

class SettingsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(redirected_);
        dialog_.show();
    }

    // The machine's store is a file of this test's, before the window reads it.
    static bool redirectStore(const QTemporaryDir &dir)
    {
        QSettings::setPath(
            QSettings::NativeFormat, QSettings::SystemScope, dir.filePath(QStringLiteral("system")));
        return dir.isValid();
    }

    template <typename T> T *control(const char *name, QWidget *in = nullptr)
    {
        return (in ? in : &dialog_)->findChild<T *>(QLatin1String(name));
    }

    // Answers the next message box and keeps its text.
    void answerNextQuestion(QMessageBox::StandardButton answer)
    {
        QTimer::singleShot(0, [this, answer] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Cancel));
            question_ = box->text();
            box->button(answer)->click();
        });
    }

    static QString stored(const char *printer)
    {
        return readRegistryValue(RegistryRoot::LocalMachine, kZetViewKeyPath, QLatin1String(printer));
    }

    QTemporaryDir dir_;
    bool redirected_ = redirectStore(dir_);
    SettingsDialog dialog_ { { QStringLiteral("Ufficio"), QStringLiteral("Magazzino"),
        QStringLiteral("PDF") } };
    QString question_;
};

} // namespace

TEST_F(SettingsDialogTest, ATickSurvivesSwitchingPrintersAndAnnullaAsksBeforeLosingIt)
{
    control<QCheckBox>("chkPageBuffer")->click();
    control<QComboBox>("cmbPrinters")->setCurrentIndex(2);
    EXPECT_EQ(control<QCheckBox>("chkPageBuffer")->checkState(), Qt::Unchecked);
    control<QComboBox>("cmbPrinters")->setCurrentIndex(0);
    EXPECT_EQ(control<QCheckBox>("chkPageBuffer")->checkState(), Qt::Checked);

    answerNextQuestion(QMessageBox::Cancel);
    control<QPushButton>("cmdAnnulla")->click();
    EXPECT_EQ(
        question_, QStringLiteral("Attenzione: i dati modificati non sono stati salvati, uscire comunque?"));
    EXPECT_TRUE(dialog_.isVisible());
    EXPECT_EQ(control<QCheckBox>("chkPageBuffer")->checkState(), Qt::Checked);

    answerNextQuestion(QMessageBox::Ok);
    dialog_.close();
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(stored("Ufficio"), QString());
}

TEST_F(SettingsDialogTest, OkWritesOneValuePerPrinterAndTheWindowShowsThemAgain)
{
    control<QComboBox>("cmbPrinters")->setCurrentIndex(2);
    control<QCheckBox>("chkPageBuffer")->click();
    control<QPushButton>("cmdOk")->click();
    EXPECT_FALSE(dialog_.isVisible());
    const QString off = QStringLiteral("<ImageBuffer>0</ImageBuffer><PageBuffer>0</PageBuffer>");
    EXPECT_EQ(QStringList({ stored("Ufficio"), stored("Magazzino"), stored("PDF") }),
        QStringList({ off, off, QStringLiteral("<ImageBuffer>0</ImageBuffer><PageBuffer>1</PageBuffer>") }));

    // Switching to a printer with stored states is no change: Annulla closes without asking.
    SettingsDialog again({ QStringLiteral("Ufficio"), QStringLiteral("PDF") });
    again.show();
    control<QComboBox>("cmbPrinters", &again)->setCurrentIndex(1);
    EXPECT_EQ(control<QCheckBox>("chkPageBuffer", &again)->checkState(), Qt::Checked);
    control<QPushButton>("cmdAnnulla", &again)->click();
    EXPECT_FALSE(again.isVisible());
}

TEST_F(SettingsDialogTest, AGreyedStoredStateShowsGreyedAndAClickTicksIt)
{
    // An older tool's plain string with an extra element reads the same way.
    writeRegistryValue(RegistryRoot::LocalMachine, kZetViewKeyPath, QStringLiteral("PDF"),
        QStringLiteral("<Altro>x</Altro><ImageBuffer>2</ImageBuffer>"), EmptyText::Delete);
    SettingsDialog dialog({ QStringLiteral("PDF") });
    auto *image = control<QCheckBox>("chkImageBuffer", &dialog);
    QList<Qt::CheckState> states { image->checkState() };
    for (int click = 0; click < 2; ++click)
        image->click(), states << image->checkState();
    EXPECT_EQ(states, (QList<Qt::CheckState> { Qt::PartiallyChecked, Qt::Checked, Qt::Unchecked }));
}
