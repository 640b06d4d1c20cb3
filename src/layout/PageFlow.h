#pragma once

#include "layout/PageLayout.h"

namespace zet {

// Closes the last page: records how far the flow reached (FilledTo) and the
// lowest position its bands could use (BodyLimit).
inline void ClosePage(ReportDocument &document, const LayoutState &state)
{
    LaidPage &page = document.Pages.last();
    page.FilledTo = state.FlowTop;
    page.BodyLimit = state.FlowBottom;
}

// Index in the page's PlacedBands of the copy of slot bandIndex placed last;
// -1 when the page holds none.
inline int LastPlacedOf(const LaidPage &page, int bandIndex)
{
    for (qsizetype i = page.PlacedBands.size() - 1; i >= 0; --i) {
        if (page.PlacedBands.at(i).BandIndex == bandIndex)
            return int(i);
    }
    return -1;
}

} // namespace zet
