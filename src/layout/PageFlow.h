#pragma once

#include "layout/PageLayout.h"

namespace zet {

// Closes the last page: records how far the flow reached (FilledTo) and the
// lowest position its bands could use (BodyLimit).
inline void closePage(ReportDocument &document, const LayoutState &state)
{
    LaidPage &page = document.pages.last();
    page.filledTo = state.flowTop;
    page.bodyLimit = state.flowBottom;
}

// Index in the page's PlacedBands of the copy of slot bandIndex placed last;
// -1 when the page holds none.
inline int lastPlacedOf(const LaidPage &page, int bandIndex)
{
    for (qsizetype i = page.placedBands.size() - 1; i >= 0; --i) {
        if (page.placedBands.at(i).bandIndex == bandIndex)
            return int(i);
    }
    return -1;
}

} // namespace zet
