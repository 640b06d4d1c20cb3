#include "layout/LayoutTestHelpers.h"
#include "layout/PageLayout.h"
#include "template/Conversions.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace zet;
using namespace zet::test;

namespace {

// A random template and data of one of the three band shapes (body only; data
// header and footer; group bands).
ReportDocument randomReport(unsigned seed)
{
    std::mt19937 random(seed);
    const auto pick
        = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const auto half = [&](int low, int high) { return pick(2 * low, 2 * high) / 2.0; };
    const auto chance = [&](double p) { return std::bernoulli_distribution(p)(random); };
    TemplateText text;
    text.page(pick(3000, 20000), half(0, 1000), half(0, 1000));
    for (const Slot slot : { PageHeader, PageFooter, ReportHeader, ReportFooter }) {
        if (chance(slot == PageHeader || slot == PageFooter ? 0.7 : 0.5))
            text.band(slot, { half(0, slot == PageHeader || slot == PageFooter ? 1500 : 3000), pick(0, 3) });
    }
    const RecordSet group { "Gruppo", { "Nome" }, {} }, data { "Dati", { "Totale" }, {} },
        row { "Riga", { "Nome", "Cod" }, {} };
    const int shape = pick(1, 3);
    const QList<RecordSet> levels = shape == 1 ? QList { row }
        : shape == 2                           ? QList { group, row }
                                               : QList { group, data, row };
    // Slots 4 to 8 around the body, as deep as the shape has levels.
    for (int slot = GroupHeader; slot <= GroupFooter; ++slot) {
        if (std::abs(slot - Body) >= shape || (slot != Body && chance(0.3)))
            continue;
        const bool repeatable = slot == Body || slot == DataFooter;
        text.band(Slot(slot),
            { chance(0.05) ? half(8000, 25000) : half(0, 2500), chance(0.2) ? pick(0, 3) : 0,
                chance(0.4) ? pick(0, 2) : 0, repeatable && chance(0.3) ? 1 : 0, chance(0.9) });
    }
    static const char *const kSources[]
        = { "[SYS]", "[sys]", "", "X.[Nome]", "Riga.[Cod]", "Dati.[Totale]", "X.[Assente]" };
    for (int slot = PageHeader; slot <= PageFooter; ++slot) {
        for (int n = pick(0, 2); n > 0; --n)
            text.object(Slot(slot), kSources[pick(0, 6)]);
    }
    RecordSet structure = levels.last();
    for (qsizetype i = levels.size() - 2; i >= 0; --i)
        structure = { levels[i].Name, levels[i].Fields, { structure } };
    int counter = 0;
    const std::function<QList<Record>(qsizetype)> children = [&](qsizetype level) {
        QList<Record> records;
        for (int n = level < levels.size() ? pick(0, level + 1 == levels.size() ? 9 : 3) : 0; n > 0; --n) {
            records.append({ levels[level].Name, {}, children(level + 1) });
            for (const QString &field : levels[level].Fields)
                records.last().Values.append({ field, QStringLiteral("%1 %2").arg(field).arg(++counter) });
        }
        return records;
    };
    QList<Record> outermost { Report(children(0)) };
    if (chance(0.2))
        outermost.append(Report(children(0)));
    return LoadReport(text.structure({ "Report", {}, { structure } }), outermost);
}

// On every page: the fixed bands first, the lowest of them setting the limit;
// without the fill, tops never go up after the fixed bands; the fill only moves
// bands down and appends blank copies of bands that repeat, no more than the
// free space holds, leaving no more than a band height free for the first band
// that repeats; every value shown belongs to a record of the band's level and
// is a field the object names.
void checkPage(const ReportDocument &doc, const ReportDocument &unfilled, int page)
{
    const QList<PlacedBand> &bands = doc.Pages.at(page).PlacedBands,
                            &flow = unfilled.Pages.at(page).PlacedBands;
    QList<int> fixed { TopMargin };
    if (doc.Bands.at(PageHeader).Visible)
        fixed.append(PageHeader);
    fixed.append(BottomMargin);
    if (doc.Bands.at(PageFooter).Visible)
        fixed.append(PageFooter);
    ASSERT_GE(flow.size(), fixed.size());
    ASSERT_GE(bands.size(), flow.size());
    for (int i = 0; i < fixed.size(); ++i)
        EXPECT_EQ(bands.at(i).BandIndex, fixed.at(i)) << "fixed band " << i;
    EXPECT_EQ(bands.at(0).Top, 0);
    EXPECT_EQ(bands.at(fixed.indexOf(BottomMargin)).Top, RoundHalfEven(doc.PageHeight - doc.MarginBottom));
    EXPECT_EQ(doc.Pages.at(page).BodyLimit, bands.at(fixed.size() - 1).Top);
    double copied = 0, firstRepeating = -1;
    for (int i = 0; i < bands.size(); ++i) {
        const ReportBand &band = doc.Bands.at(bands.at(i).BandIndex);
        if (i < flow.size()) {
            EXPECT_EQ(bands.at(i).BandIndex, flow.at(i).BandIndex);
            EXPECT_GE(bands.at(i).Top, flow.at(i).Top);
            EXPECT_TRUE(i <= fixed.size() || flow.at(i).Top >= flow.at(i - 1).Top) << "flow band " << i;
        } else {
            EXPECT_EQ(band.Repeat, 1) << "copy " << i;
            copied += band.Height;
        }
        if (firstRepeating < 0 && band.Repeat == 1 && band.Height > 0)
            firstRepeating = band.Height;
        for (const PlacedItem &item : bands.at(i).Items) {
            const QString source = doc.Objects.at(item.ObjectIndex).DataSource.toUpper();
            EXPECT_TRUE(i < flow.size() || source == "[SYS]") << "copy " << i;
            if (item.ValueIndex == -1)
                continue;
            ASSERT_TRUE(item.ValueIndex >= 0 && item.ValueIndex < doc.Values.size());
            const DataValue &value = doc.Values.at(item.ValueIndex);
            EXPECT_TRUE(i < flow.size()) << "copy " << i;
            EXPECT_EQ(doc.Records.at(value.RecordIndex).Level, band.DataLevel);
            EXPECT_TRUE(source.endsWith(".[" + value.FieldName.toUpper() + "]"));
        }
    }
    const double free = doc.Pages.at(page).BodyLimit - doc.Pages.at(page).FilledTo;
    EXPECT_LE(copied, std::max(0.0, free) + 1e-6);
    if (firstRepeating > 0) {
        EXPECT_LE(free - copied, firstRepeating + 1e-6);
    }
}

} // namespace

TEST(LayoutInvariant, HoldsForRandomTemplatesAndData)
{
    for (unsigned seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE(seed);
        ReportDocument filled = randomReport(seed);
        ReportDocument unfilled = filled;
        for (ReportBand &band : unfilled.Bands)
            band.Repeat = 0;
        LayOutReport(filled);
        LayOutReport(unfilled);
        ASSERT_EQ(filled.Pages.size(), unfilled.Pages.size());
        EXPECT_LE(filled.Pages.size(), filled.Records.size() * 5 + 2);
        for (int page = 0; page < filled.Pages.size(); ++page) {
            SCOPED_TRACE(page);
            checkPage(filled, unfilled, page);
        }
        // A continued band waits for values only when it lists items.
        for (const DataPlacement &waiting : filled.DataPlacements) {
            const PlacedBand &placed
                = filled.Pages.at(waiting.PageIndex).PlacedBands.at(waiting.PlacedBandIndex);
            EXPECT_EQ(placed.BandIndex, waiting.BandIndex);
            EXPECT_FALSE(placed.Items.isEmpty());
        }
        if (::testing::Test::HasFailure())
            break;
    }
}
