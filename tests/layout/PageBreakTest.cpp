#include "layout/LayoutTestHelpers.h"
#include "layout/PageLayout.h"
#include "support/TemplateText.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

namespace {

const QString kFrame = QStringLiteral("TM@0 PH@500 BM@9500 PF@8500");

// Rows of 1000 twips under the standard page, with an optional report footer.
ReportDocument rowsReport(int rows, double footerHeight = -1)
{
    TemplateText text = StandardPage();
    text.band(Body, { 1000 }).structure(RowsOnly());
    if (footerHeight >= 0)
        text.band(ReportFooter, { footerHeight });
    return LoadReport(text, { Report(Rows(rows, "Riga", { "Nome" })) });
}

} // namespace

TEST(PageBreak, ExactFitsOfDataBandsAndReportFooter)
{
    struct Row
    {
        const char *name;
        int rows;
        double footer;
        QStringList pages;
    };
    const Row rows[] = {
        { "seventh row ends exactly on the limit and stays", 7, -1,
            { kFrame + " B@1500 B@2500 B@3500 B@4500 B@5500 B@6500 B@7500" } },
        { "eighth row starts a new page", 8, -1,
            { kFrame + " B@1500 B@2500 B@3500 B@4500 B@5500 B@6500 B@7500", kFrame + " B@1500" } },
        { "footer ending exactly on the limit moves on", 6, 1000,
            { kFrame + " B@1500 B@2500 B@3500 B@4500 B@5500 B@6500", kFrame + " RF@1500" } },
        { "footer ending just above the limit stays", 6, 999.5,
            { kFrame + " B@1500 B@2500 B@3500 B@4500 B@5500 B@6500 RF@7500" } },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ReportDocument doc = rowsReport(row.rows, row.footer);
        LayOutReport(doc);
        QStringList pages;
        for (int page = 0; page < doc.Pages.size(); ++page)
            pages.append(Outline(doc, page));
        EXPECT_EQ(pages, row.pages);
    }
}

TEST(PageBreak, OversizedBandBreaksOnceAndOverflowsTheLimit)
{
    TemplateText text = StandardPage();
    text.band(ReportHeader, { 1000 }).band(Body, { 8000 }).structure(RowsOnly());
    ReportDocument doc = LoadReport(text, { Report(Rows(2, "Riga", { "Nome" })) });
    LayOutReport(doc);
    ASSERT_EQ(doc.Pages.size(), 3);
    EXPECT_EQ(Outline(doc, 0), kFrame + " RH@1500");
    EXPECT_EQ(Outline(doc, 1), kFrame + " B@1500");
    EXPECT_EQ(Outline(doc, 2), kFrame + " B@1500");
    EXPECT_EQ(doc.Pages[1].FilledTo, 9500);
    EXPECT_EQ(doc.Pages[1].BodyLimit, 8500);
}

TEST(PageBreak, ReportHeaderAlwaysOpensPageOneAndMayBreakAfter)
{
    struct Row
    {
        int breakMode;
        int firstRowPage;
    };
    for (const Row row : { Row { 0, 0 }, Row { 1, 0 }, Row { 2, 1 }, Row { 3, 1 } }) {
        SCOPED_TRACE(row.breakMode);
        TemplateText text = StandardPage();
        text.band(ReportHeader, { 1000, row.breakMode }).band(Body, { 1000 }).structure(RowsOnly());
        ReportDocument doc = LoadReport(text, { Report(Rows(1, "Riga", { "Nome" })) });
        LayOutReport(doc);
        ASSERT_EQ(doc.Pages.size(), row.firstRowPage + 1);
        EXPECT_EQ(NthPlaced(doc, 0, ReportHeader), 4);
        EXPECT_EQ(CountPlaced(doc, row.firstRowPage, Body), 1);
    }
}

TEST(PageBreak, BreakAfterTheLastDataBandMovesOnlyTheReportFooter)
{
    for (const bool withFooter : { false, true }) {
        SCOPED_TRACE(withFooter);
        TemplateText text = StandardPage();
        text.band(DataHeader, { 500 })
            .band(Body, { 1000 })
            .band(DataFooter, { 500, 2 })
            .structure(GroupsOfRows());
        if (withFooter)
            text.band(ReportFooter, { 1000 });
        ReportDocument doc = LoadReport(text, { Report({ Group(1, Rows(2, "Riga", { "Nome" })) }) });
        LayOutReport(doc);
        EXPECT_EQ(Outline(doc, 0), kFrame + " DH@1500 B@2000 B@3000 DF@4000");
        ASSERT_EQ(doc.Pages.size(), withFooter ? 2 : 1);
        if (withFooter) {
            EXPECT_EQ(Outline(doc, 1), kFrame + " RF@1500");
        }
    }
}

TEST(PageBreak, BreakBeforeADataBandStartsItOnANewPage)
{
    TemplateText text = StandardPage();
    text.band(DataHeader, { 500, 1 }).band(Body, { 1000 }).structure(GroupsOfRows());
    ReportDocument doc = LoadReport(
        text, { Report({ Group(1, Rows(1, "Riga", { "Nome" })), Group(2, Rows(1, "Riga", { "Nome" })) }) });
    LayOutReport(doc);
    ASSERT_EQ(doc.Pages.size(), 3);
    EXPECT_EQ(Outline(doc, 0), kFrame);
    EXPECT_EQ(Outline(doc, 1), kFrame + " DH@1500 B@2000 DF@3000");
    EXPECT_EQ(Outline(doc, 2), kFrame + " DH@1500 B@2000 DF@3000");
}
