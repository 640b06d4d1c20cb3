#include "print/PrintDecisions.h"
#include "print/PrintDriver.h"
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
using namespace Qt::StringLiterals;

namespace {

const QStringList kPrinters { "Ufficio HP 1", "Ufficio HP 2", "PDF" };

ReportAssociation association(const char *printer, bool noDialog = false, int copies = 0)
{
    return { QString::fromUtf8(printer), noDialog, copies };
}

} // namespace

TEST(ReadSettings, AssociationAndBufferingAsTheyAreStored)
{
    // Fragment, printer, NoDialog, copies.
    const std::tuple<const char *, QString, bool, int> rows[] = {
        { "<NomeStampante>Ufficio</NomeStampante><NoDialog>1</NoDialog><Copie>2.5</Copie>", "Ufficio", true,
            2 },
        { "<Copie>3.5</Copie><NoDialog>0</NoDialog>", "", false, 4 },
        { "<Copie>40000</Copie><NoDialog>abc</NoDialog>", "", false, 0 },
        { "<NoDialog>-1</NoDialog><Copie>1E400</Copie>", "", true, 0 },
    };
    for (const auto &[fragment, printer, noDialog, copies] : rows) {
        const ReportAssociation read = readAssociation(QString::fromUtf8(fragment));
        EXPECT_EQ(
            std::tuple(read.printerName, read.noDialog, read.copies), std::tuple(printer, noDialog, copies))
            << fragment;
    }
    const PrinterBuffering greyed
        = readBuffering(u"<ImageBuffer>2</ImageBuffer><PageBuffer>-1</PageBuffer>"_s);
    EXPECT_TRUE(greyed.imageBuffer && !greyed.pageBuffer);
}

TEST(PlanJob, TheDialogIsLeftOutOnlyForAnInstalledAssociatedPrinter)
{
    // What, association, dialog asked; dialog shown, printer index, copies.
    const std::tuple<const char *, ReportAssociation, bool, bool, int, int> rows[] = {
        { "no association, no dialog asked", association(""), false, true, -1, 1 },
        { "not installed", association("Magazzino", true, 2), false, true, -1, 1 },
        { "letter case counts", association("pdf", true), false, true, -1, 1 },
        { "dialog preselects the first of several", association("Ufficio", false, 2), true, true, 0, 2 },
        { "NoDialog overrides the dialog", association("Ufficio HP 2", true, 3), true, false, 1, 3 },
        { "no dialog asked, Copie absent: one copy", association("PDF"), false, false, 2, 1 },
    };
    for (const auto &[what, associated, asked, dialog, index, copies] : rows) {
        const JobPlan plan = planJob(kPrinters, associated, asked);
        EXPECT_EQ(
            std::tuple(plan.showDialog, plan.printerIndex, plan.copies), std::tuple(dialog, index, copies))
            << what;
    }
}

TEST(JobPrinter, RequestedThenAssociatedThenDefault)
{
    const auto printer = [](const char *requested, const char *associated, const char *defaultPrinter) {
        return jobPrinter(kPrinters, QString::fromUtf8(requested), association(associated),
            QString::fromUtf8(defaultPrinter));
    };
    EXPECT_EQ(printer("Ufficio", "PDF", "PDF"), u"Ufficio HP 1"_s);
    EXPECT_EQ(printer("Magazzino", "PDF", "PDF"), QString());
    EXPECT_EQ(printer("", "PDF", "Ufficio HP 2"), u"PDF"_s);
    EXPECT_EQ(printer("", "Magazzino", "Ufficio HP 2"), u"Ufficio HP 2"_s);
    EXPECT_EQ(printer("", "", "Gone"), QString());
}

TEST(PageSequence, CopiesFollowEachPageOrTheWholeRange)
{
    // Pages 1 to 5; copies, collated, range; the pages printed, from 1.
    const std::tuple<int, bool, int, int, QList<int>> rows[] = {
        { 2, true, 2, 3, { 2, 3, 2, 3 } },
        { 2, false, 2, 3, { 2, 2, 3, 3 } },
        { 1, false, 4, 9, { 4, 5 } },
        { 1, true, 0, 2, { 1, 2 } },
        { 2, false, 3, 2, {} },
        { 0, false, 1, 5, {} },
    };
    for (const auto &[copies, collate, first, last, expected] : rows) {
        const PageSequence sequence({ {}, copies, collate, first, last }, 5);
        QList<int> pages;
        for (qint64 n = 0; n < sequence.size(); ++n)
            pages.append(sequence.at(n) + 1);
        EXPECT_EQ(pages, expected) << copies << collate << first << last;
    }
}

