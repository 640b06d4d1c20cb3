#include "layout/LayoutTestHelpers.h"
#include "layout/PageLayout.h"
#include "support/TemplateText.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

namespace {

const QString kFrame = QStringLiteral("TM@0 PH@500 BM@9500 PF@8500");

// Group bands; the group header carries NewPage, the data header none.
// Objects: group header 0 "Gruppo.[Nome]" and 1 "[SYS]"; data header 2
// "Dati.[Totale]" and 3 "[SYS]"; body 4 "Riga.[Nome]".
TemplateText headersTemplate(int groupHeaderNewPage)
{
    TemplateText text = StandardPage();
    text.band(GroupHeader, { 500, 0, groupHeaderNewPage }).band(DataHeader, { 500 }).band(Body, { 1000 });
    text.band(DataFooter, { 500 }).band(GroupFooter, { 500 }).structure(ThreeLevels());
    text.object(GroupHeader, "Gruppo.[Nome]").object(GroupHeader, "[SYS]");
    text.object(DataHeader, "Dati.[Totale]").object(DataHeader, "[SYS]").object(Body, "Riga.[Nome]");
    return text;
}

Record data(const QString &total, int rows, int firstRow)
{
    return { "Dati", { { "Totale", total } }, Rows(rows, "Riga", { "Nome" }, firstRow) };
}

} // namespace

TEST(RepeatedHeaders, GroupAndDataHeadersAreRepeatedAboveTheRowThatStartsAPage)
{
    for (const int newPage : { 1, 2 }) {
        SCOPED_TRACE(newPage);
        ReportDocument doc
            = LoadReport(headersTemplate(newPage), { Report({ Group(1, { data("T1", 9, 1) }) }) });
        LayOutReport(doc);
        EXPECT_EQ(doc.Bands[Body].LinkPrev, GroupHeader);
        ASSERT_EQ(doc.Pages.size(), 2);
        EXPECT_EQ(Outline(doc, 0), kFrame + " GH@1500 DH@2000 B@2500 B@3500 B@4500 B@5500 B@6500 B@7500");
        EXPECT_EQ(Outline(doc, 1), kFrame + " GH@1500 DH@2000 B@2500 B@3500 B@4500 DF@5500 GF@6000");
        EXPECT_EQ(Shown(doc, 1, NthPlaced(doc, 1, Body)), "Nome 7");
    }
}

TEST(RepeatedHeaders, WithDataValuesTheHeaderShowsItsLastValuesOfThePageBefore)
{
    // Page 1 holds all of group 1 and the start of group 2.
    ReportDocument doc = LoadReport(
        headersTemplate(2), { Report({ Group(1, { data("T1", 1, 1) }), Group(2, { data("T2", 5, 2) }) }) });
    LayOutReport(doc);
    ASSERT_EQ(doc.Pages.size(), 2);
    EXPECT_EQ(Outline(doc, 0),
        kFrame + " GH@1500 DH@2000 B@2500 DF@3500 GF@4000 GH@4500 DH@5000 B@5500 B@6500 B@7500");
    const int header = NthPlaced(doc, 1, GroupHeader);
    ASSERT_GE(header, 0);
    EXPECT_EQ(Shown(doc, 1, header), "Gruppo 2|-");
    // The data header has NewPage 0: repeated with its "[SYS]" object only.
    EXPECT_EQ(Shown(doc, 1, NthPlaced(doc, 1, DataHeader)), "-");
    EXPECT_EQ(doc.Pages[1].PlacedBands[NthPlaced(doc, 1, DataHeader)].Items.size(), 1);
}

TEST(RepeatedHeaders, WithoutDataValuesOnlyThePlaceholderIsRepeatedAndGetsNoValue)
{
    // The header of the page before lists object 0 (a value) before the
    // placeholder; the repeated header lists the placeholder alone, which a
    // copy by position would hand that value.
    ReportDocument doc = LoadReport(headersTemplate(1), { Report({ Group(1, { data("T1", 9, 1) }) }) });
    LayOutReport(doc);
    const PlacedBand &repeated = doc.Pages[1].PlacedBands[NthPlaced(doc, 1, GroupHeader)];
    ASSERT_EQ(repeated.Items.size(), 1);
    EXPECT_EQ(repeated.Items[0].ObjectIndex, 1);
    EXPECT_EQ(repeated.Items[0].ValueIndex, -1);
    EXPECT_EQ(Shown(doc, 0, NthPlaced(doc, 0, GroupHeader)), "Gruppo 1|-");
}

TEST(RepeatedHeaders, DataFooterStartingAPageGetsTheGroupHeaderRepeated)
{
    // Six rows fill page 1 to the limit; the data footer starts page 2.
    ReportDocument doc = LoadReport(headersTemplate(2), { Report({ Group(1, { data("T1", 6, 1) }) }) });
    LayOutReport(doc);
    EXPECT_EQ(doc.Bands[DataFooter].LinkPrev, GroupHeader);
    ASSERT_EQ(doc.Pages.size(), 2);
    EXPECT_EQ(Outline(doc, 1), kFrame + " GH@1500 DF@2000 GF@2500");
    EXPECT_EQ(Shown(doc, 1, NthPlaced(doc, 1, GroupHeader)), "Gruppo 1|-");
}
