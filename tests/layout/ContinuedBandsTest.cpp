#include "layout/LayoutTestHelpers.h"
#include "layout/PageLayout.h"
#include "support/TemplateText.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

namespace {

const QString kFrame = QStringLiteral("TM@0 PH@500 BM@9500 PF@8500");

// Group bands; the group footer alone carries NewPage. Objects: group footer
// 0 "Gruppo.[Nome]" and 1 "[SYS]"; data footer 2 "[SYS]" and 3
// "Dati.[Totale]"; body 4 "Riga.[Nome]". One group of one data record with
// seven rows: the sixth row does not fit together with the group footer.
ReportDocument groupWithFooterNewPage(int newPage)
{
    TemplateText text = StandardPage();
    text.band(GroupHeader, { 500 }).band(DataHeader, { 500 }).band(Body, { 1000 });
    text.band(DataFooter, { 500 }).band(GroupFooter, { 500, 0, newPage }).structure(ThreeLevels());
    text.object(GroupFooter, "Gruppo.[Nome]").object(GroupFooter, "[SYS]");
    text.object(DataFooter, "[SYS]").object(DataFooter, "Dati.[Totale]").object(Body, "Riga.[Nome]");
    const Record data { "Dati", { { "Totale", "T1" } }, Rows(7, "Riga", { "Nome" }) };
    ReportDocument doc = LoadReport(text, { Report({ Group(1, { data }) }) });
    LayOutReport(doc);
    return doc;
}

} // namespace

TEST(ContinuedBands, FootersAreContinuedUnderTheLastRowThatFitsWithThem)
{
    for (const int newPage : { 1, 2 }) {
        SCOPED_TRACE(newPage);
        ReportDocument doc = groupWithFooterNewPage(newPage);
        EXPECT_EQ(doc.Bands[Body].LinkNext, GroupFooter);
        EXPECT_EQ(doc.Bands[Body].LinkHeight, 500);
        ASSERT_EQ(doc.Pages.size(), 2);
        EXPECT_EQ(
            Outline(doc, 0), kFrame + " GH@1500 DH@2000 B@2500 B@3500 B@4500 B@5500 B@6500 DF@7500 GF@8000");
        EXPECT_EQ(Outline(doc, 1), kFrame + " B@1500 B@2500 DF@3500 GF@4000");
        EXPECT_TRUE(doc.DataPlacements.isEmpty());
    }
}

TEST(ContinuedBands, WithoutDataValuesOnlySystemObjectsAreListed)
{
    ReportDocument doc = groupWithFooterNewPage(1);
    const PlacedBand &groupFooter = doc.Pages[0].PlacedBands[NthPlaced(doc, 0, GroupFooter)];
    ASSERT_EQ(groupFooter.Items.size(), 1);
    EXPECT_EQ(groupFooter.Items[0].ObjectIndex, 1);
    // The data footer has NewPage 0 and is continued without data as well.
    const PlacedBand &dataFooter = doc.Pages[0].PlacedBands[NthPlaced(doc, 0, DataFooter)];
    ASSERT_EQ(dataFooter.Items.size(), 1);
    EXPECT_EQ(dataFooter.Items[0].ObjectIndex, 2);
}

TEST(ContinuedBands, WithDataValuesTheClosingFooterLendsItsValues)
{
    ReportDocument doc = groupWithFooterNewPage(2);
    EXPECT_EQ(Shown(doc, 0, NthPlaced(doc, 0, GroupFooter)), "Gruppo 1|-");
    EXPECT_EQ(Shown(doc, 1, NthPlaced(doc, 1, GroupFooter)), "Gruppo 1|-");
    EXPECT_EQ(Shown(doc, 1, NthPlaced(doc, 1, DataFooter)), "-|T1");
}

TEST(ContinuedBands, ValuesAreCopiedToTheItemShowingTheSameObject)
{
    // The continued group footer lists only its "[SYS]" object (index 1),
    // while the closing footer lists object 0 with a value first: copying by
    // position would hand that value to the placeholder.
    ReportDocument doc = groupWithFooterNewPage(1);
    EXPECT_EQ(Shown(doc, 0, NthPlaced(doc, 0, GroupFooter)), "-");
    EXPECT_EQ(Shown(doc, 0, NthPlaced(doc, 0, DataFooter)), "-");
}

TEST(ContinuedBands, EntriesWaitUntilTheirBandIsPlacedAgain)
{
    // A group footer that is never placed for a record (its record-set name
    // matches none) leaves its continued copy waiting, unbound.
    TemplateText text = StandardPage();
    text.band(GroupHeader, { 500 }).band(DataHeader, { 500 }).band(Body, { 1000 });
    text.band(DataFooter, { 500 }).band(GroupFooter, { 500, 0, 2 }).structure(ThreeLevels());
    text.object(GroupFooter, "Gruppo.[Nome]");
    const Record data { "Dati", { { "Totale", "T1" } }, Rows(7, "Riga", { "Nome" }) };
    ReportDocument doc = LoadReport(text, { Report({ Group(1, { data }) }) });
    doc.Bands[GroupFooter].RecordsetName = "NessunGruppo"; // never placed for a record
    LayOutReport(doc);
    ASSERT_EQ(doc.DataPlacements.size(), 1);
    const DataPlacement waiting = doc.DataPlacements[0];
    EXPECT_EQ(waiting.PageIndex, 0);
    EXPECT_EQ(waiting.BandIndex, GroupFooter);
    EXPECT_EQ(doc.Pages[0].PlacedBands[waiting.PlacedBandIndex].BandIndex, GroupFooter);
    EXPECT_EQ(Shown(doc, 0, waiting.PlacedBandIndex), "-");
}
