#include "control/ReportRequests.h"
#include "support/TemplateText.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

using namespace zet;

namespace {

// A body band showing Row.[Nome] on a page that holds every row.
const QString kTemplate = test::TemplateText()
                              .page(16838, 500, 500)
                              .band(test::Body, { 300 })
                              .object(test::Body, QStringLiteral("Row.[Nome]"))
                              .structure({ QStringLiteral("Report"), {},
                                  { { QStringLiteral("Row"), { QStringLiteral("Nome") }, {} } } })
                              .text();
const QString kRecords
    = QStringLiteral("<Report><Row><Nome>Anna</Nome></Row><Row><Nome>Bruno</Nome></Row></Report>");
const QString kData = QStringLiteral("<NomeFileEsportazione>elenco</NomeFileEsportazione>") + kRecords;
const QString kOverflowTemplate = QStringLiteral("<ZETVersion>&HFFFFFFFFF</ZETVersion>");

BuildOptions withSettings(const QString &fragment = QString())
{
    return { true, [fragment](const QString &) { return fragment; } };
}

QString preview(OpenDocuments &documents, bool returnResult, const PreviewPresenter &present,
    const QString &templateText = kTemplate)
{
    return runPreviewRequest(documents, templateText, kData, returnResult, present, {}, withSettings());
}

} // namespace

TEST(RecordDuplication, EachElementTwiceInARowBetweenHeadAndTail)
{
    const std::pair<const char *, const char *> rows[] = {
        { "<R>head<Row>1</Row> gap <Row>2</Row>tail</R>",
            "<R>head<Row>1</Row><Row>1</Row><Row>2</Row><Row>2</Row>tail</R>" },
        // A nested opening tag is an occurrence of its own, ending at the first closing tag.
        { "<Row>a<Row>b</Row>c</Row>", "<Row>a<Row>b</Row><Row>a<Row>b</Row><Row>b</Row><Row>b</Row>" },
        { "<Row>1</Row><Row>2", "<Row>1</Row><Row>1</Row><Row>2" }, // no closing tag after the last
        { "<row>1</row>", nullptr }, // tags match in their exact case
        { "<Row>1", nullptr },
    };
    for (const auto &[data, expected] : rows) {
        SCOPED_TRACE(data);
        const std::optional<QString> result
            = duplicateRecordElements(QString::fromUtf8(data), QStringLiteral("Row"));
        EXPECT_EQ(result, expected ? std::optional(QString::fromUtf8(expected)) : std::nullopt);
    }
}

TEST(BuildReport, ReadsTemplateDataAndExportNameLaysOutAndReportsOnce)
{
    ReportDocument doc;
    QStringList events;
    buildReport(
        doc, QStringLiteral("<ZET>") + kTemplate + QStringLiteral("</ZET>"), kData,
        [&](const QString &line) { events << line; }, withSettings());
    EXPECT_EQ(doc.exportFileName, QStringLiteral("elenco"));
    EXPECT_EQ(doc.records.size(), 3);
    EXPECT_EQ(doc.pages.size(), 1);
    ASSERT_EQ(events.size(), 1);
    EXPECT_TRUE(events.first().startsWith(QStringLiteral("CreaReport=")));
    EXPECT_EQ(templateProper(QStringLiteral("<zet><Nome>A</Nome></zet>")),
        QStringLiteral("<zet><Nome>A</Nome></zet>"));
}

TEST(BuildReport, CopieXmlOfTwoOrMoreDoublesEveryRecordOnce)
{
    const QStringList doubled = { "Anna", "Anna", "Bruno", "Bruno" };
    const std::tuple<const char *, QString, QStringList> rows[] = {
        { "2", kData, doubled }, { "1.5", kData, doubled }, // read as an integer key
        { "1", kData, { "Anna", "Bruno" } },
        { "2", QStringLiteral("<Report></Report>"), {} }, // one record: nothing to double
    };
    for (const auto &[copies, data, names] : rows) {
        SCOPED_TRACE(copies);
        ReportDocument doc;
        buildReport(
            doc, kTemplate, data, {}, withSettings(QStringLiteral("<CopieXML>%1</CopieXML>").arg(copies)));
        QStringList read;
        for (const DataValue &value : doc.values)
            read << value.value;
        EXPECT_EQ(read, names);
        EXPECT_EQ(doc.records.size(), names.size() + 1);
    }
}

TEST(BuildTimeDescription, UsesTheLocalesDecimalSeparatorWithoutGrouping)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    EXPECT_EQ(buildTimeDescription(1234.5, italian), QStringLiteral("CreaReport=1234,5"));
    EXPECT_EQ(buildTimeDescription(1234567.125, QLocale(QLocale::English)),
        QStringLiteral("CreaReport=1234567.125"));
}

