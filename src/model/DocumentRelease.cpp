#include "model/DocumentRelease.h"

namespace zet {

void releasePages(ReportDocument &document)
{
    for (LaidPage &page : document.pages) {
        for (PlacedBand &placed : page.placedBands)
            placed.items.clear();
        page.placedBands.clear();
    }
    document.pages.clear();
    document.dataPlacements.clear();
}

void releaseData(ReportDocument &document)
{
    for (DataRecord &record : document.records)
        record.valueIndexes.clear();
    document.records.clear();
    document.values.clear();
    document.loadedValues.clear();
    document.fieldNames.clear();
    document.fieldIndexes.clear();
}

void releaseTemplate(ReportDocument &document)
{
    for (ImageEntry &image : document.images)
        image.surface = QImage();
    document.images.clear();
    for (ReportObject &object : document.objects)
        object.font.reset();
    document.objects.clear();
    for (ReportBand &band : document.bands) {
        band.objectIndexes.clear();
        band.bandPicture = QImage();
    }
    document.bands.clear();
    document.dataSourceModel.clear();
    document.recordsetStruct.clear();
}

void releaseDocument(ReportDocument &document)
{
    releasePages(document);
    releaseData(document);
    releaseTemplate(document);
}

} // namespace zet
