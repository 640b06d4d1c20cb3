#include "control/ReportRequests.h"
#include "control/OpenDocuments.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

using namespace zet;

namespace {

const QString kTemplate = QStringLiteral(
    "<ZET><ZETVersion>1</ZETVersion><Nome>Elenco</Nome>"
    "<ZET_RecordsetStruct><RecordsetStruct0><RecordsetStructName0>Report</RecordsetStructName0>"
    "<RecordsetStruct1><RecordsetStructName1>Row</RecordsetStructName1>"
    "<Field1><FieldName1>Nome</FieldName1></Field1></RecordsetStruct1></RecordsetStruct0>"
    "</ZET_RecordsetStruct>"
    "<Altezza>16838</Altezza><Larghezza>11906</Larghezza>"
    "<MargineSuperiore>500</MargineSuperiore><MargineInferiore>500</MargineInferiore>"
    "<CorpoDati>-1</CorpoDati><AltezzaCorpoDati>300</AltezzaCorpoDati>"
    "<zet_object><ZETe_ControlType>4</ZETe_ControlType><Alto>800</Alto><Altezza>200</Altezza>"
    "<Larghezza>2000</Larghezza><FonteDati>Row.[Nome]</FonteDati><Stampa>-1</Stampa></zet_object>"
    "</ZET>");

const QString kData
    = QStringLiteral("<NomeFileEsportazione>elenco</NomeFileEsportazione>"
                     "<Report><Row><Nome>Anna</Nome></Row><Row><Nome>Bruno</Nome></Row></Report>");

const QString kOverflowTemplate
    = QStringLiteral("<ZETVersion>&HFFFFFFFFF</ZETVersion><CorpoDati>-1</CorpoDati>");

BuildOptions noSettings(const QString &fragment = QString())
{
    BuildOptions options;
    options.readReportSettings = [fragment](const QString &) { return fragment; };
    return options;
}

} // namespace

TEST(BuildReport, ReadsTemplateDataAndExportNameAndLaysOut)
{
    ReportDocument doc;
    QStringList events;
    buildReport(
        doc, kTemplate, kData, [&](const QString &line) { events << line; }, noSettings());
    EXPECT_EQ(doc.reportName, QStringLiteral("Elenco"));
    EXPECT_EQ(doc.exportFileName, QStringLiteral("elenco"));
    EXPECT_EQ(doc.records.size(), 3);
    EXPECT_EQ(doc.pages.size(), 1);
    ASSERT_EQ(events.size(), 1);
    EXPECT_TRUE(events.first().startsWith(QStringLiteral("CreaReport=")));
}

TEST(BuildReport, DuplicationCountOfTwoOrMoreDoublesEveryRecordExactlyOnce)
{
    for (const char *copies : { "2", "5" }) {
        SCOPED_TRACE(copies);
        ReportDocument doc;
        buildReport(doc, kTemplate, kData, {},
            noSettings(QStringLiteral("<CopieXML>%1</CopieXML>").arg(QLatin1String(copies))));
        ASSERT_EQ(doc.records.size(), 5);
        EXPECT_EQ(doc.values.at(doc.records.at(1).valueIndexes.first()).value, QStringLiteral("Anna"));
        EXPECT_EQ(doc.values.at(doc.records.at(2).valueIndexes.first()).value, QStringLiteral("Anna"));
        EXPECT_EQ(doc.values.at(doc.records.at(3).valueIndexes.first()).value, QStringLiteral("Bruno"));
    }
}

TEST(BuildReport, DuplicationNeedsTwoRecords)
{
    ReportDocument doc;
    buildReport(doc, kTemplate, QStringLiteral("<Report></Report>"), {},
        noSettings(QStringLiteral("<CopieXML>2</CopieXML>")));
    EXPECT_EQ(doc.records.size(), 1);
}

TEST(BuildReport, FailureReleasesTheDocumentAndPropagatesTheError)
{
    ReportDocument doc;
    int events = 0;
    try {
        buildReport(
            doc, kOverflowTemplate, kData, [&](const QString &) { ++events; }, noSettings());
        FAIL() << "an integer key beyond 32 bits must end the build";
    } catch (const Error &error) {
        EXPECT_EQ(error.number(), Error::kOverflow);
    }
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(doc.bands.isEmpty());
    EXPECT_TRUE(doc.records.isEmpty());
}

TEST(PreviewRequest, SlotsAreNumberedFromOneAndNeverReused)
{
    const int before = previewCount();
    QList<int> slots;
    auto present = [&](int slot) {
        slots << slot;
        EXPECT_TRUE(previewDocument(slot).inUse);
        EXPECT_FALSE(previewDocument(slot).pages.isEmpty());
    };
    runPreviewRequest(kTemplate, kData, false, present, {}, noSettings());
    runPreviewRequest(kTemplate, kData, false, present, {}, noSettings());
    ASSERT_EQ(slots.size(), 2);
    EXPECT_EQ(slots.at(0), before + 1);
    EXPECT_EQ(slots.at(1), before + 2);
    EXPECT_GE(slots.at(0), 1);
    for (int slot : slots) {
        EXPECT_FALSE(previewDocument(slot).inUse);
        EXPECT_TRUE(previewDocument(slot).pages.isEmpty());
        EXPECT_TRUE(previewDocument(slot).bands.isEmpty());
    }
}

TEST(PreviewRequest, ResultIsReturnedOnlyWhenAskedFor)
{
    auto printedFromPreview
        = [](int slot) { previewDocument(slot).resultText = QStringLiteral("<Report/>"); };
    EXPECT_EQ(runPreviewRequest(kTemplate, kData, true, printedFromPreview, {}, noSettings()),
        QStringLiteral("<Report/>"));
    EXPECT_EQ(runPreviewRequest(kTemplate, kData, false, printedFromPreview, {}, noSettings()), QString());
    EXPECT_EQ(runPreviewRequest(
                  kTemplate, kData, true, [](int) {}, {}, noSettings()),
        QString());
}

TEST(PreviewRequest, FailedBuildLeavesTheSlotReleasedAndNotInUse)
{
    bool presented = false;
    EXPECT_THROW(runPreviewRequest(
                     kOverflowTemplate, kData, true, [&](int) { presented = true; }, {}, noSettings()),
        Error);
    EXPECT_FALSE(presented);
    EXPECT_FALSE(previewDocument(previewCount()).inUse);
}

TEST(PrintRequest, ReturnsTheDataTextOnlyAfterASuccessfulPrint)
{
    const QString printed = runPrintRequest(
        kTemplate, kData, [](ReportDocument &) { return true; }, {}, noSettings());
    EXPECT_EQ(printed,
        QStringLiteral("<Report><Row><Nome>Anna</Nome></Row><Row><Nome>Bruno</Nome></Row></Report>"));
    EXPECT_EQ(runPrintRequest(
                  kTemplate, kData, [](ReportDocument &) { return false; }, {}, noSettings()),
        QString());
}

TEST(PrintRequest, TheCallersDataTextIsReadAgainByTheNextRequest)
{
    const QString data = kData;
    int recordsSeen = 0;
    auto print = [&](ReportDocument &doc) {
        recordsSeen += doc.records.size();
        return true;
    };
    runPrintRequest(kTemplate, data, print, {}, noSettings());
    runPrintRequest(kTemplate, data, print, {}, noSettings());
    EXPECT_EQ(data, kData);
    EXPECT_EQ(recordsSeen, 6);
}
