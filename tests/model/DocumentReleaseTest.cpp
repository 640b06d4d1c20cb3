#include "model/DocumentRelease.h"

#include <gtest/gtest.h>

using namespace zet;

TEST(DocumentRelease, EmptiesPagesThenDataThenTemplateAndKeepsThePageSetup)
{
    ReportDocument doc;
    doc.reportName = QStringLiteral("Fattura");
    doc.exportFileName = QStringLiteral("fattura.html");
    doc.pageHeight = 16838;
    doc.recordsetStruct = doc.dataSourceModel = QStringLiteral("<RecordsetStruct0/>");
    doc.images.append({ QStringLiteral("logo"), QStringLiteral("BM"), QImage(4, 4, QImage::Format_BGR888) });
    doc.objects.append(ReportObject());
    doc.bands.append(ReportBand());
    doc.records.append({ -1, 0, QStringLiteral("Report"), QString(), { 0 } });
    doc.values.append({ 0, fieldIndexOf(doc, QStringLiteral("Cliente")), QStringLiteral("Rossi") });
    editValue(doc, 0, QStringLiteral("Bianchi"));
    doc.pages.append(LaidPage());
    doc.dataPlacements.append({ 0, 0, 0 });

    releasePages(doc);
    EXPECT_TRUE(doc.pages.isEmpty() && doc.dataPlacements.isEmpty());
    EXPECT_EQ(doc.records.size() + doc.values.size() + doc.bands.size(), 3);
    releaseData(doc);
    EXPECT_TRUE(doc.records.isEmpty() && doc.values.isEmpty() && doc.loadedValues.isEmpty());
    EXPECT_TRUE(doc.fieldNames.isEmpty() && doc.fieldIndexes.isEmpty());
    EXPECT_EQ(doc.bands.size() + doc.objects.size() + doc.images.size(), 3);
    releaseTemplate(doc);
    EXPECT_TRUE(doc.bands.isEmpty() && doc.objects.isEmpty() && doc.images.isEmpty());
    EXPECT_TRUE(doc.recordsetStruct.isEmpty() && doc.dataSourceModel.isEmpty());
    EXPECT_EQ(doc.reportName, QStringLiteral("Fattura"));
    EXPECT_EQ(doc.exportFileName, QStringLiteral("fattura.html"));
    EXPECT_EQ(doc.pageHeight, 16838);
}
