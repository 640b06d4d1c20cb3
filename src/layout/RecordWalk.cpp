#include "layout/RecordWalk.h"

#include "layout/PageFlow.h"
#include "model/DocumentAccess.h"

namespace zet {

RecordWalk::RecordWalk(ReportDocument &document, LayoutState &state)
    : document_(document)
    , state_(state)
    , binder_(document)
    , continued_(document)
{ }

void RecordWalk::layOutRecords(int parentRecord, int startBand)
{
    const int parentLevel = checkedAt(document_.records, parentRecord, "Records").level;
    // A parent's descendants follow it directly; its subtree ends at the first
    // record that is not deeper than the parent.
    for (int r = parentRecord + 1; r < document_.records.size(); ++r) {
        const DataRecord &record = document_.records.at(r);
        if (record.level <= parentLevel)
            break;
        if (record.parentIndex == parentRecord)
            layOutChild(r, startBand);
    }
}

void RecordWalk::layOutChild(int record, int startBand)
{
    const DataRecord &child = document_.records.at(record);
    const qint64 level = child.level;
    // The list of expanded structure names of this record only ever receives
    // the record's own name, so one flag stands for it: the children are laid
    // out from the first slot of the next level on, and later slots of that
    // level are left to the recursive call.
    bool expanded = false;
    for (int b = std::max(startBand, 0); b < document_.bands.size(); ++b) {
        const ReportBand &band = document_.bands.at(b);
        if (band.kind != BandKind::Data)
            continue;
        if (band.dataLevel == level + 1) {
            if (!expanded) {
                expanded = true;
                layOutRecords(record, b);
            }
            continue;
        }
        if (band.dataLevel < level)
            return;
        if (band.dataLevel > level + 1)
            continue;
        if (band.recordsetName != child.structName)
            return;
        layOutDataBand(b, record);
    }
}

void RecordWalk::layOutDataBand(int band, int record)
{
    const ReportBand &slot = bandAt(document_, band);
    if (fitTest(slot))
        placeContinuedBands(band);
    if (breaksAt(slot.breakMode, BreakMode::Before))
        state_.breakPending = true;
    if (state_.breakPending)
        breakPage(band);
    placeForRecord(band, record);
}

bool RecordWalk::fitTest(const ReportBand &band)
{
    if (state_.breakPending || band.linkNext == -1) {
        // A band that ends exactly on the limit fits.
        if (state_.flowTop + band.height > state_.flowBottom)
            state_.breakPending = true;
        return false;
    }
    if (state_.flowTop + band.height + band.linkHeight > state_.flowBottom) {
        state_.breakPending = true;
        return true;
    }
    return false;
}

void RecordWalk::placeContinuedBands(int band)
{
    // Every slot up to the last linked one, whatever its own flags, stands
    // directly under the last band of the page, without a fit test.
    const int last = bandAt(document_, band).linkNext;
    for (int j = band + 1; j <= last; ++j) {
        const bool withData = bandAt(document_, j).newPage == NewPageMode::WithValues;
        const int placed = placeBand(document_, currentPage(), PlaceFrom::Top, j, state_, withData);
        if (!document_.pages.at(currentPage()).placedBands.at(placed).items.isEmpty())
            continued_.add({ currentPage(), placed, j });
    }
}

void RecordWalk::breakPage(int band)
{
    const int previousPage = currentPage();
    closePage(document_, state_);
    startNewPage(document_, state_);
    repeatHeaders(band, previousPage);
}

void RecordWalk::repeatHeaders(int band, int previousPage)
{
    const ReportBand &slot = bandAt(document_, band);
    if (slot.linkPrev == -1)
        return;
    for (int j = slot.linkPrev; j < band; ++j) {
        const ReportBand &header = bandAt(document_, j);
        if (header.dataLevel >= slot.dataLevel)
            continue;
        const int placed = placeBand(
            document_, currentPage(), PlaceFrom::Top, j, state_, header.newPage == NewPageMode::WithValues);
        QList<PlacedItem> &items = document_.pages[currentPage()].placedBands[placed].items;
        if (items.isEmpty())
            continue;
        // The new copy shows the values of the band's last copy on the page before.
        const LaidPage &before = document_.pages.at(previousPage);
        const int earlier = lastPlacedOf(before, j);
        if (earlier >= 0)
            copyValuesByObject(before.placedBands.at(earlier).items, items);
    }
}

void RecordWalk::placeForRecord(int band, int record)
{
    const int page = currentPage();
    const int placed = placeBand(document_, page, PlaceFrom::Top, band, state_, true);
    QList<PlacedItem> &items = document_.pages[page].placedBands[placed].items;
    binder_.bind(items, record);
    if (!items.isEmpty() && continued_.waitsFor(band))
        continued_.resolve(band, QList<PlacedItem>(items));
}

} // namespace zet
