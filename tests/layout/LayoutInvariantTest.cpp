#include "layout/LayoutTestHelpers.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

using namespace zet;
using namespace zet::test;

namespace {

// A random template and data of one of the three band shapes (body only; data
// header and footer; group bands), with random heights, break and new-page
// modes, repeating bands, page bands and objects.
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
        if (chance(0.6))
            text.band(slot, { half(0, 1500), pick(0, 3) });
    }
    const int shape = pick(1, 3);
    QList<RecordSet> levels { { "Gruppo", { "Nome" }, {} }, { "Dati", { "Totale" }, {} },
        { "Riga", { "Nome", "Cod" }, {} } };
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
    static const char *const kSources[] = { "[SYS]", "", "X.[Nome]", "Riga.[Cod]", "Dati.[Totale]" };
    for (int slot = PageHeader; slot <= PageFooter; ++slot) {
        for (int n = pick(0, 2); n > 0; --n)
            text.object(Slot(slot), kSources[pick(0, 4)]);
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
    return loadReport(text.structure({ "Report", {}, { structure } }), { Report(children(0)) });
}

} // namespace

// On every page: the fill only moves bands down and appends blank copies of
// bands that repeat, no more than the free space holds, leaving no more than a
// band height free for the first band that repeats; every value shown belongs
// to a record of the band's level and is a field the object names.
TEST(LayoutInvariant, HoldsForRandomTemplatesAndData)
{
    for (unsigned seed = 1; seed <= 400 && !::testing::Test::HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        ReportDocument doc = randomReport(seed), unfilled = doc;
        for (ReportBand &band : unfilled.bands)
            band.repeat = 0;
        layOutReport(doc);
        layOutReport(unfilled);
        ASSERT_EQ(doc.pages.size(), unfilled.pages.size());
        for (int page = 0; page < doc.pages.size(); ++page) {
            const QList<PlacedBand> &bands = doc.pages.at(page).placedBands,
                                    &flow = unfilled.pages.at(page).placedBands;
            ASSERT_GE(bands.size(), flow.size());
            double copied = 0, firstRepeating = -1;
            for (int i = 0; i < bands.size(); ++i) {
                SCOPED_TRACE(::testing::Message() << "page " << page << " band " << i);
                const ReportBand &band = doc.bands.at(bands.at(i).bandIndex);
                const bool copy = i >= flow.size();
                EXPECT_TRUE(copy
                        ? band.repeat == 1
                        : bands.at(i).bandIndex == flow.at(i).bandIndex && bands.at(i).top >= flow.at(i).top);
                copied += copy ? band.height : 0;
                if (firstRepeating < 0 && band.repeat == 1 && band.height > 0)
                    firstRepeating = band.height;
                for (const PlacedItem &item : bands.at(i).items) {
                    const QString source = doc.objects.at(item.objectIndex).dataSource.toUpper();
                    EXPECT_TRUE(!copy || (source == "[SYS]" && item.valueIndex == -1));
                    if (item.valueIndex == -1)
                        continue;
                    const DataValue &value = doc.values.at(item.valueIndex);
                    EXPECT_EQ(doc.records.at(value.recordIndex).level, band.dataLevel);
                    EXPECT_TRUE(source.endsWith(".[" + value.fieldName.toUpper() + "]"));
                }
            }
            const double free = doc.pages.at(page).bodyLimit - doc.pages.at(page).filledTo;
            EXPECT_LE(copied, std::max(0.0, free) + 1e-6);
            EXPECT_TRUE(firstRepeating <= 0 || free - copied <= firstRepeating + 1e-6);
        }
    }
}
