#include "layout/PageLayout.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

using namespace zet;

namespace {

// A document with one page and one band holding the given data sources, for
// the procedures that work on a single placed band.
ReportDocument oneBand(const QStringList &dataSources, double height = 300, int breakMode = 0)
{
    ReportDocument doc;
    doc.PageHeight = 10000;
    ReportBand band;
    band.Visible = true;
    band.Kind = kBandData;
    band.Height = height;
    band.BreakMode = breakMode;
    for (const QString &source : dataSources) {
        ReportObject object;
        object.DataSource = source;
        band.ObjectIndexes.append(int(doc.Objects.size()));
        doc.Objects.append(object);
    }
    doc.Bands.append(band);
    doc.Pages.append(LaidPage());
    return doc;
}

QList<int> objectsOf(const PlacedBand &placed)
{
    QList<int> objects;
    for (const PlacedItem &item : placed.Items)
        objects.append(item.ObjectIndex);
    return objects;
}

QList<int> valuesOf(const PlacedBand &placed)
{
    QList<int> values;
    for (const PlacedItem &item : placed.Items)
        values.append(item.ValueIndex);
    return values;
}

// Record 0 with the given (field, value) pairs.
void addRecord(ReportDocument &doc, const QList<std::pair<QString, QString>> &fields)
{
    DataRecord record;
    for (const auto &[name, text] : fields) {
        record.ValueIndexes.append(int(doc.Values.size()));
        doc.Values.append({ int(doc.Records.size()), name, text, text });
    }
    doc.Records.append(record);
}

} // namespace

TEST(PlaceBand, ListsSystemObjectsAlwaysAndDataObjectsOnlyWithData)
{
    ReportDocument doc = oneBand({ "", "[sys]", "Riga.[Nome]", "[SYS]" });
    LayoutState state { false, 0, 10000 };
    const int withData = PlaceBand(doc, 0, PlaceFrom::Top, 0, state, true);
    const int withoutData = PlaceBand(doc, 0, PlaceFrom::Top, 0, state, false);
    EXPECT_EQ(objectsOf(doc.Pages[0].PlacedBands[withData]), QList<int>({ 1, 2, 3 }));
    EXPECT_EQ(objectsOf(doc.Pages[0].PlacedBands[withoutData]), QList<int>({ 1, 3 }));
    EXPECT_EQ(valuesOf(doc.Pages[0].PlacedBands[withData]), QList<int>({ -1, -1, -1 }));
}

TEST(PlaceBand, TopsRoundHalfToEvenAndTheFlowContinuesFromTheRoundedTop)
{
    struct Row
    {
        const char *name;
        double flowTop;
        double height;
        int top;
        double nextFlowTop;
    };
    const Row rows[] = {
        { "half rounds down to even", 100.5, 10, 100, 110 },
        { "half rounds up to even", 101.5, 10, 102, 112 },
        { "fraction below half", 7.49, 0.25, 7, 7.25 },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ReportDocument doc = oneBand({}, row.height);
        LayoutState state { false, row.flowTop, 10000 };
        PlaceBand(doc, 0, PlaceFrom::Top, 0, state, true);
        EXPECT_EQ(doc.Pages[0].PlacedBands[0].Top, row.top);
        EXPECT_DOUBLE_EQ(state.FlowTop, row.nextFlowTop);
    }
}

TEST(PlaceBand, FromTheBottomEndsAtTheLimitAndMovesItUp)
{
    ReportDocument doc = oneBand({}, 250.5);
    LayoutState state { false, 0, 10000 };
    PlaceBand(doc, 0, PlaceFrom::Bottom, 0, state, true);
    EXPECT_EQ(doc.Pages[0].PlacedBands[0].Top, 9750); // 9749.5 to even
    EXPECT_DOUBLE_EQ(state.FlowBottom, 9750);
    EXPECT_DOUBLE_EQ(state.FlowTop, 0);
}

TEST(PlaceBand, OnlyBreakAfterSetsTheBreak)
{
    for (const int mode : { 0, 1, 2, 3, 4 }) {
        SCOPED_TRACE(mode);
        ReportDocument doc = oneBand({}, 100, mode);
        LayoutState state { false, 0, 10000 };
        PlaceBand(doc, 0, PlaceFrom::Top, 0, state, true);
        EXPECT_EQ(state.BreakPending, mode == 2 || mode == 3);
    }
}

TEST(PlaceBand, IndicesOutsideTheirListsAreErrorNine)
{
    ReportDocument doc = oneBand({ "[SYS]" });
    LayoutState state { false, 0, 10000 };
    for (const auto &[page, band] : { std::pair { 0, 1 }, std::pair { 1, 0 }, std::pair { -1, 0 } }) {
        try {
            PlaceBand(doc, page, PlaceFrom::Top, band, state, true);
            ADD_FAILURE() << "no error for page " << page << " band " << band;
        } catch (const Error &error) {
            EXPECT_EQ(error.number(), Error::kSubscriptOutOfRange);
        }
    }
    doc.Bands[0].ObjectIndexes.append(7);
    EXPECT_THROW(PlaceBand(doc, 0, PlaceFrom::Top, 0, state, true), Error);
    EXPECT_TRUE(doc.Pages[0].PlacedBands.isEmpty());
}

