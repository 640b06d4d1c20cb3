#include "layout/BandOverflow.h"
#include "layout/PageFlow.h"
#include "layout/PageLayout.h"
#include "model/DocumentAccess.h"
#include "template/Conversions.h"

namespace zet {

namespace {

// More blank copies than this in one fill can only come from a band far
// thinner than anything printable; refused rather than filling memory.
constexpr double kMaxCopiesPerFill = 100000;

// The free space of one page as the pass consumes it (twips); the page's own
// FilledTo and BodyLimit stay as layout left them.
struct FreeSpace
{
    double limit = 0;
    double filled = 0;

    double left() const { return limit - filled; }
};

void refuseAbsurdFill(int bandIndex, const ReportBand &band, const FreeSpace &space)
{
    if (space.left() / band.height > kMaxCopiesPerFill)
        throw Error::overflow(QStringLiteral(
            "Overflow: una banda con %1 = %2 andrebbe copiata più di %3 volte per riempire %4 twip")
                                  .arg(bandHeightKey(bandIndex))
                                  .arg(band.height)
                                  .arg(kMaxCopiesPerFill)
                                  .arg(space.left()));
}

// Stacks copies of slot k under its last copy (placed band m) while a whole
// band height is free, then moves the bands placed after m that stand below it
// down by the height added. Bands of an earlier fill on this page stand above
// m and stay where they are.
void fillAfter(ReportDocument &document, int pageIndex, int m, FreeSpace &space)
{
    QList<PlacedBand> &list = document.pages[pageIndex].placedBands;
    const int k = list.at(m).bandIndex;
    const ReportBand &band = document.bands.at(k);
    refuseAbsurdFill(k, band, space);
    const int ownTop = list.at(m).top;
    const int lastBefore = int(list.size() - 1);

    LayoutState copyFlow { false, ownTop + band.height, 0 };
    double added = 0;
    while (space.left() >= band.height) {
        placeBand(document, pageIndex, PlaceFrom::Top, k, copyFlow, false);
        space.filled += band.height;
        added += band.height;
    }
    for (int i = m + 1; i <= lastBefore; ++i) {
        PlacedBand &below = list[i];
        if (below.top > ownTop)
            below.top = bandPosition(document, below.top + added);
    }
}

void fillPage(ReportDocument &document, int pageIndex)
{
    const LaidPage &page = document.pages.at(pageIndex);
    FreeSpace space { page.bodyLimit, page.filledTo };
    // The list grows while it is walked: copies are appended at its end.
    for (int i = 0; i < document.pages.at(pageIndex).placedBands.size(); ++i) {
        const int k = document.pages.at(pageIndex).placedBands.at(i).bandIndex;
        const ReportBand &band = bandAt(document, k);
        // The first copy needs strictly more than one band height free.
        if (band.repeat != 1 || !(band.height > 0) || space.left() <= band.height)
            continue;
        const int m = lastPlacedOf(document.pages.at(pageIndex), k);
        fillAfter(document, pageIndex, m, space);
        i = m;
    }
}

} // namespace

void fillRepeatedBands(ReportDocument &document)
{
    for (int p = 0; p < document.pages.size(); ++p)
        fillPage(document, p);
}

} // namespace zet
