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

} // namespace zet