TEST(ChoosePaper, CustomSizeOrTheBestFittingSheetTurnedToThePage)
{
    // Sheets in twips as they lie upright.
    const PaperSheet letter { 1, 12240, 15840 }, a3 { 8, 16838, 23811 }, a4 { 9, 11906, 16838 };
    const PrinterDescription custom { {}, true, { a4 } }, a4Only { {}, false, { a4 } };
    const PrinterDescription letterOnly { {}, false, { letter } }, a3AndA4 { {}, false, { a3, a4 } };
    const PrinterDescription envelopes { {}, false, { { 31, 6463, 9185 } } };
    // Scaled to 98 %, a page of 5000 x 10204.08 is 10000 high: 500 shorter
    // than the first sheet and 500 longer than the second.
    const PrinterDescription tie { {}, false, { { 2, 6000, 10500 }, { 3, 6000, 9500 } } };
    using enum PaperKind;
    // What, printer, page width and height; kind, code, sheet width and height, landscape.
    using Row = std::tuple<const char *, PrinterDescription, double, double, PaperKind, int, int, int, bool>;
    const Row rows[] = {
        { "custom: the page in whole twips", custom, 11906.5, 16838.4, Custom, 0, 11906, 16838, false },
        { "custom: a wide page is not turned", custom, 16838, 11906, Custom, 0, 16838, 11906, false },
        { "A4 only, A4 page: upright", a4Only, 11906, 16838, Code, 9, 0, 0, false },
        { "A4 only, wide A4 page: turned", a4Only, 16838, 11906, Code, 9, 0, 0, true },
        { "Letter only, A4 page: the shorter sheet", letterOnly, 11906, 16838, Code, 1, 0, 0, false },
        { "A4 upright beats A3 turned by a fraction", a3AndA4, 11906, 16838, Code, 9, 0, 0, false },
        { "a tie goes to the longer sheet", tie, 5000, 10000 / 0.98, Code, 2, 0, 0, false },
        { "no sheet wide enough", envelopes, 11906, 16838, None, 0, 0, 0, false },
    };
    for (const auto &[what, printer, width, height, kind, code, sheetWidth, sheetHeight, landscape] : rows) {
        const PaperChoice c = choosePaper(printer, width, height);
        EXPECT_EQ(std::tuple(c.kind, c.code, c.width, c.height, c.landscape),
            std::tuple(kind, code, sheetWidth, sheetHeight, landscape))
            << what;
    }
}

// Qt would print to a nameless PDF file instead.
TEST(PrintJob, APrinterTheSpoolerDoesNotKnowIsAFailure)
{
    qputenv("CUPS_SERVER", "/nonexistent/zetview-test.sock");
    ReportDocument document;
    document.pages.resize(3);
    const PrintOutcome outcome = printJob(document, { u"Nessuna"_s, 1, false, 1, 3 }, false);
    EXPECT_EQ(std::pair(outcome.status, outcome.message),
        std::pair(PrintStatus::Failed,
            u"La stampante \"Nessuna\" non è installata o il servizio di stampa non risponde."_s));
}

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
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir.filePath(u"system"_s));
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
    SettingsDialog dialog_ { { "Ufficio", "Magazzino", "PDF" } };
    QString question_;
};

} // namespace

TEST_F(SettingsDialogTest, ATickSurvivesSwitchingPrintersAndAnnullaAsksBeforeLosingIt)
{
    QCheckBox *pageBuffer = control<QCheckBox>("chkPageBuffer");
    pageBuffer->click();
    control<QComboBox>("cmbPrinters")->setCurrentIndex(2);
    EXPECT_EQ(pageBuffer->checkState(), Qt::Unchecked);
    control<QComboBox>("cmbPrinters")->setCurrentIndex(0);
    EXPECT_EQ(pageBuffer->checkState(), Qt::Checked);

    answerNextQuestion(QMessageBox::Cancel);
    control<QPushButton>("cmdAnnulla")->click();
    EXPECT_EQ(question_, u"Attenzione: i dati modificati non sono stati salvati, uscire comunque?"_s);
    EXPECT_TRUE(dialog_.isVisible() && pageBuffer->checkState() == Qt::Checked);

    answerNextQuestion(QMessageBox::Ok);
    dialog_.close();
    EXPECT_TRUE(!dialog_.isVisible() && stored("Ufficio").isEmpty());
}

TEST_F(SettingsDialogTest, OkWritesOneValuePerPrinterAndTheWindowShowsThemAgain)
{
    control<QComboBox>("cmbPrinters")->setCurrentIndex(2);
    control<QCheckBox>("chkPageBuffer")->click();
    control<QPushButton>("cmdOk")->click();
    EXPECT_FALSE(dialog_.isVisible());
    const QString off = u"<ImageBuffer>0</ImageBuffer><PageBuffer>0</PageBuffer>"_s;
    EXPECT_EQ(QStringList({ stored("Ufficio"), stored("Magazzino"), stored("PDF") }),
        QStringList({ off, off, u"<ImageBuffer>0</ImageBuffer><PageBuffer>1</PageBuffer>"_s }));

    // Switching to a printer with stored states is no change: Annulla closes without asking.
    SettingsDialog again({ "Ufficio", "PDF" });
    again.show();
    control<QComboBox>("cmbPrinters", &again)->setCurrentIndex(1);
    EXPECT_EQ(control<QCheckBox>("chkPageBuffer", &again)->checkState(), Qt::Checked);
    control<QPushButton>("cmdAnnulla", &again)->click();
    EXPECT_FALSE(again.isVisible());
}

TEST_F(SettingsDialogTest, AGreyedStoredStateShowsGreyedAndAClickTicksIt)
{
    // An older tool's plain string with an extra element reads the same way.
    writeRegistryValue(RegistryRoot::LocalMachine, kZetViewKeyPath, "PDF",
        "<Altro>x</Altro><ImageBuffer>2</ImageBuffer>", EmptyText::Delete);
    SettingsDialog dialog({ "PDF" });
    auto *image = control<QCheckBox>("chkImageBuffer", &dialog);
    QList<Qt::CheckState> states { image->checkState() };
    for (int click = 0; click < 2; ++click)
        image->click(), states << image->checkState();
    EXPECT_EQ(states, (QList<Qt::CheckState> { Qt::PartiallyChecked, Qt::Checked, Qt::Unchecked }));
}
