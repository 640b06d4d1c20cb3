#include "layout/LayoutTestHelpers.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

TEST(RepeatedBandFill, FillsTheFreeSpaceWithBlankCopiesUnderTheLastCopy)
{
    // The body shows 0 "Riga.[Nome]" and 1 "[SYS]"; page 1's flow ends at 8500.
    struct Row
    {
        const char *name;
        double height;
        int rows;
        double footer;
        QString page, firstCopy;
    };
    const Row rows[] = {
        { "exactly one height free", 1000, 6, 0, "F B@1500 B@2500 B@3500 B@4500 B@5500 B@6500", "none" },
        { "exactly two heights free", 1000, 5, 0, "F B@1500 B@2500 B@3500 B@4500 B@5500 B@6500 B@7500",
            "1=-" },
        { "a little more than one height free", 1300, 4, 0, "F B@1500 B@2800 B@4100 B@5400 B@6700", "1=-" },
        { "bands below move down by the height added", 1000, 4, 1000,
            "F B@1500 B@2500 B@3500 B@4500 RF@7500 B@5500 B@6500", "1=-" },
        { "height 0", 0, 3, 0, "F B@1500 B@1500 B@1500", "none" },
        { "negative height", -250, 3, 0, "F B@1500 B@1250 B@1000", "none" },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TemplateText text = standardPage(kRowsOnly, { { Body, { row.height, 0, 0, 1 } } });
        if (row.footer > 0)
            text.band(ReportFooter, { row.footer });
        const ReportDocument doc
            = laidOut(text.object(Body, "Riga.[Nome]").object(Body, "[SYS]"), { Report(righe(row.rows)) });
        EXPECT_EQ(outlines(doc), QStringList({ row.page }));
        EXPECT_EQ(shown(doc, 0, Body, row.rows - 1), QStringLiteral("0=Nome %1|1=-").arg(row.rows));
        EXPECT_EQ(shown(doc, 0, Body, row.rows), row.firstCopy);
        // The fill leaves the page's own measures as layout closed it.
        EXPECT_EQ(doc.pages[0].filledTo, 1500 + row.rows * row.height + row.footer);
    }
}

TEST(RepeatedBandFill, ASecondFillOnThePageLeavesTheFirstFillsCopiesInPlace)
{
    // Body and data footer both repeat. The body's copies follow the footer in
    // the list but stand above it: the footer's fill moves only the report footer.
    expectPages({ { "body and data footer",
        standardPage(kGroupsOfRows,
            { { DataHeader, { 300 } }, { Body, { 1000, 0, 0, 1 } }, { DataFooter, { 300, 0, 0, 1 } },
                { ReportFooter, { 500 } } }),
        { Report({ Group(1, righe(3)) }) },
        { "F DH@1500 B@1800 B@2800 B@3800 DF@6800 RF@8000 B@4800 B@5800 DF@7100 DF@7400 DF@7700" } } });
}
