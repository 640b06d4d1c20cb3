#pragma once

#include "layout/ContinuedPlacements.h"
#include "layout/PageLayout.h"
#include "layout/RecordBinder.h"

namespace zet {

// Walks the record tree under one record and places, for each record, the data
// bands of its level, breaking pages as the bands require. Bands always go on
// the last page of the document.
class RecordWalk
{
public:
    RecordWalk(ReportDocument &document, LayoutState &state);

    // Lays out the descendants of record parentRecord, scanning band slots from
    // startBand (from 0 when startBand is 0 or less). The recursion goes one
    // level deeper only at a slot of a deeper level than the last, so its depth
    // is bounded by the number of band slots, however deep the records nest.
    void layOutRecords(int parentRecord, int startBand);

private:
    void layOutChild(int record, int startBand);
    void layOutDataBand(int band, int record);

    // The fit test; true when the band's linked continuation must be placed
    // before the page closes.
    bool fitTest(const ReportBand &band);
    void placeContinuedBands(int band);
    void breakPage(int band);
    void repeatHeaders(int band, int previousPage);
    void placeForRecord(int band, int record);

    int currentPage() const { return int(document_.pages.size() - 1); }

    ReportDocument &document_;
    LayoutState &state_;
    RecordBinder binder_;
    ContinuedPlacements continued_;
};

} // namespace zet
