#include "model/DocumentRelease.h"

namespace zet {

void ReleasePages(ReportDocument &document)
{
    for (LaidPage &page : document.Pages) {
        for (PlacedBand &placed : page.PlacedBands)
            placed.Items.clear();
        page.PlacedBands.clear();
    }
    document.Pages.clear();
    document.DataPlacements.clear();
}

void ReleaseData(ReportDocument &document)
{
    for (DataRecord &record : document.Records)
        record.ValueIndexes.clear();
    document.Records.clear();
    document.Values.clear();
}

void ReleaseTemplate(ReportDocument &document)
{
    for (ImageEntry &image : document.Images)
        image.Surface = QImage();
    document.Images.clear();
    for (ReportObject &object : document.Objects)
        object.Font.reset();
    document.Objects.clear();
    for (ReportBand &band : document.Bands) {
        band.ObjectIndexes.clear();
        band.BandPicture = QImage();
    }
    document.Bands.clear();
    document.DataSourceModel.clear();
    document.RecordsetStruct.clear();
}

void ReleaseDocument(ReportDocument &document)
{
    ReleasePages(document);
    ReleaseData(document);
    ReleaseTemplate(document);
}

} // namespace zet
