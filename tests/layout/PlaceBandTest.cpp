#include "layout/LayoutTestHelpers.h"
#include "xml/RecordsetData.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

namespace {

// The body of a loaded template (slot 6) on an empty page; its objects 0, 1,
// ... show these data sources.
ReportDocument oneBand(const QStringList &dataSources, double height = 300, int breakMode = 0)
{
    TemplateText text = standardPage(kRowsOnly, { { Body, { height, breakMode } } });
    for (const QString &source : dataSources)
        text.object(Body, source);
    ReportDocument doc = loadReport(text, {});
    doc.pages = { LaidPage() };
    return doc;
}

} // namespace

TEST(PlaceBand, ListsSystemObjectsAlwaysAndDataObjectsOnlyWithData)
{
    ReportDocument doc = oneBand({ "", "[sys]", "Riga.[Nome]", "[SYS]" });
    LayoutState state;
    EXPECT_EQ(placeBand(doc, 0, PlaceFrom::Top, Body, state, true), 0);
    EXPECT_EQ(placeBand(doc, 0, PlaceFrom::Top, Body, state, false), 1);
    EXPECT_EQ(shown(doc, 0, Body, 0), "1=-|2=-|3=-");
    EXPECT_EQ(shown(doc, 0, Body, 1), "1=-|3=-");
}

TEST(PlaceBand, TopsRoundHalfToEvenTheFlowGoesOnFromTheRoundedTopAndOnlyBreakAfterSetsTheBreak)
{
    struct Row
    {
        PlaceFrom from;
        double flow, height;
        int breakMode, top;
        double flowAfter;
    };
    const Row rows[] = { { PlaceFrom::Top, 100.5, 10, 0, 100, 110 },
        { PlaceFrom::Top, 101.5, 10, 1, 102, 112 }, { PlaceFrom::Top, 7.49, 0.25, 2, 7, 7.25 },
        { PlaceFrom::Bottom, 10000, 250.5, 3, 9750, 9750 }, { PlaceFrom::Top, 0, 10, 4, 0, 10 } };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.breakMode);
        ReportDocument doc = oneBand({}, row.height, row.breakMode);
        LayoutState state { false, row.flow, row.flow };
        placeBand(doc, 0, row.from, Body, state, true);
        EXPECT_EQ(doc.pages[0].placedBands[0].top, row.top);
        const bool fromTop = row.from == PlaceFrom::Top;
        EXPECT_DOUBLE_EQ(fromTop ? state.flowTop : state.flowBottom, row.flowAfter);
        EXPECT_DOUBLE_EQ(fromTop ? state.flowBottom : state.flowTop, row.flow);
        EXPECT_EQ(state.breakPending, row.breakMode == 2 || row.breakMode == 3);
    }
}

TEST(BindRecordValues, BindsTheLastValueWhoseFieldEndsTheDataSource)
{
    // The record's values: padding unrelated fields, then fields; the value at
    // position n shows "n". Object 1 is a placeholder.
    struct Row
    {
        const char *name;
        QString dataSource;
        QStringList fields;
        int padding;
        QString shown;
    };
    const Row rows[] = {
        { "letter case and structure name do not count", "Altro.[nome]", { "Importo", "NOME" }, 0,
            "0=1|1=-" },
        { "a field the record lacks", "Riga.[Importo]", { "Nome" }, 0, "0=-|1=-" },
        { "no dot before the bracket", "[Nome]", { "Nome" }, 0, "0=-|1=-" },
        { "placeholder", "[SYS]", { "SYS" }, 0, "0=-|1=-" },
        { "record without values", "R.[Nome]", {}, 0, "0=-|1=-" },
        { "same field twice", "R.[NOME]", { "Nome", "Cod", "nome" }, 0, "0=2|1=-" },
        { "longer name first", "A.[B.[C]", { "B.[C", "C" }, 0, "0=1|1=-" },
        { "shorter name first", "A.[B.[C]", { "C", "B.[C" }, 0, "0=1|1=-" },
        { "full case mapping", "R.[Straße]", { "STRASSE" }, 0, "0=0|1=-" },
        { "many fields, same field twice", "R.[nome]", { "Nome", "NOME" }, 200, "0=201|1=-" },
        { "many fields, full case mapping", "R.[Straße]", { "STRASSE" }, 200, "0=200|1=-" },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ReportDocument doc = oneBand({ row.dataSource, "[SYS]" });
        const int record = addRecord(doc, -1, 0, "R");
        QStringList fields = row.fields;
        for (int n = 0; n < row.padding; ++n)
            fields.prepend(QStringLiteral("F%1").arg(n));
        for (int n = 0; n < fields.size(); ++n)
            addValue(doc, record, fields[n], QString::number(n));
        LayoutState state;
        bindRecordValues(doc, 0, placeBand(doc, 0, PlaceFrom::Top, Body, state, true), record);
        EXPECT_EQ(shown(doc, 0, Body), row.shown);
    }
}

TEST(FindBand, ScansUpFromStartForAVisibleBandOfThatKindAndLevel)
{
    // Slots 4 to 8 are data bands of levels 1, 2, 3, 2, 1; only 4 and 6 are visible.
    const ReportDocument doc = loadReport(
        standardPage(kThreeLevels,
            { { GroupHeader, { 100 } }, { DataHeader, { 100, 0, 0, 0, false } }, { Body, { 100 } } }),
        {});
    EXPECT_EQ(findBand(doc, BandKind::Data), GroupHeader);
    EXPECT_EQ(findBand(doc, BandKind::Data, GroupHeader + 1), Body);
    EXPECT_EQ(findBand(doc, BandKind::Data, -1, 3), Body);
    EXPECT_EQ(findBand(doc, BandKind::Data, -1, 2), -1);
    EXPECT_EQ(findBand(doc, BandKind::PageFooter, -7), PageFooter);
    EXPECT_EQ(findBand(doc, BandKind::ReportFooter), -1);
}
