#include "model/DocumentRelease.h"

#include <gtest/gtest.h>

using namespace zet;

namespace {

ReportDocument filledDocument()
{
    ReportDocument doc;
    doc.reportName = QStringLiteral("Fattura");
    doc.pageHeight = 16838;
    doc.exportFileName = QStringLiteral("fattura.html");
    doc.recordsetStruct = QStringLiteral("<RecordsetStruct0/>");
    doc.dataSourceModel = QStringLiteral("modello");
    doc.images.append({ QStringLiteral("logo"), QStringLiteral("BM"), QImage(4, 4, QImage::Format_BGR888) });
    ReportObject object;
    object.font = ReportFont();
    doc.objects.append(object);
    ReportBand band;
    band.objectIndexes = { 0 };
    band.bandPicture = QImage(2, 2, QImage::Format_BGR888);
    doc.bands.append(band);
    doc.records.append({ -1, 0, QStringLiteral("Report"), QString(), { 0 } });
    doc.values.append({ 0, QStringLiteral("Cliente"), QStringLiteral("Rossi"), QStringLiteral("Rossi") });
    LaidPage page;
    page.placedBands.append({ 0, { { 0, 0 } }, 0 });
    doc.pages.append(page);
    doc.dataPlacements.append({ 0, 0, 0 });
    return doc;
}

} // namespace

TEST(DocumentRelease, EmptiesEveryListAndKeepsThePageSetup)
{
    ReportDocument doc = filledDocument();
    releaseDocument(doc);
    EXPECT_TRUE(doc.pages.isEmpty());
    EXPECT_TRUE(doc.dataPlacements.isEmpty());
    EXPECT_TRUE(doc.records.isEmpty());
    EXPECT_TRUE(doc.values.isEmpty());
    EXPECT_TRUE(doc.images.isEmpty());
    EXPECT_TRUE(doc.objects.isEmpty());
    EXPECT_TRUE(doc.bands.isEmpty());
    EXPECT_TRUE(doc.recordsetStruct.isEmpty());
    EXPECT_TRUE(doc.dataSourceModel.isEmpty());
    EXPECT_EQ(doc.reportName, QStringLiteral("Fattura"));
    EXPECT_EQ(doc.pageHeight, 16838);
    EXPECT_EQ(doc.exportFileName, QStringLiteral("fattura.html"));
}

TEST(DocumentRelease, ReleasingPagesLeavesDataAndTemplate)
{
    ReportDocument doc = filledDocument();
    releasePages(doc);
    EXPECT_TRUE(doc.pages.isEmpty());
    EXPECT_EQ(doc.records.size(), 1);
    EXPECT_EQ(doc.bands.size(), 1);
}
