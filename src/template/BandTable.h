#pragma once

#include "model/ReportDocument.h"
#include "template/KeyReader.h"

#include <QString>

namespace zet {

// Band-table slots (0-based indices into Bands).
enum BandSlot : int {
    kSlotNone = 0,
    kSlotTopMargin = 1,
    kSlotPageHeader = 2,
    kSlotReportHeader = 3,
    kSlotGroupHeader = 4,
    kSlotDataHeader = 5,
    kSlotBody = 6,
    kSlotDataFooter = 7,
    kSlotGroupFooter = 8,
    kSlotReportFooter = 9,
    kSlotPageFooter = 10,
    kSlotBottomMargin = 11,
    kBandSlotCount = 12,
};

// Replaces Bands with the twelve slots read from the template's band keys
// (keys: a reader of the whole template that was asked for them)
// (the margins come from the document's MarginTop / MarginBottom), with kinds
// and data levels by which data bands are present. Raises zet::Error 6 naming
// the key and its text when an integer key does not fit 32 bits.
void buildBandTable(ReportDocument &document, const KeyReader &keys);

// DesignTop / DesignBottom in the designer's space (bands stacked with strips
// of 225 twips after the top margin, 60 before the bottom margin and 285
// between other bands; an invisible band still takes 285) and StackTop, the
// sum of the heights of the visible bands before each one.
void computeBandPositions(ReportDocument &document);

// LinkPrev / LinkNext / LinkHeight of each visible data band from the runs of
// data bands (kind 4) around it whose NewPage is not 0.
void linkDataBands(ReportDocument &document);

} // namespace zet