TEST(BindRecordValues, MatchesTheFieldSuffixIgnoringCaseAndStructureName)
{
    ReportDocument doc
        = oneBand({ "Riga.[Nome]", "Altro.[nome]", "[Nome]", "Riga.[Importo]", "[SYS]", "Nome" });
    addRecord(doc, { { "Importo", "12" }, { "NOME", "Rossi" } });
    LayoutState state { false, 0, 10000 };
    PlaceBand(doc, 0, PlaceFrom::Top, 0, state, true);
    BindRecordValues(doc, 0, 0, 0);
    // "[Nome]" lacks the dot, "Nome" the brackets: neither names a field.
    EXPECT_EQ(valuesOf(doc.Pages[0].PlacedBands[0]), QList<int>({ 1, 1, -1, 0, -1, -1 }));
}

TEST(BindRecordValues, ALaterMatchingValueWins)
{
    struct Row
    {
        const char *name;
        QString dataSource;
        QList<std::pair<QString, QString>> fields;
        int expected;
    };
    const Row rows[] = {
        { "same field twice", "R.[NOME]", { { "Nome", "a" }, { "Cod", "b" }, { "nome", "c" } }, 2 },
        { "longer name matched first", "A.[B.[C]", { { "B.[C", "a" }, { "C", "b" } }, 1 },
        { "shorter name matched first", "A.[B.[C]", { { "C", "a" }, { "B.[C", "b" } }, 1 },
        { "no matching field", "R.[Nome]", { { "Cod", "a" } }, -1 },
        { "no values", "R.[Nome]", {}, -1 },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ReportDocument doc = oneBand({ row.dataSource });
        addRecord(doc, row.fields);
        LayoutState state { false, 0, 10000 };
        PlaceBand(doc, 0, PlaceFrom::Top, 0, state, true);
        BindRecordValues(doc, 0, 0, 0);
        EXPECT_EQ(doc.Pages[0].PlacedBands[0].Items[0].ValueIndex, row.expected);
    }
}

TEST(BindRecordValues, UpperCasesWithFullCaseMapping)
{
    // "ß" upper-cases to "SS", so a field "Strasse" binds "Straße".
    ReportDocument doc = oneBand({ QStringLiteral("R.[Straße]") });
    addRecord(doc, { { "STRASSE", "Via Roma" } });
    LayoutState state { false, 0, 10000 };
    PlaceBand(doc, 0, PlaceFrom::Top, 0, state, true);
    BindRecordValues(doc, 0, 0, 0);
    EXPECT_EQ(doc.Pages[0].PlacedBands[0].Items[0].ValueIndex, 0);
}

TEST(BindRecordValues, LargeRecordsBindLikeSmallOnes)
{
    // Past a few dozen name comparisons the binder switches to a hash of the
    // record's names; the result must not change.
    for (const int fields : { 3, 200 }) {
        SCOPED_TRACE(fields);
        ReportDocument doc = oneBand({ QStringLiteral("R.[nome]"), QStringLiteral("R.[Straße]"), "[SYS]" });
        QList<std::pair<QString, QString>> values;
        for (int n = 0; n < fields; ++n)
            values.append({ QStringLiteral("F%1").arg(n), QString() });
        values[0] = { "Nome", "first" };
        values[1] = { "STRASSE", "street" };
        values[fields - 1] = { "NOME", "last" };
        addRecord(doc, values);
        LayoutState state { false, 0, 10000 };
        PlaceBand(doc, 0, PlaceFrom::Top, 0, state, true);
        BindRecordValues(doc, 0, 0, 0);
        EXPECT_EQ(valuesOf(doc.Pages[0].PlacedBands[0]), QList<int>({ fields - 1, 1, -1 }));
    }
}

TEST(BindRecordValues, AValueIndexOutsideTheValuesIsErrorNine)
{
    ReportDocument doc = oneBand({ "R.[Nome]" });
    addRecord(doc, { { "Nome", "a" } });
    doc.Records[0].ValueIndexes.append(5);
    LayoutState state { false, 0, 10000 };
    PlaceBand(doc, 0, PlaceFrom::Top, 0, state, true);
    try {
        BindRecordValues(doc, 0, 0, 0);
        ADD_FAILURE() << "no error";
    } catch (const Error &error) {
        EXPECT_EQ(error.number(), Error::kSubscriptOutOfRange);
    }
}

TEST(FindBand, ScansUpFromStartForAVisibleBandOfThatKindAndLevel)
{
    ReportDocument doc;
    for (const auto &[kind, visible, level] :
        { std::tuple { kBandData, true, 1 }, std::tuple { kBandData, false, 2 },
            std::tuple { kBandData, true, 2 }, std::tuple { kBandPageFooter, true, -1 } }) {
        ReportBand band;
        band.Kind = kind;
        band.Visible = visible;
        band.DataLevel = level;
        doc.Bands.append(band);
    }
    EXPECT_EQ(FindBand(doc, kBandData), 0);
    EXPECT_EQ(FindBand(doc, kBandData, 1), 2);
    EXPECT_EQ(FindBand(doc, kBandData, -1, 2), 2);
    EXPECT_EQ(FindBand(doc, kBandData, 3), -1);
    EXPECT_EQ(FindBand(doc, kBandPageFooter, -7), 3);
    EXPECT_EQ(FindBand(doc, kBandReportFooter), -1);
}
