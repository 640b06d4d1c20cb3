#pragma once

#include "core/CheckedAccess.h"
#include "model/ReportDocument.h"

namespace zet {

// Checked access to the lists of a document: an index out of range raises
// zet::Error 9 naming the list.

inline const ReportBand &bandAt(const ReportDocument &document, int index)
{
    return checkedAt(document.bands, index, "Bands");
}

inline PlacedBand &placedBandAt(ReportDocument &document, int pageIndex, int placedBandIndex)
{
    return checkedAt(
        checkedAt(document.pages, pageIndex, "Pages").placedBands, placedBandIndex, "PlacedBands");
}

} // namespace zet
