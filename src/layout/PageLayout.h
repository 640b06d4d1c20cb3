#pragma once

#include "model/ReportDocument.h"

namespace zet {

// Where the flow stands on the page being filled, which is always the last
// page of Pages. Positions are twips down from the top edge of the page.
struct LayoutState
{
    bool breakPending = false; // a page break is due before the next band placed in the flow
    double flowTop = 0; // where the next band placed from the top starts
    double flowBottom = 0; // where the next band placed from the bottom ends; the flow's lower limit
};

enum class PlaceFrom { Top, Bottom };

// Lays the loaded document out into Pages (rebuilt from nothing, together with
// DataPlacements): fixed bands on every page, the report header, one copy of
// each data band per record of its level under record 0, the report footer,
// then the fill of free space. Raises zet::Error kNoBandTable for a document
// whose band table was never built, zet::Error 9 for an index that points
// outside its list and zet::Error 6 for a position that does not fit 32 bits
// (or a fill that would need more than 100,000 copies of one band).
void layOutReport(ReportDocument &document);

// First visible band of that kind; -1 when none.
int findBand(const ReportDocument &document, BandKind kind);

// Appends a page and places its fixed bands: top margin and page header from
// the top, bottom margin and then page footer from the bottom (each when
// visible). The flow restarts at 0 and ends at PageHeight; no break pending.
void startNewPage(ReportDocument &document, LayoutState &state);

// Appends one copy of band bandIndex to page pageIndex and returns its index in
// that page's PlacedBands. From the top it starts at FlowTop rounded half to
// even and FlowTop moves below it; from the bottom it ends at FlowBottom (its
// top rounded) and FlowBottom moves up to its top. Lists the band's "[SYS]"
// objects, and its data-bound objects when includeData, each with ValueIndex
// -1. A band that breaks after itself sets BreakPending.
int placeBand(ReportDocument &document, int pageIndex, PlaceFrom from, int bandIndex, LayoutState &state,
    bool includeData);

// Binds each item of one placed band to the value of record recordIndex whose
// field name, as ".[NAME]", ends the item's DataSource (letter case ignored by
// upper-casing both); a later value of the record wins. Items that match no
// field keep their ValueIndex.
void bindRecordValues(ReportDocument &document, int pageIndex, int placedBandIndex, int recordIndex);

// The final pass: on each page, the free space between FilledTo and BodyLimit
// is filled with blank copies ("[SYS]" items only) of the bands whose Repeat is
// 1, stacked under the band's last copy on that page; the bands placed below it
// move down by the height added. Bands of height 0 or less are never copied.
void fillRepeatedBands(ReportDocument &document);

} // namespace zet
