#include "layout/LayoutTestHelpers.h"
#include "layout/PageLayout.h"
#include "support/TemplateText.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

namespace {

const QString kFrame = QStringLiteral("TM@0 PH@500 BM@9500 PF@8500");

// Rows of the given height with Repeat 1 under the standard page; the body
// shows 0 "Riga.[Nome]" and 1 "[SYS]".
ReportDocument repeatedRows(double height, int rows, double footerHeight = -1)
{
    TemplateText text = StandardPage();
    text.band(Body, { height, 0, 0, 1 })
        .structure(RowsOnly())
        .object(Body, "Riga.[Nome]")
        .object(Body, "[SYS]");
    if (footerHeight >= 0)
        text.band(ReportFooter, { footerHeight });
    ReportDocument doc = LoadReport(text, { Report(Rows(rows, "Riga", { "Nome" })) });
    LayOutReport(doc);
    return doc;
}

} // namespace

TEST(RepeatedBandFill, FirstCopyNeedsMoreThanOneHeightFreeFurtherCopiesOne)
{
    struct Row
    {
        const char *name;
        double height;
        int rows;
        int copies;
    };
    const Row rows[] = {
        { "exactly one height free", 1000, 6, 0 },
        { "exactly two heights free", 1000, 5, 2 },
        { "a little more than one height free", 1300, 4, 1 },
        { "page full", 1000, 7, 0 },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ReportDocument doc = repeatedRows(row.height, row.rows);
        ASSERT_EQ(doc.Pages.size(), 1);
        EXPECT_EQ(CountPlaced(doc, 0, Body), row.rows + row.copies);
        EXPECT_EQ(doc.Pages[0].FilledTo, 1500 + row.rows * row.height);
    }
}

TEST(RepeatedBandFill, CopiesStackUnderTheLastCopyAndShowNoValues)
{
    ReportDocument doc = repeatedRows(1000, 5);
    EXPECT_EQ(Outline(doc, 0), kFrame + " B@1500 B@2500 B@3500 B@4500 B@5500 B@6500 B@7500");
    EXPECT_EQ(Shown(doc, 0, 8), "Nome 5|-");
    for (const int copy : { 9, 10 }) {
        const PlacedBand &placed = doc.Pages[0].PlacedBands[copy];
        ASSERT_EQ(placed.Items.size(), 1);
        EXPECT_EQ(placed.Items[0].ObjectIndex, 1);
        EXPECT_EQ(placed.Items[0].ValueIndex, -1);
    }
}

TEST(RepeatedBandFill, BandsBelowMoveDownByTheHeightAdded)
{
    ReportDocument doc = repeatedRows(1000, 4, 1000);
    EXPECT_EQ(Outline(doc, 0), kFrame + " B@1500 B@2500 B@3500 B@4500 RF@7500 B@5500 B@6500");
    EXPECT_EQ(doc.Pages[0].FilledTo, 6500); // the page's own fields are not changed
}

TEST(RepeatedBandFill, BandsWithoutHeightAreNeverCopied)
{
    for (const double height : { 0.0, -250.0 }) {
        SCOPED_TRACE(height);
        ReportDocument doc = repeatedRows(height, 3);
        EXPECT_EQ(CountPlaced(doc, 0, Body), 3);
    }
}

TEST(RepeatedBandFill, ASecondFillOnThePageLeavesTheFirstFillsCopiesInPlace)
{
    // Body and data footer both repeat. The body's copies are appended after
    // the footer in the list but stand above it; the footer's fill must move
    // only what stands below the footer (the report footer).
    TemplateText text = StandardPage();
    text.band(DataHeader, { 300 }).band(Body, { 1000, 0, 0, 1 }).band(DataFooter, { 300, 0, 0, 1 });
    text.band(ReportFooter, { 500 }).structure(GroupsOfRows());
    ReportDocument doc = LoadReport(text, { Report({ Group(1, Rows(3, "Riga", { "Nome" })) }) });
    LayOutReport(doc);
    EXPECT_EQ(Outline(doc, 0),
        kFrame
            + " DH@1500 B@1800 B@2800 B@3800 DF@6800 RF@8000 B@4800 B@5800 DF@7100 "
              "DF@7400 DF@7700");
}

TEST(RepeatedBandFill, AnAbsurdlyThinBandIsRefusedInsteadOfFillingMemory)
{
    try {
        repeatedRows(0.001, 1);
        FAIL() << "no error";
    } catch (const Error &error) {
        EXPECT_EQ(error.number(), Error::kOverflow);
    }
}
