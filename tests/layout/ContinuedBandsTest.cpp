#include "layout/ContinuedPlacements.h"
#include "layout/LayoutTestHelpers.h"
#include "layout/PageLayout.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace zet;
using namespace zet::test;

namespace {

// Group bands; the group footer alone carries NewPage. Objects: group footer
// 0 "Gruppo.[Nome]" and 1 "[SYS]"; data footer 2 "[SYS]" and 3
// "Dati.[Totale]"; body 4 "Riga.[Nome]".
TemplateText footerTemplate(int newPage)
{
    TemplateText text = standardPage(kThreeLevels,
        { { GroupHeader, { 500 } }, { DataHeader, { 500 } }, { Body, { 1000 } }, { DataFooter, { 500 } },
            { GroupFooter, { 500, 0, newPage } } });
    text.object(GroupFooter, "Gruppo.[Nome]").object(GroupFooter, "[SYS]");
    return text.object(DataFooter, "[SYS]").object(DataFooter, "Dati.[Totale]").object(Body, "Riga.[Nome]");
}

const QList<Record> kSevenRows { Report({ Group(1, { Data("T1", righe(7)) }) }) };

} // namespace

TEST(ContinuedBands, FootersGoUnderTheLastRowThatFitsWithThemAndShowTheClosingValues)
{
    // With NewPage 1 the continued group footer lists its placeholder alone,
    // which a copy of the closing footer's values by list position would
    // hand the group's name.
    struct Row
    {
        int newPage;
        const char *continued;
    };
    for (const Row row : { Row { 1, "1=-" }, Row { 2, "0=Gruppo 1|1=-" } }) {
        SCOPED_TRACE(row.newPage);
        const ReportDocument doc = laidOut(footerTemplate(row.newPage), kSevenRows);
        // The sixth row does not fit together with the group footer.
        EXPECT_EQ(outlines(doc),
            QStringList({ "F GH@1500 DH@2000 B@2500 B@3500 B@4500 B@5500 B@6500 DF@7500 GF@8000",
                "F B@1500 B@2500 DF@3500 GF@4000" }));
        EXPECT_EQ(shown(doc, 0, GroupFooter), row.continued);
        EXPECT_EQ(shown(doc, 0, DataFooter), "2=-");
        EXPECT_EQ(shown(doc, 1, GroupFooter), "0=Gruppo 1|1=-");
        EXPECT_EQ(shown(doc, 1, DataFooter), "2=-|3=T1");
        EXPECT_TRUE(doc.dataPlacements.isEmpty());
    }
}

TEST(ContinuedBands, AContinuedBandWhoseSlotIsNotPlacedAgainWaitsUnbound)
{
    ReportDocument doc = loadReport(footerTemplate(2), kSevenRows);
    doc.bands[GroupFooter].recordsetName = "NessunGruppo"; // never placed for a record
    layOutReport(doc);
    layOutReport(doc); // a second run starts from nothing
    ASSERT_EQ(doc.dataPlacements.size(), 1);
    const DataPlacement waiting = doc.dataPlacements[0];
    EXPECT_EQ(waiting.PageIndex, 0);
    EXPECT_EQ(waiting.bandIndex, GroupFooter);
    EXPECT_EQ(doc.pages[0].placedBands[waiting.placedBandIndex].bandIndex, GroupFooter);
    EXPECT_EQ(shown(doc, 0, GroupFooter), "0=-|1=-");
}

TEST(ContinuedPlacements, ResolvingMatchesAPlainScanOfTheList)
{
    std::mt19937 random(7);
    const auto pick
        = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        // Placed band i, a copy of slots[i] showing objects 0 and 1 unbound, waits.
        ReportDocument doc;
        doc.pages.append(LaidPage());
        ContinuedPlacements waiting(doc);
        QList<int> slots;
        std::vector<int> expected; // the waiting placed bands in the order a plain scan leaves them
        for (int i = 0, n = pick(0, 12); i < n; ++i) {
            slots.append(pick(5, 8));
            doc.pages[0].placedBands.append({ slots[i], { { 0, -1 }, { 1, -1 } }, 0 });
            waiting.add({ 0, i, slots[i] });
            expected.push_back(i);
        }
        QList<int> resolved;
        for (int r = 0; r < 3; ++r) {
            resolved.append(pick(5, 8));
            // The plain scan: front to back, a resolved entry is replaced by
            // the last entry, which is examined at the same position.
            for (size_t i = 0; i < expected.size();) {
                if (slots[expected[i]] != resolved.last()) {
                    ++i;
                    continue;
                }
                expected[i] = expected.back();
                expected.pop_back();
            }
            waiting.resolve(resolved.last(), { { 1, 42 }, { 5, 43 } });
            std::vector<int> actual;
            for (const DataPlacement &entry : doc.dataPlacements)
                actual.push_back(entry.placedBandIndex);
            ASSERT_EQ(actual, expected);
        }
        // Values go object by object to every waiting copy of a resolved slot.
        for (const PlacedBand &placed : doc.pages[0].placedBands) {
            EXPECT_EQ(placed.items[0].valueIndex, -1);
            EXPECT_EQ(placed.items[1].valueIndex, resolved.contains(placed.bandIndex) ? 42 : -1);
        }
    }
}
