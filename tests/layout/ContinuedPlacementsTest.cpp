#include "layout/ContinuedPlacements.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

#include <random>

using namespace zet;

namespace {

// The plain scan the index stands in for: front to back, a resolved entry is
// replaced by the last entry, which is examined at the same position.
QList<DataPlacement> scannedRemoval(QList<DataPlacement> list, int bandIndex)
{
    for (qsizetype i = 0; i < list.size();) {
        if (list.at(i).BandIndex != bandIndex) {
            ++i;
            continue;
        }
        list[i] = list.last();
        list.removeLast();
    }
    return list;
}

QList<int> placedBandsOf(const QList<DataPlacement> &list)
{
    QList<int> placed;
    for (const DataPlacement &entry : list)
        placed.append(entry.PlacedBandIndex);
    return placed;
}

// One page whose placed band i is a copy of slot slots[i] with one item
// showing object 0 and one showing object 1, both without a value.
ReportDocument pageOfWaitingBands(const QList<int> &slots)
{
    ReportDocument doc;
    doc.Pages.append(LaidPage());
    for (const int slot : slots)
        doc.Pages[0].PlacedBands.append({ slot, { { 0, -1 }, { 1, -1 } }, 0 });
    return doc;
}

} // namespace

TEST(ContinuedPlacements, ResolvingLeavesTheListInTheOrderOfAPlainScan)
{
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        QList<int> slots;
        for (int n = std::uniform_int_distribution<int>(0, 12)(random); n > 0; --n)
            slots.append(std::uniform_int_distribution<int>(5, 8)(random));
        ReportDocument doc = pageOfWaitingBands(slots);
        ContinuedPlacements waiting(doc);
        for (int i = 0; i < slots.size(); ++i)
            waiting.add({ 0, i, slots.at(i) });
        QList<DataPlacement> expected = doc.DataPlacements;
        for (int r = 0; r < 3; ++r) {
            const int slot = std::uniform_int_distribution<int>(5, 8)(random);
            expected = scannedRemoval(expected, slot);
            waiting.resolve(slot, { { 1, 42 } });
            ASSERT_EQ(placedBandsOf(doc.DataPlacements), placedBandsOf(expected));
        }
    }
}

TEST(ContinuedPlacements, EveryWaitingCopyOfTheSlotTakesTheValuesByObject)
{
    ReportDocument doc = pageOfWaitingBands({ 7, 8, 7 });
    ContinuedPlacements waiting(doc);
    for (int i = 0; i < 3; ++i)
        waiting.add({ 0, i, doc.Pages[0].PlacedBands[i].BandIndex });
    waiting.resolve(7, { { 1, 11 }, { 5, 12 } });
    for (const int placed : { 0, 2 }) {
        EXPECT_EQ(doc.Pages[0].PlacedBands[placed].Items[0].ValueIndex, -1);
        EXPECT_EQ(doc.Pages[0].PlacedBands[placed].Items[1].ValueIndex, 11);
    }
    EXPECT_EQ(doc.Pages[0].PlacedBands[1].Items[1].ValueIndex, -1);
    ASSERT_EQ(doc.DataPlacements.size(), 1);
    EXPECT_EQ(doc.DataPlacements[0].BandIndex, 8);
}

TEST(ContinuedPlacements, EntryPointingAtNoPlacedBandIsErrorNine)
{
    ReportDocument doc = pageOfWaitingBands({ 7 });
    doc.DataPlacements.append({ 0, 3, 7 });
    ContinuedPlacements waiting(doc);
    EXPECT_THROW(waiting.resolve(7, { { 1, 11 } }), Error);
}
