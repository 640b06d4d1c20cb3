#include "layout/RecordWalk.h"

#include "layout/CheckedAccess.h"
#include "layout/PageFlow.h"

namespace zet {

namespace {

bool breaksBefore(const ReportBand &band)
{
    return band.BreakMode == 1 || band.BreakMode == 3;
}

} // namespace

RecordWalk::RecordWalk(ReportDocument &document, LayoutState &state)
    : document_(document)
    , state_(state)
    , binder_(document)
    , continued_(document)
{ }

void RecordWalk::LayOutRecords(int parentRecord, int startBand)
{
    const int parentLevel = checkedAt(document_.Records, parentRecord, "Records").Level;
    // A parent's descendants follow it directly; its subtree ends at the first
    // record that is not deeper than the parent.
    for (int r = parentRecord + 1; r < document_.Records.size(); ++r) {
        const DataRecord &record = document_.Records.at(r);
        if (record.Level <= parentLevel)
            break;
        if (record.ParentIndex == parentRecord)
            layOutChild(r, startBand);
    }
}

void RecordWalk::layOutChild(int record, int startBand)
{
    const DataRecord &child = document_.Records.at(record);
    const qint64 level = child.Level;
    // The list of expanded structure names of this record only ever receives
    // the record's own name, so one flag stands for it: the children are laid
    // out from the first slot of the next level on, and later slots of that
    // level are left to the recursive call.
    bool expanded = false;
    for (int b = std::max(startBand, 0); b < document_.Bands.size(); ++b) {
        const ReportBand &band = document_.Bands.at(b);
        if (band.Kind != kBandData)
            continue;
        if (band.DataLevel == level + 1) {
            if (!expanded) {
                expanded = true;
                LayOutRecords(record, b);
            }
            continue;
        }
        if (band.DataLevel < level)
            return;
        if (band.DataLevel > level + 1)
            continue;
        if (band.RecordsetName != child.StructName)
            return;
        layOutDataBand(b, record);
    }
}

void RecordWalk::layOutDataBand(int band, int record)
{
    const ReportBand &slot = bandAt(document_, band);
    if (fitTest(slot))
        placeContinuedBands(band);
    if (breaksBefore(slot))
        state_.BreakPending = true;
    if (state_.BreakPending)
        breakPage(band);
    placeForRecord(band, record);
}

bool RecordWalk::fitTest(const ReportBand &band)
{
    if (state_.BreakPending || band.LinkNext == -1) {
        // A band that ends exactly on the limit fits.
        if (state_.FlowTop + band.Height > state_.FlowBottom)
            state_.BreakPending = true;
        return false;
    }
    if (state_.FlowTop + band.Height + band.LinkHeight > state_.FlowBottom) {
        state_.BreakPending = true;
        return true;
    }
    return false;
}

void RecordWalk::placeContinuedBands(int band)
{
    // Every slot up to the last linked one, whatever its own flags, stands
    // directly under the last band of the page, without a fit test.
    const int last = bandAt(document_, band).LinkNext;
    for (int j = band + 1; j <= last; ++j) {
        const bool withData = bandAt(document_, j).NewPage == 2;
        const int placed = PlaceBand(document_, currentPage(), PlaceFrom::Top, j, state_, withData);
        if (!document_.Pages.at(currentPage()).PlacedBands.at(placed).Items.isEmpty())
            continued_.add({ currentPage(), placed, j });
    }
}

void RecordWalk::breakPage(int band)
{
    const int previousPage = currentPage();
    ClosePage(document_, state_);
    StartNewPage(document_, state_);
    repeatHeaders(band, previousPage);
}

void RecordWalk::repeatHeaders(int band, int previousPage)
{
    const ReportBand &slot = bandAt(document_, band);
    if (slot.LinkPrev == -1)
        return;
    for (int j = slot.LinkPrev; j < band; ++j) {
        const ReportBand &header = bandAt(document_, j);
        if (header.DataLevel >= slot.DataLevel)
            continue;
        const int placed
            = PlaceBand(document_, currentPage(), PlaceFrom::Top, j, state_, header.NewPage == 2);
        QList<PlacedItem> &items = document_.Pages[currentPage()].PlacedBands[placed].Items;
        if (items.isEmpty())
            continue;
        // The new copy shows the values of the band's last copy on the page before.
        const LaidPage &before = document_.Pages.at(previousPage);
        const int earlier = LastPlacedOf(before, j);
        if (earlier >= 0)
            CopyValuesByObject(before.PlacedBands.at(earlier).Items, items);
    }
}

void RecordWalk::placeForRecord(int band, int record)
{
    const int page = currentPage();
    const int placed = PlaceBand(document_, page, PlaceFrom::Top, band, state_, true);
    QList<PlacedItem> &items = document_.Pages[page].PlacedBands[placed].Items;
    binder_.bind(items, record);
    if (!items.isEmpty())
        continued_.resolve(band, QList<PlacedItem>(items));
}

} // namespace zet
