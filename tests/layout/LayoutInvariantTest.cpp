#include "layout/LayoutTestHelpers.h"
#include "template/Conversions.h"

#include <functional>
#include <gtest/gtest.h>
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
        const bool pageBand = slot == PageHeader || slot == PageFooter;
        if (chance(pageBand ? 0.7 : 0.5))
            text.band(slot, { half(0, pageBand ? 1500 : 3000), pick(0, 3) });
    }
    const RecordSet group { "Gruppo", { "Nome" }, {} }, data { "Dati", { "Totale" }, {} },
        row { "Riga", { "Nome", "Cod" }, {} };
    const int shape = pick(1, 3);
    QList<RecordSet> levels { group, data, row };
    levels.remove(shape == 2 ? 1 : 0, 3 - shape); // Riga; Gruppo, Riga; Gruppo, Dati, Riga
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
        structure = { levels[i].name, levels[i].fields, { structure } };
    int counter = 0;
    const std::function<QList<Record>(qsizetype)> children = [&](qsizetype level) {
        QList<Record> records;
        for (int n = level < levels.size() ? pick(0, level + 1 == levels.size() ? 9 : 3) : 0; n > 0; --n) {
            records.append({ levels[level].name, {}, children(level + 1) });
            for (const QString &field : levels[level].fields)
                records.last().values.append({ field, QStringLiteral("%1 %2").arg(field).arg(++counter) });
        }
        return records;
    };
    // Now and then a second outermost record, which layout ignores.
    const QList<Record> outermost
        = chance(0.2) ? QList { Report(children(0)), Report(children(0)) } : QList { Report(children(0)) };
    return loadReport(text.structure({ "Report", {}, { structure } }), outermost);
}

// On every page: the fixed bands first, the lowest of them setting the limit;
// without the fill, tops never go up after the fixed bands; the fill only moves
// bands down and appends blank copies of bands that repeat, no more than the
// free space holds, leaving no more than a band height free for the first band
// that repeats; every value shown belongs to a record of the band's level and
// is a field the object names.
void checkPage(const ReportDocument &doc, const ReportDocument &unfilled, int page)
{
    const QList<PlacedBand> &bands = doc.pages.at(page).placedBands,
                            &flow = unfilled.pages.at(page).placedBands;
    QList<int> fixed { TopMargin, PageHeader, BottomMargin, PageFooter };
    fixed.removeIf([&](int slot) { return !doc.bands.at(slot).visible; });
    ASSERT_TRUE(bands.size() >= flow.size() && flow.size() >= fixed.size());
    for (int i = 0; i < fixed.size(); ++i)
        EXPECT_EQ(bands.at(i).bandIndex, fixed.at(i)) << "fixed band " << i;
    EXPECT_EQ(bands.at(0).top, 0);
    EXPECT_EQ(bands.at(fixed.indexOf(BottomMargin)).top, roundHalfEven(doc.pageHeight - doc.marginBottom));
    EXPECT_EQ(doc.pages.at(page).bodyLimit, bands.at(fixed.size() - 1).top);
    double copied = 0, firstRepeating = -1;
    for (int i = 0; i < bands.size(); ++i) {
        const ReportBand &band = doc.bands.at(bands.at(i).bandIndex);
        const bool copy = i >= flow.size();
        if (!copy) {
            EXPECT_EQ(bands.at(i).bandIndex, flow.at(i).bandIndex);
            EXPECT_GE(bands.at(i).top, flow.at(i).top);
            EXPECT_TRUE(i <= fixed.size() || flow.at(i).top >= flow.at(i - 1).top) << "flow band " << i;
        } else {
            EXPECT_EQ(band.repeat, 1) << "copy " << i;
            copied += band.height;
        }
        if (firstRepeating < 0 && band.repeat == 1 && band.height > 0)
            firstRepeating = band.height;
        for (const PlacedItem &item : bands.at(i).items) {
            const QString source = doc.objects.at(item.objectIndex).dataSource.toUpper();
            EXPECT_TRUE(!copy || (source == "[SYS]" && item.valueIndex == -1)) << "copy " << i;
            if (item.valueIndex == -1)
                continue;
            ASSERT_TRUE(item.valueIndex >= 0 && item.valueIndex < doc.values.size());
            const DataValue &value = doc.values.at(item.valueIndex);
            EXPECT_EQ(doc.records.at(value.recordIndex).level, band.dataLevel);
            EXPECT_TRUE(source.endsWith(".[" + fieldName(doc, value).toUpper() + "]"));
        }
    }
    const double free = doc.pages.at(page).bodyLimit - doc.pages.at(page).filledTo;
    EXPECT_LE(copied, std::max(0.0, free) + 1e-6);
    EXPECT_TRUE(firstRepeating <= 0 || free - copied <= firstRepeating + 1e-6);
}

} // namespace

TEST(LayoutInvariant, HoldsForRandomTemplatesAndData)
{
    for (unsigned seed = 1; seed <= 400 && !::testing::Test::HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        ReportDocument filled = randomReport(seed);
        ReportDocument unfilled = filled;
        for (ReportBand &band : unfilled.bands)
            band.repeat = 0;
        layOutReport(filled);
        layOutReport(unfilled);
        ASSERT_EQ(filled.pages.size(), unfilled.pages.size());
        for (int page = 0; page < filled.pages.size(); ++page) {
            SCOPED_TRACE(page);
            checkPage(filled, unfilled, page);
        }
        // A continued band waits for values only when it lists items.
        for (const DataPlacement &w : filled.dataPlacements)
            EXPECT_TRUE(
                filled.pages.at(w.PageIndex).placedBands.at(w.placedBandIndex).bandIndex == w.bandIndex
                && !filled.pages.at(w.PageIndex).placedBands.at(w.placedBandIndex).items.isEmpty());
    }
}
