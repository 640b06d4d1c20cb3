#include "model/DocumentRelease.h"

#include <gtest/gtest.h>

using namespace zet;

namespace {

ReportDocument filledDocument()
{
    ReportDocument doc;
    doc.ReportName = QStringLiteral("Fattura");
    doc.PageHeight = 16838;
    doc.ExportFileName = QStringLiteral("fattura.html");
    doc.RecordsetStruct = QStringLiteral("<RecordsetStruct0/>");
    doc.DataSourceModel = QStringLiteral("modello");
    doc.Images.append({QStringLiteral("logo"), QStringLiteral("BM"), QImage(4, 4, QImage::Format_BGR888)});
    ReportObject object;
    object.Font = ReportFont();
    doc.Objects.append(object);
    ReportBand band;
    band.ObjectIndexes = {0};
    band.BandPicture = QImage(2, 2, QImage::Format_BGR888);
    doc.Bands.append(band);
    doc.Records.append({-1, 0, QStringLiteral("Report"), QString(), {0}});
    doc.Values.append({0, QStringLiteral("Cliente"), QStringLiteral("Rossi"), QStringLiteral("Rossi")});
    LaidPage page;
    page.PlacedBands.append({0, {{0, 0}}, 0});
    doc.Pages.append(page);
    doc.DataPlacements.append({0, 0, 0});
    return doc;
}

} // namespace

TEST(DocumentRelease, EmptiesEveryListAndKeepsThePageSetup)
{
    ReportDocument doc = filledDocument();
    ReleaseDocument(doc);
    EXPECT_TRUE(doc.Pages.isEmpty());
    EXPECT_TRUE(doc.DataPlacements.isEmpty());
    EXPECT_TRUE(doc.Records.isEmpty());
    EXPECT_TRUE(doc.Values.isEmpty());
    EXPECT_TRUE(doc.Images.isEmpty());
    EXPECT_TRUE(doc.Objects.isEmpty());
    EXPECT_TRUE(doc.Bands.isEmpty());
    EXPECT_TRUE(doc.RecordsetStruct.isEmpty());
    EXPECT_TRUE(doc.DataSourceModel.isEmpty());
    EXPECT_EQ(doc.ReportName, QStringLiteral("Fattura"));
    EXPECT_EQ(doc.PageHeight, 16838);
    EXPECT_EQ(doc.ExportFileName, QStringLiteral("fattura.html"));
}

TEST(DocumentRelease, ReleasingPagesLeavesDataAndTemplate)
{
    ReportDocument doc = filledDocument();
    ReleasePages(doc);
    EXPECT_TRUE(doc.Pages.isEmpty());
    EXPECT_EQ(doc.Records.size(), 1);
    EXPECT_EQ(doc.Bands.size(), 1);
}
