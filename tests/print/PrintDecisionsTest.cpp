#include "print/PrintDecisions.h"

#include <gtest/gtest.h>

using namespace zet;

namespace {

// Sheets in twips as they lie upright.
const PaperSheet kLetter { 1, 12240, 15840 };
const PaperSheet kA3 { 8, 16838, 23811 };
const PaperSheet kA4 { 9, 11906, 16838 };
const PaperSheet kEnvelopeC6 { 31, 6463, 9185 };

const QStringList kPrinters { QStringLiteral("Ufficio HP 1"), QStringLiteral("Ufficio HP 2"),
    QStringLiteral("PDF") };

ReportAssociation association(const char *printer, bool noDialog = false, int copies = 0)
{
    return { QString::fromUtf8(printer), noDialog, copies };
}

} // namespace

TEST(ReadAssociation, ReadsPrinterDialogAndCopiesAsTheyAreStored)
{
    struct Row
    {
        const char *fragment;
        const char *printer;
        bool noDialog;
        int copies;
    };
    const Row rows[] = {
        { "", "", false, 0 },
        { "<NomeStampante>Ufficio</NomeStampante><NoDialog>1</NoDialog><Copie>2.5</Copie>", "Ufficio", true,
            2 },
        { "<Copie>3.5</Copie><NoDialog>0</NoDialog>", "", false, 4 },
        { "<Copie>40000</Copie><NoDialog>abc</NoDialog>", "", false, 0 },
        { "<NoDialog>-1</NoDialog><Copie>1E400</Copie>", "", true, 0 },
        { "42", "", false, 0 },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.fragment);
        const ReportAssociation read = readAssociation(QString::fromUtf8(row.fragment));
        EXPECT_EQ(read.printerName, QString::fromUtf8(row.printer));
        EXPECT_EQ(read.noDialog, row.noDialog);
        EXPECT_EQ(read.copies, row.copies);
    }
}

TEST(ReadBuffering, EachIsOnAboveZeroGreyedIncluded)
{
    const PrinterBuffering greyedImage
        = readBuffering(QStringLiteral("<ImageBuffer>2</ImageBuffer><PageBuffer>0</PageBuffer>"));
    EXPECT_TRUE(greyedImage.imageBuffer);
    EXPECT_FALSE(greyedImage.pageBuffer);
    const PrinterBuffering pageOnly
        = readBuffering(QStringLiteral("<PageBuffer>1</PageBuffer><ImageBuffer>-1</ImageBuffer>"));
    EXPECT_FALSE(pageOnly.imageBuffer);
    EXPECT_TRUE(pageOnly.pageBuffer);
}

TEST(PlanJob, TheDialogIsLeftOutOnlyForAnInstalledAssociatedPrinter)
{
    struct Row
    {
        const char *what;
        ReportAssociation association;
        bool dialogRequested;
        JobPlan expected;
    };
    const Row rows[] = {
        { "no association", association(""), true, { true, -1, 1 } },
        { "no association, no dialog asked", association(""), false, { true, -1, 1 } },
        { "not installed", association("Magazzino", true, 2), false, { true, -1, 1 } },
        { "letter case counts", association("pdf", true), false, { true, -1, 1 } },
        { "dialog preselects the first of several", association("Ufficio", false, 2), true, { true, 0, 2 } },
        { "NoDialog overrides the dialog", association("Ufficio HP 2", true, 3), true, { false, 1, 3 } },
        { "no dialog asked, Copie absent: one copy", association("PDF"), false, { false, 2, 1 } },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const JobPlan plan = planJob(kPrinters, row.association, row.dialogRequested);
        EXPECT_EQ(plan.showDialog, row.expected.showDialog);
        EXPECT_EQ(plan.printerIndex, row.expected.printerIndex);
        EXPECT_EQ(plan.copies, row.expected.copies);
    }
}

