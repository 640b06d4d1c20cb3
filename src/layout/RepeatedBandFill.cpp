#include "layout/CheckedAccess.h"
#include "layout/PageFlow.h"
#include "layout/PageLayout.h"
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

void refuseAbsurdFill(const ReportBand &band, const FreeSpace &space)
{
    if (space.left() / band.Height > kMaxCopiesPerFill)
        throw Error::overflow(QStringLiteral("Overflow: a band %1 twips high would be copied more than %2 "
                                             "times to fill %3 twips")
                                  .arg(band.Height)
                                  .arg(kMaxCopiesPerFill)
                                  .arg(space.left()));
}

// Stacks copies of slot k under its last copy (placed band m) while a whole
// band height is free, then moves the bands placed after m that stand below it
// down by the height added. Bands of an earlier fill on this page stand above
// m and stay where they are.
void fillAfter(ReportDocument &document, int pageIndex, int m, FreeSpace &space)
{
    QList<PlacedBand> &list = document.Pages[pageIndex].PlacedBands;
    const int k = list.at(m).BandIndex;
    const ReportBand &band = document.Bands.at(k);
    refuseAbsurdFill(band, space);
    const int ownTop = list.at(m).Top;
    const int lastBefore = int(list.size() - 1);

    LayoutState copyFlow { false, ownTop + band.Height, 0 };
    double added = 0;
    while (space.left() >= band.Height) {
        PlaceBand(document, pageIndex, PlaceFrom::Top, k, copyFlow, false);
        space.filled += band.Height;
        added += band.Height;
    }
    for (int i = m + 1; i <= lastBefore; ++i) {
        PlacedBand &below = list[i];
        if (below.Top > ownTop)
            below.Top = RoundHalfEven(below.Top + added);
    }
}

void fillPage(ReportDocument &document, int pageIndex)
{
    const LaidPage &page = document.Pages.at(pageIndex);
    FreeSpace space { page.BodyLimit, page.FilledTo };
    // The list grows while it is walked: copies are appended at its end.
    for (int i = 0; i < document.Pages.at(pageIndex).PlacedBands.size(); ++i) {
        const int k = document.Pages.at(pageIndex).PlacedBands.at(i).BandIndex;
        const ReportBand &band = bandAt(document, k);
        // The first copy needs strictly more than one band height free.
        if (band.Repeat != 1 || !(band.Height > 0) || space.left() <= band.Height)
            continue;
        const int m = LastPlacedOf(document.Pages.at(pageIndex), k);
        fillAfter(document, pageIndex, m, space);
        i = m;
    }
}

} // namespace

void FillRepeatedBands(ReportDocument &document)
{
    for (int p = 0; p < document.Pages.size(); ++p)
        fillPage(document, p);
}

} // namespace zet