TEST(PreviewRequest, SlotsCountFromOneAndStayPutWhileANestedPreviewAddsOne)
{
    OpenDocuments documents;
    QList<int> shown;
    PreviewPresenter present = [&](int slot) {
        shown << slot;
        ReportDocument &document = documents.document(slot);
        EXPECT_TRUE(document.inUse);
        if (slot == 1) { // the host calls the control again from the open preview
            preview(documents, false, present);
            EXPECT_EQ(&documents.document(slot), &document);
            EXPECT_FALSE(document.pages.isEmpty());
        }
    };
    preview(documents, false, present);
    preview(documents, false, present);
    EXPECT_EQ(shown, (QList<int> { 1, 2, 3 }));
    EXPECT_EQ(documents.previewCount(), 3);
    for (int slot : shown) {
        EXPECT_FALSE(documents.document(slot).inUse);
        EXPECT_TRUE(documents.document(slot).pages.isEmpty());
    }
    EXPECT_THROW(documents.document(4), Error);
}

TEST(PreviewRequest, ResultIsReturnedOnlyWhenAskedFor)
{
    OpenDocuments documents;
    auto printedFromPreview
        = [&](int slot) { documents.document(slot).resultText = QStringLiteral("<Report/>"); };
    EXPECT_EQ(preview(documents, true, printedFromPreview), QStringLiteral("<Report/>"));
    EXPECT_EQ(preview(documents, false, printedFromPreview), QString());
    EXPECT_EQ(preview(documents, true, [](int) {}), QString());
}

TEST(PreviewRequest, FailedBuildLeavesTheSlotReleasedAndNotInUseAndRaisesNoEvent)
{
    OpenDocuments documents;
    bool presented = false;
    int events = 0;
    EXPECT_THROW(runPreviewRequest(
                     documents, kOverflowTemplate + kTemplate, kData, true, [&](int) { presented = true; },
                     [&](const QString &) { ++events; }, withSettings()),
        Error);
    EXPECT_FALSE(presented || events > 0);
    EXPECT_FALSE(documents.document(1).inUse);
    EXPECT_TRUE(documents.document(1).bands.isEmpty());
}

TEST(PrintRequest, ReturnsTheDataTextOnlyAfterASuccessfulPrint)
{
    auto print = [](bool printed) {
        return runPrintRequest(
            kTemplate, kData, [printed](ReportDocument &) { return printed; }, {}, withSettings());
    };
    EXPECT_EQ(print(true), kRecords);
    EXPECT_EQ(print(false), QString());
}

TEST(PrintRequest, EveryFailureReachesTheCallerAsAnErrorNamingItsCause)
{
    QString nested;
    for (int i = 0; i < 12000; ++i)
        nested += QStringLiteral("<Row><Nome>x</Nome>");
    const QString nestedData = QStringLiteral("<Report>") + nested + QStringLiteral("</Row></Report>");
    QString deepStructure, deepData;
    for (int level = 299; level >= 0; --level) {
        const QString number = QString::number(level);
        deepStructure = test::element("RecordsetStruct" + number,
            test::element("RecordsetStructName" + number, "L" + number) + deepStructure);
        deepData = test::element("L" + number, deepData);
    }
    const QString deepTemplate = test::element("ZET_RecordsetStruct", deepStructure) + kTemplate;
    const PrintDriver prints = [](ReportDocument &) { return true; };
    const PrintDriver outOfMemory = [](ReportDocument &) -> bool { throw std::bad_alloc(); };
    const PrintDriver failing = [](ReportDocument &) -> bool { throw std::runtime_error("guasto"); };
    // What, template, data, settings, driver, refuse an unusable template; error number and message.
    const std::tuple<const char *, QString, QString, QString, PrintDriver, bool, int, QString> rows[] = {
        { "copies beyond 32 bits", kTemplate, kData, "<CopieXML>1e308</CopieXML>", prints, false, 6,
            R"(Overflow: CopieXML = "1e308" (impostazioni del report "Prova"))" },
        { "copies of nested records", kTemplate, nestedData, "<CopieXML>2</CopieXML>", prints, false, 7,
            "Out of memory: la duplicazione dei record <Row>" },
        { "record sets nested too deep", deepTemplate, deepData, {}, prints, false, 28,
            "Out of stack space (record set annidati troppo in profondità in ZET_RecordsetStruct e nei "
            "dati)" },
        { "memory runs out", kTemplate, kData, {}, outOfMemory, false, 7, "Out of memory" },
        { "anything else", kTemplate, kData, {}, failing, false, 51, "Internal error: guasto" },
        { "no page size", QStringLiteral("<Nome>Vuoto</Nome>"), kData, {}, prints, true, 1002,
            "il modello non indica le dimensioni della pagina (Larghezza e Altezza)" },
    };
    for (const auto &[what, templateText, data, settings, print, refuse, number, message] : rows) {
        SCOPED_TRACE(what);
        BuildOptions options = withSettings(settings);
        options.refuseUnusableTemplate = refuse;
        try {
            runPrintRequest(templateText, data, print, {}, options);
            ADD_FAILURE() << "no error";
        } catch (const Error &error) {
            EXPECT_EQ(error.number(), number);
            EXPECT_TRUE(error.message().startsWith(message)) << error.message().toStdString();
        }
    }
    // Not asked to refuse, an unusable template builds its empty page.
    EXPECT_NO_THROW(runPrintRequest(QString(), kData, prints, {}, withSettings()));
}