TEST(JobPrinter, RequestedThenAssociatedThenDefault)
{
    struct Row
    {
        const char *requested;
        const char *associated;
        const char *defaultPrinter;
        const char *expected;
    };
    const Row rows[] = {
        { "Ufficio", "PDF", "PDF", "Ufficio HP 1" },
        { "Magazzino", "PDF", "PDF", "" },
        { "", "PDF", "Ufficio HP 2", "PDF" },
        { "", "Magazzino", "Ufficio HP 2", "Ufficio HP 2" },
        { "", "", "Gone", "" },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.requested);
        EXPECT_EQ(jobPrinter(kPrinters, QString::fromUtf8(row.requested), association(row.associated),
                      QString::fromUtf8(row.defaultPrinter)),
            QString::fromUtf8(row.expected));
    }
}

TEST(PageSequence, CopiesFollowEachPageOrTheWholeRange)
{
    struct Row
    {
        const char *what;
        JobSettings job;
        QList<int> pages; // from 1
    };
    const Row rows[] = {
        { "pages 2-3 of 5, two copies, collated", { {}, 2, true, 2, 3 }, { 2, 3, 2, 3 } },
        { "pages 2-3 of 5, two copies, not collated", { {}, 2, false, 2, 3 }, { 2, 2, 3, 3 } },
        { "range beyond the report", { {}, 1, false, 4, 9 }, { 4, 5 } },
        { "range before the first page", { {}, 1, true, 0, 2 }, { 1, 2 } },
        { "empty range", { {}, 2, false, 3, 2 }, {} },
        { "no copies", { {}, 0, false, 1, 5 }, {} },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const PageSequence sequence(row.job, 5);
        QList<int> pages;
        for (qint64 n = 0; n < sequence.size(); ++n)
            pages.append(sequence.at(n) + 1);
        EXPECT_EQ(pages, row.pages);
    }
}

TEST(ChoosePaper, CustomSizeOrTheBestFittingSheetTurnedToThePage)
{
    struct Row
    {
        const char *what;
        PrinterDescription printer;
        double width;
        double height;
        PaperChoice expected;
    };
    const PrinterDescription custom { QStringLiteral("PDF"), true, { kA4 } };
    const PrinterDescription a4Only { QStringLiteral("A4"), false, { kA4 } };
    const PrinterDescription letterOnly { QStringLiteral("Letter"), false, { kLetter } };
    const PrinterDescription a3AndA4 { QStringLiteral("A3"), false, { kA3, kA4 } };
    const PrinterDescription envelopes { QStringLiteral("Buste"), false, { kEnvelopeC6 } };
    // Scaled to 98 %, a page of 5000 x 10204.08 is 10000 high: 500 shorter
    // than the first sheet and 500 longer than the second.
    const PrinterDescription tie { QStringLiteral("Pari"), false, { { 2, 6000, 10500 }, { 3, 6000, 9500 } } };
    const Row rows[] = {
        { "custom: the page in whole twips", custom, 11906.5, 16838.4,
            { PaperKind::Custom, 0, 11906, 16838, false } },
        { "custom: a wide page is not turned", custom, 16838, 11906,
            { PaperKind::Custom, 0, 16838, 11906, false } },
        { "A4 only, A4 page: upright", a4Only, 11906, 16838, { PaperKind::Code, 9, 0, 0, false } },
        { "A4 only, wide A4 page: turned", a4Only, 16838, 11906, { PaperKind::Code, 9, 0, 0, true } },
        { "Letter only, A4 page: the shorter sheet", letterOnly, 11906, 16838,
            { PaperKind::Code, 1, 0, 0, false } },
        { "A4 upright beats A3 turned by a fraction", a3AndA4, 11906, 16838,
            { PaperKind::Code, 9, 0, 0, false } },
        { "wide page on A3 and A4: A4 turned", a3AndA4, 16838, 11906, { PaperKind::Code, 9, 0, 0, true } },
        { "a tie goes to the longer sheet", tie, 5000, 10000 / 0.98, { PaperKind::Code, 2, 0, 0, false } },
        { "no sheet wide enough", envelopes, 11906, 16838, { PaperKind::None, 0, 0, 0, false } },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const PaperChoice choice = choosePaper(row.printer, row.width, row.height);
        EXPECT_EQ(choice.kind, row.expected.kind);
        EXPECT_EQ(choice.code, row.expected.code);
        EXPECT_EQ(choice.width, row.expected.width);
        EXPECT_EQ(choice.height, row.expected.height);
        EXPECT_EQ(choice.landscape, row.expected.landscape);
    }
}
