#include "layout/PageLayout.h"

#include "layout/CheckedAccess.h"
#include "layout/PageFlow.h"
#include "layout/RecordWalk.h"
#include "layout/UpperCase.h"
#include "template/Conversions.h"

namespace zet {

namespace {

bool isSystemSource(const QString &dataSource)
{
    static const QString kSystem = QStringLiteral("[SYS]");
    return UpperCasedEquals(dataSource, kSystem);
}

// Fixed objects (empty DataSource) are never listed: the renderer draws them
// from the band itself.
QList<PlacedItem> listedItems(const ReportDocument &document, const ReportBand &band, bool includeData)
{
    QList<PlacedItem> items;
    for (const int objectIndex : band.ObjectIndexes) {
        const QString &source = checkedAt(document.Objects, objectIndex, "Objects").DataSource;
        if (isSystemSource(source) || (includeData && !source.isEmpty()))
            items.append({ objectIndex, -1 });
    }
    return items;
}

void requireBandTable(const ReportDocument &document)
{
    if (!document.Bands.isEmpty())
        return;
    throw Error(Error::kNoBandTable,
        QStringLiteral("Impossibile impaginare il report: il modello non ha la tabella delle bande "
                       "(ZETVersion %1; le bande si leggono solo dai modelli di versione 1 o inferiore)")
            .arg(document.TemplateVersion));
}

void placeReportHeader(ReportDocument &document, LayoutState &state, int reportHeader)
{
    // No fit test, and its break-before does not act: it always opens page 1.
    if (reportHeader >= 0)
        PlaceBand(document, int(document.Pages.size() - 1), PlaceFrom::Top, reportHeader, state, true);
}

void placeReportFooter(ReportDocument &document, LayoutState &state)
{
    const int reportFooter = FindBand(document, kBandReportFooter);
    if (reportFooter < 0)
        return;
    const ReportBand &band = document.Bands.at(reportFooter);
    if (band.BreakMode == 1 || band.BreakMode == 3)
        state.BreakPending = true;
    // Unlike a data band, a footer that would end exactly on the limit moves on.
    if (state.FlowTop + band.Height >= state.FlowBottom)
        state.BreakPending = true;
    if (state.BreakPending) {
        ClosePage(document, state);
        StartNewPage(document, state);
    }
    PlaceBand(document, int(document.Pages.size() - 1), PlaceFrom::Top, reportFooter, state, true);
}

} // namespace

void LayOutReport(ReportDocument &document)
{
    requireBandTable(document);
    document.Pages.clear();
    document.DataPlacements.clear();

    LayoutState state;
    StartNewPage(document, state);
    const int reportHeader = FindBand(document, kBandReportHeader);
    placeReportHeader(document, state, reportHeader);
    // Record 0, the first outermost record, is the root: later outermost
    // records are ignored together with their descendants.
    if (!document.Records.isEmpty())
        RecordWalk(document, state).LayOutRecords(0, reportHeader);
    placeReportFooter(document, state);
    ClosePage(document, state);
    FillRepeatedBands(document);
}

int FindBand(const ReportDocument &document, int kind, int start, int level)
{
    for (int b = std::max(start, 0); b < document.Bands.size(); ++b) {
        const ReportBand &band = document.Bands.at(b);
        if (band.Kind == kind && band.Visible && (level == -1 || band.DataLevel == level))
            return b;
    }
    return -1;
}

void StartNewPage(ReportDocument &document, LayoutState &state)
{
    document.Pages.append(LaidPage());
    const int page = int(document.Pages.size() - 1);
    state = LayoutState { false, 0, document.PageHeight };
    for (const int kind : { kBandTopMargin, kBandPageHeader }) {
        const int band = FindBand(document, kind);
        if (band >= 0)
            PlaceBand(document, page, PlaceFrom::Top, band, state, true);
    }
    // The bottom margin ends at PageHeight; the page footer stands on it.
    for (const int kind : { kBandBottomMargin, kBandPageFooter }) {
        const int band = FindBand(document, kind);
        if (band >= 0)
            PlaceBand(document, page, PlaceFrom::Bottom, band, state, true);
    }
}

int PlaceBand(ReportDocument &document, int pageIndex, PlaceFrom from, int bandIndex, LayoutState &state,
    bool includeData)
{
    QList<PlacedBand> &list = checkedAt(document.Pages, pageIndex, "Pages").PlacedBands;
    const ReportBand &band = bandAt(document, bandIndex);
    PlacedBand placed;
    placed.BandIndex = bandIndex;
    placed.Items = listedItems(document, band, includeData);
    // The flow continues from the rounded position, so rounding never accumulates.
    if (from == PlaceFrom::Top) {
        placed.Top = RoundHalfEven(state.FlowTop);
        state.FlowTop = placed.Top + band.Height;
    } else {
        placed.Top = RoundHalfEven(state.FlowBottom - band.Height);
        state.FlowBottom = placed.Top;
    }
    if (band.BreakMode == 2 || band.BreakMode == 3)
        state.BreakPending = true;
    list.append(std::move(placed));
    return int(list.size() - 1);
}

void BindRecordValues(ReportDocument &document, int pageIndex, int placedBandIndex, int recordIndex)
{
    QList<PlacedItem> &items = placedBandAt(document, pageIndex, placedBandIndex).Items;
    RecordBinder(document).bind(items, recordIndex);
}

} // namespace zet
