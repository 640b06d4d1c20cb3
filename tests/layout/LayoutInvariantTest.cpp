#include "layout/LayoutTestHelpers.h"
#include "layout/PageLayout.h"
#include "support/TemplateText.h"
#include "template/Conversions.h"

#include <gtest/gtest.h>

#include <random>

using namespace zet;
using namespace zet::test;

namespace {

// Random templates and data of the three band shapes, built from a seed.
class RandomReport
{
public:
    explicit RandomReport(unsigned seed)
        : random_(seed)
    { }

    ReportDocument build()
    {
        TemplateText text;
        text.page(pick(3000, 20000), half(0, 1000), half(0, 1000));
        if (chance(0.7))
            text.band(PageHeader, { half(0, 1500) });
        if (chance(0.7))
            text.band(PageFooter, { half(0, 1500) });
        if (chance(0.5))
            text.band(ReportHeader, { half(0, 3000), breakMode() });
        if (chance(0.5))
            text.band(ReportFooter, { half(0, 3000), breakMode() });
        shape_ = pick(1, 3);
        const QList<Slot> dataSlots = shape_ == 3
            ? QList<Slot> { GroupHeader, DataHeader, Body, DataFooter, GroupFooter }
            : shape_ == 2 ? QList<Slot> { DataHeader, Body, DataFooter }
                          : QList<Slot> { Body };
        for (const Slot slot : dataSlots) {
            if (slot != Body && chance(0.3))
                continue;
            const bool repeatable = slot == Body || slot == DataFooter;
            const BandShape shape { chance(0.05) ? half(8000, 25000) : half(0, 2500),
                chance(0.2) ? breakMode() : 0, chance(0.4) ? pick(0, 2) : 0,
                repeatable && chance(0.3) ? 1 : 0, chance(0.9) };
            text.band(slot, shape);
        }
        for (const Slot slot : { PageHeader, ReportHeader, GroupHeader, DataHeader, Body, DataFooter,
                 GroupFooter, ReportFooter, PageFooter }) {
            for (int n = pick(0, 2); n > 0; --n)
                text.object(slot, dataSource());
        }
        text.structure(structure());
        QList<Record> outermost { Record { "Report", {}, children(1) } };
        if (chance(0.2))
            outermost.append(Record { "Report", {}, children(1) });
        return LoadReport(text, outermost);
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    double half(int low, int high) { return pick(2 * low, 2 * high) / 2.0; }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    int breakMode() { return pick(0, 3); }

    QString dataSource()
    {
        static const char *const kSources[]
            = { "[SYS]", "[sys]", "", "X.[Nome]", "Riga.[Cod]", "Dati.[Totale]", "X.[Assente]" };
        return QString::fromLatin1(kSources[pick(0, 6)]);
    }

    // The names and fields of each level below Report for the current shape.
    QList<RecordSet> levels() const
    {
        const RecordSet row { "Riga", { "Nome", "Cod" }, {} };
        if (shape_ == 1)
            return { row };
        if (shape_ == 2)
            return { { "Gruppo", { "Nome" }, {} }, row };
        return { { "Gruppo", { "Nome" }, {} }, { "Dati", { "Totale" }, {} }, row };
    }

    RecordSet structure() const
    {
        QList<RecordSet> chain = levels();
        for (qsizetype i = chain.size() - 1; i > 0; --i)
            chain[i - 1].Children = { chain[i] };
        return { "Report", {}, { chain.first() } };
    }

    QList<Record> children(int level)
    {
        const QList<RecordSet> chain = levels();
        QList<Record> records;
        if (level > chain.size())
            return records;
        const RecordSet &set = chain.at(level - 1);
        for (int n = pick(0, level == chain.size() ? 9 : 3); n > 0; --n) {
            Record record { set.Name, {}, children(level + 1) };
            for (const QString &field : set.Fields)
                record.Values.append({ field, QStringLiteral("%1 %2").arg(field).arg(++counter_) });
            records.append(record);
        }
        return records;
    }

    std::mt19937 random_;
    int shape_ = 1;
    int counter_ = 0;
};

bool isFillCopyOf(const PlacedBand &placed, const ReportDocument &doc)
{
    if (doc.Bands.at(placed.BandIndex).Repeat != 1)
        return false;
    for (const PlacedItem &item : placed.Items) {
        if (item.ValueIndex != -1 || doc.Objects.at(item.ObjectIndex).DataSource.toUpper() != "[SYS]")
            return false;
    }
    return true;
}

void checkFixedBands(const ReportDocument &doc, int page)
{
    const QList<PlacedBand> &bands = doc.Pages.at(page).PlacedBands;
    QList<int> expected { TopMargin };
    if (doc.Bands.at(PageHeader).Visible)
        expected.append(PageHeader);
    expected.append(BottomMargin);
    if (doc.Bands.at(PageFooter).Visible)
        expected.append(PageFooter);
    ASSERT_GE(bands.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(bands.at(i).BandIndex, expected.at(i)) << "fixed band " << i;
    EXPECT_EQ(bands.at(0).Top, 0);
    const int bottomMargin = expected.indexOf(BottomMargin);
    EXPECT_EQ(bands.at(bottomMargin).Top, RoundHalfEven(doc.PageHeight - doc.MarginBottom));
    const int lowest = int(expected.size() - 1);
    EXPECT_EQ(doc.Pages.at(page).BodyLimit, bands.at(lowest).Top);
}

// Every shown value belongs to a record of the band's level and is a field the
// object names.
void checkValues(const ReportDocument &doc, int page)
{
    for (const PlacedBand &placed : doc.Pages.at(page).PlacedBands) {
        const ReportBand &band = doc.Bands.at(placed.BandIndex);
        for (const PlacedItem &item : placed.Items) {
            if (item.ValueIndex == -1)
                continue;
            ASSERT_GE(item.ValueIndex, 0);
            ASSERT_LT(item.ValueIndex, doc.Values.size());
            const DataValue &value = doc.Values.at(item.ValueIndex);
            EXPECT_EQ(doc.Records.at(value.RecordIndex).Level, band.DataLevel);
            EXPECT_TRUE(doc.Objects.at(item.ObjectIndex)
                            .DataSource.toUpper()
                            .endsWith(".[" + value.FieldName.toUpper() + "]"));
        }
    }
}

// Without the fill, tops never go up in placing order after the fixed bands;
// the fill adds copies at the end of the list and only moves bands down.
void checkFlowAndFill(const ReportDocument &filled, const ReportDocument &unfilled, int page)
{
    const QList<PlacedBand> &flow = unfilled.Pages.at(page).PlacedBands;
    const QList<PlacedBand> &result = filled.Pages.at(page).PlacedBands;
    const int fixed
        = 2 + (filled.Bands.at(PageHeader).Visible ? 1 : 0) + (filled.Bands.at(PageFooter).Visible ? 1 : 0);
    for (int i = fixed + 1; i < flow.size(); ++i)
        EXPECT_GE(flow.at(i).Top, flow.at(i - 1).Top) << "flow band " << i;
    ASSERT_GE(result.size(), flow.size());
    for (int i = 0; i < flow.size(); ++i) {
        EXPECT_EQ(result.at(i).BandIndex, flow.at(i).BandIndex);
        EXPECT_GE(result.at(i).Top, flow.at(i).Top);
    }
    const LaidPage &laid = filled.Pages.at(page);
    double copied = 0;
    for (qsizetype i = flow.size(); i < result.size(); ++i) {
        EXPECT_TRUE(isFillCopyOf(result.at(i), filled)) << "copy " << i;
        copied += filled.Bands.at(result.at(i).BandIndex).Height;
    }
    EXPECT_LE(copied, std::max(0.0, laid.BodyLimit - laid.FilledTo) + 1e-6);
}

} // namespace

TEST(LayoutInvariant, HoldsForRandomTemplatesAndData)
{
    for (unsigned seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE(seed);
        ReportDocument filled = RandomReport(seed).build();
        ReportDocument unfilled = filled;
        for (ReportBand &band : unfilled.Bands)
            band.Repeat = 0;
        LayOutReport(filled);
        LayOutReport(unfilled);
        ASSERT_EQ(filled.Pages.size(), unfilled.Pages.size());
        EXPECT_LE(filled.Pages.size(), filled.Records.size() * 5 + 2);
        for (int page = 0; page < filled.Pages.size(); ++page) {
            SCOPED_TRACE(page);
            checkFixedBands(filled, page);
            checkValues(filled, page);
            checkFlowAndFill(filled, unfilled, page);
        }
        for (const DataPlacement &waiting : filled.DataPlacements)
            EXPECT_EQ(filled.Pages.at(waiting.PageIndex).PlacedBands.at(waiting.PlacedBandIndex).BandIndex,
                waiting.BandIndex);
        if (::testing::Test::HasFailure())
            break;
    }
}
