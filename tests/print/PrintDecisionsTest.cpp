#include "print/PrintDecisions.h"

#include <gtest/gtest.h>

using namespace zet;

namespace {

const QStringList kPrinters { QStringLiteral("Ufficio HP 1"), QStringLiteral("Ufficio HP 2"),
    QStringLiteral("PDF") };

ReportAssociation association(const char *printer, bool noDialog = false, int copies = 0)
{
    return { QString::fromUtf8(printer), noDialog, copies };
}

} // namespace

TEST(ReadSettings, AssociationAndBufferingAsTheyAreStored)
{
    struct Row
    {
        const char *fragment;
        ReportAssociation expected;
    };
    const Row rows[] = {
        { "", association("") },
        { "<NomeStampante>Ufficio</NomeStampante><NoDialog>1</NoDialog><Copie>2.5</Copie>",
            association("Ufficio", true, 2) },
        { "<Copie>3.5</Copie><NoDialog>0</NoDialog>", association("", false, 4) },
        { "<Copie>40000</Copie><NoDialog>abc</NoDialog>", association("", false, 0) },
        { "<NoDialog>-1</NoDialog><Copie>1E400</Copie>", association("", true, 0) },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.fragment);
        const ReportAssociation read = readAssociation(QString::fromUtf8(row.fragment));
        EXPECT_EQ(read.printerName, row.expected.printerName);
        EXPECT_EQ(read.noDialog, row.expected.noDialog);
        EXPECT_EQ(read.copies, row.expected.copies);
    }
    const PrinterBuffering greyed
        = readBuffering(QStringLiteral("<ImageBuffer>2</ImageBuffer><PageBuffer>-1</PageBuffer>"));
    EXPECT_TRUE(greyed.imageBuffer);
    EXPECT_FALSE(greyed.pageBuffer);
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
    const auto printer = [](const char *requested, const char *associated, const char *defaultPrinter) {
        return jobPrinter(kPrinters, QString::fromUtf8(requested), association(associated),
            QString::fromUtf8(defaultPrinter));
    };
    EXPECT_EQ(printer("Ufficio", "PDF", "PDF"), QStringLiteral("Ufficio HP 1"));
    EXPECT_EQ(printer("Magazzino", "PDF", "PDF"), QString());
    EXPECT_EQ(printer("", "PDF", "Ufficio HP 2"), QStringLiteral("PDF"));
    EXPECT_EQ(printer("", "Magazzino", "Ufficio HP 2"), QStringLiteral("Ufficio HP 2"));
    EXPECT_EQ(printer("", "", "Gone"), QString());
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
    // Sheets in twips as they lie upright.
    const PaperSheet letter { 1, 12240, 15840 }, a3 { 8, 16838, 23811 }, a4 { 9, 11906, 16838 };
    const PrinterDescription custom { {}, true, { a4 } }, a4Only { {}, false, { a4 } };
    const PrinterDescription letterOnly { {}, false, { letter } }, a3AndA4 { {}, false, { a3, a4 } };
    const PrinterDescription envelopes { {}, false, { { 31, 6463, 9185 } } };
    // Scaled to 98 %, a page of 5000 x 10204.08 is 10000 high: 500 shorter
    // than the first sheet and 500 longer than the second.
    const PrinterDescription tie { {}, false, { { 2, 6000, 10500 }, { 3, 6000, 9500 } } };
    struct Row
    {
        const char *what;
        PrinterDescription printer;
        double width;
        double height;
        PaperChoice expected;
    };
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
        EXPECT_EQ(std::pair(choice.width, choice.height), std::pair(row.expected.width, row.expected.height));
        EXPECT_EQ(choice.landscape, row.expected.landscape);
    }
}
