#include "control/OpenDocuments.h"
#include "control/ReportRequests.h"
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

const QString kData = QStringLiteral(
    "<NomeFileEsportazione>elenco</NomeFileEsportazione>"
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
    BuildReport(doc, kTemplate, kData, [&](const QString &line) { events << line; }, noSettings());
    EXPECT_EQ(doc.ReportName, QStringLiteral("Elenco"));
    EXPECT_EQ(doc.ExportFileName, QStringLiteral("elenco"));
    EXPECT_EQ(doc.Records.size(), 3);
    EXPECT_EQ(doc.Pages.size(), 1);
    ASSERT_EQ(events.size(), 1);
    EXPECT_TRUE(events.first().startsWith(QStringLiteral("CreaReport=")));
}

TEST(BuildReport, DuplicationCountOfTwoOrMoreDoublesEveryRecordExactlyOnce)
{
    for (const char *copies : {"2", "5"}) {
        SCOPED_TRACE(copies);
        ReportDocument doc;
        BuildReport(doc, kTemplate, kData, {},
                    noSettings(QStringLiteral("<CopieXML>%1</CopieXML>").arg(QLatin1String(copies))));
        ASSERT_EQ(doc.Records.size(), 5);
        EXPECT_EQ(doc.Values.at(doc.Records.at(1).ValueIndexes.first()).Value, QStringLiteral("Anna"));
        EXPECT_EQ(doc.Values.at(doc.Records.at(2).ValueIndexes.first()).Value, QStringLiteral("Anna"));
        EXPECT_EQ(doc.Values.at(doc.Records.at(3).ValueIndexes.first()).Value, QStringLiteral("Bruno"));
    }
}

TEST(BuildReport, DuplicationNeedsTwoRecords)
{
    ReportDocument doc;
    BuildReport(doc, kTemplate, QStringLiteral("<Report></Report>"), {}, noSettings(QStringLiteral("<CopieXML>2</CopieXML>")));
    EXPECT_EQ(doc.Records.size(), 1);
}

TEST(BuildReport, FailureReleasesTheDocumentAndPropagatesTheError)
{
    ReportDocument doc;
    int events = 0;
    try {
        BuildReport(doc, kOverflowTemplate, kData, [&](const QString &) { ++events; }, noSettings());
        FAIL() << "an integer key beyond 32 bits must end the build";
    } catch (const Error &error) {
        EXPECT_EQ(error.number(), Error::kOverflow);
    }
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(doc.Bands.isEmpty());
    EXPECT_TRUE(doc.Records.isEmpty());
}

TEST(PreviewRequest, SlotsAreNumberedFromOneAndNeverReused)
{
    const int before = PreviewCount();
    QList<int> slots;
    auto present = [&](int slot) {
        slots << slot;
        EXPECT_TRUE(PreviewDocument(slot).InUse);
        EXPECT_FALSE(PreviewDocument(slot).Pages.isEmpty());
    };
    RunPreviewRequest(kTemplate, kData, false, present, {}, noSettings());
    RunPreviewRequest(kTemplate, kData, false, present, {}, noSettings());
    ASSERT_EQ(slots.size(), 2);
    EXPECT_EQ(slots.at(0), before + 1);
    EXPECT_EQ(slots.at(1), before + 2);
    EXPECT_GE(slots.at(0), 1);
    for (int slot : slots) {
        EXPECT_FALSE(PreviewDocument(slot).InUse);
        EXPECT_TRUE(PreviewDocument(slot).Pages.isEmpty());
        EXPECT_TRUE(PreviewDocument(slot).Bands.isEmpty());
    }
}

TEST(PreviewRequest, ResultIsReturnedOnlyWhenAskedFor)
{
    auto printedFromPreview = [](int slot) { PreviewDocument(slot).ResultText = QStringLiteral("<Report/>"); };
    EXPECT_EQ(RunPreviewRequest(kTemplate, kData, true, printedFromPreview, {}, noSettings()),
              QStringLiteral("<Report/>"));
    EXPECT_EQ(RunPreviewRequest(kTemplate, kData, false, printedFromPreview, {}, noSettings()), QString());
    EXPECT_EQ(RunPreviewRequest(kTemplate, kData, true, [](int) {}, {}, noSettings()), QString());
}

TEST(PreviewRequest, FailedBuildLeavesTheSlotReleasedAndNotInUse)
{
    bool presented = false;
    EXPECT_THROW(RunPreviewRequest(kOverflowTemplate, kData, true, [&](int) { presented = true; }, {}, noSettings()),
                 Error);
    EXPECT_FALSE(presented);
    EXPECT_FALSE(PreviewDocument(PreviewCount()).InUse);
}

TEST(PrintRequest, ReturnsTheDataTextOnlyAfterASuccessfulPrint)
{
    const QString printed = RunPrintRequest(kTemplate, kData, [](ReportDocument &) { return true; }, {}, noSettings());
    EXPECT_EQ(printed, QStringLiteral("<Report><Row><Nome>Anna</Nome></Row><Row><Nome>Bruno</Nome></Row></Report>"));
    EXPECT_EQ(RunPrintRequest(kTemplate, kData, [](ReportDocument &) { return false; }, {}, noSettings()), QString());
}

TEST(PrintRequest, TheCallersDataTextIsReadAgainByTheNextRequest)
{
    const QString data = kData;
    int recordsSeen = 0;
    auto print = [&](ReportDocument &doc) {
        recordsSeen += doc.Records.size();
        return true;
    };
    RunPrintRequest(kTemplate, data, print, {}, noSettings());
    RunPrintRequest(kTemplate, data, print, {}, noSettings());
    EXPECT_EQ(data, kData);
    EXPECT_EQ(recordsSeen, 6);
}
