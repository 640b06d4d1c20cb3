#include "layout/PageLayout.h"

#include "core/CaseFolding.h"
#include "layout/BandOverflow.h"
#include "layout/ObjectFrame.h"
#include "layout/PageFlow.h"
#include "layout/RecordWalk.h"
#include "model/DocumentAccess.h"
#include "template/Conversions.h"

namespace zet {

namespace {

bool isSystemSource(const QString &dataSource)
{
    static const QString kSystem = QStringLiteral("[SYS]");
    return upperCasedEquals(dataSource, kSystem);
}

// Fixed objects (empty DataSource) are never listed: the renderer draws them
// from the band itself.
QList<PlacedItem> listedItems(const ReportDocument &document, const ReportBand &band, bool includeData)
{
    QList<PlacedItem> items;
    for (const int objectIndex : band.objectIndexes) {
        const QString &source = checkedAt(document.objects, objectIndex, "Objects").dataSource;
        if (isSystemSource(source) || (includeData && !source.isEmpty()))
            items.append({ objectIndex, -1 });
    }
    return items;
}

void requireBandTable(const ReportDocument &document)
{
    if (!document.bands.isEmpty())
        return;
    throw Error(Error::kNoBandTable,
        QStringLiteral("Impossibile impaginare il report: il modello non ha la tabella delle bande "
                       "(ZETVersion %1; le bande si leggono solo dai modelli di versione 1 o inferiore)")
            .arg(document.templateVersion));
}

void placeReportHeader(ReportDocument &document, LayoutState &state, int reportHeader)
{
    // No fit test, and its break-before does not act: it always opens page 1.
    if (reportHeader >= 0)
        placeBand(document, int(document.pages.size() - 1), PlaceFrom::Top, reportHeader, state, true);
}

void placeReportFooter(ReportDocument &document, LayoutState &state)
{
    const int reportFooter = findBand(document, BandKind::ReportFooter);
    if (reportFooter < 0)
        return;
    const ReportBand &band = document.bands.at(reportFooter);
    if (breaksAt(band.breakMode, BreakMode::Before))
        state.breakPending = true;
    // Unlike a data band, a footer that would end exactly on the limit moves on.
    if (state.flowTop + band.height >= state.flowBottom)
        state.breakPending = true;
    if (state.breakPending) {
        closePage(document, state);
        startNewPage(document, state);
    }
    placeBand(document, int(document.pages.size() - 1), PlaceFrom::Top, reportFooter, state, true);
}

} // namespace

void layOutReport(ReportDocument &document)
{
    requireBandTable(document);
    document.pages.clear();
    document.dataPlacements.clear();

    LayoutState state;
    startNewPage(document, state);
    const int reportHeader = findBand(document, BandKind::ReportHeader);
    placeReportHeader(document, state, reportHeader);
    // Record 0, the first outermost record, is the root: later outermost
    // records are ignored together with their descendants.
    if (!document.records.isEmpty())
        RecordWalk(document, state).layOutRecords(0, reportHeader);
    placeReportFooter(document, state);
    closePage(document, state);
    fillRepeatedBands(document);
    checkPlacedObjects(document);
}

int findBand(const ReportDocument &document, BandKind kind)
{
    for (int b = 0; b < document.bands.size(); ++b) {
        const ReportBand &band = document.bands.at(b);
        if (band.kind == kind && band.visible)
            return b;
    }
    return -1;
}

void startNewPage(ReportDocument &document, LayoutState &state)
{
    document.pages.append(LaidPage());
    const int page = int(document.pages.size() - 1);
    state = LayoutState { false, 0, document.pageHeight };
    for (const BandKind kind : { BandKind::TopMargin, BandKind::PageHeader }) {
        const int band = findBand(document, kind);
        if (band >= 0)
            placeBand(document, page, PlaceFrom::Top, band, state, true);
    }
    // The bottom margin ends at PageHeight; the page footer stands on it.
    for (const BandKind kind : { BandKind::BottomMargin, BandKind::PageFooter }) {
        const int band = findBand(document, kind);
        if (band >= 0)
            placeBand(document, page, PlaceFrom::Bottom, band, state, true);
    }
}

int placeBand(ReportDocument &document, int pageIndex, PlaceFrom from, int bandIndex, LayoutState &state,
    bool includeData)
{
    QList<PlacedBand> &list = checkedAt(document.pages, pageIndex, "Pages").placedBands;
    const ReportBand &band = bandAt(document, bandIndex);
    PlacedBand placed;
    placed.bandIndex = bandIndex;
    placed.items = listedItems(document, band, includeData);
    // The flow continues from the rounded position, so rounding never accumulates.
    if (from == PlaceFrom::Top) {
        placed.top = bandPosition(document, state.flowTop);
        state.flowTop = placed.top + band.height;
    } else {
        placed.top = bandPosition(document, state.flowBottom - band.height);
        state.flowBottom = placed.top;
    }
    if (breaksAt(band.breakMode, BreakMode::After))
        state.breakPending = true;
    list.append(std::move(placed));
    return int(list.size() - 1);
}

void bindRecordValues(ReportDocument &document, int pageIndex, int placedBandIndex, int recordIndex)
{
    QList<PlacedItem> &items = placedBandAt(document, pageIndex, placedBandIndex).items;
    RecordBinder(document).bind(items, recordIndex);
}

} // namespace zet
