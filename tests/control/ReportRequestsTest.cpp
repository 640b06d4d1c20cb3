#include "control/ReportRequests.h"
#include "support/TemplateText.h"
#include "zetview/ZETView.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

using namespace zet;

namespace {

// A body band showing Row.[Nome] on a page that holds every row.
const QString kTemplate = test::TemplateText()
                              .page(16838, 500, 500)
                              .band(test::Body, { 300 })
                              .object(test::Body, u"Row.[Nome]"_s)
                              .structure({ u"Report"_s, {}, { { u"Row"_s, { u"Nome"_s }, {} } } })
                              .text();
const QString kRecords = u"<Report><Row><Nome>Anna</Nome></Row><Row><Nome>Bruno</Nome></Row></Report>"_s;
const QString kData = u"<NomeFileEsportazione>elenco</NomeFileEsportazione>"_s + kRecords;

BuildOptions withSettings(const QString &fragment = QString())
{
    return { true, [fragment](const QString &) { return fragment; } };
}

QString preview(OpenDocuments &documents, bool returnResult, const PreviewPresenter &present)
{
    return runPreviewRequest(documents, kTemplate, kData, returnResult, present, {}, withSettings());
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
        EXPECT_EQ(duplicateRecordElements(QString::fromUtf8(data), u"Row"_s),
            expected ? std::optional(QString::fromUtf8(expected)) : std::nullopt)
            << data;
    }
}

TEST(BuildReport, ReadsTemplateDataAndExportNameLaysOutAndReportsOnce)
{
    ReportDocument doc;
    QStringList events;
    buildReport(
        doc, u"<ZET>"_s + kTemplate + u"</ZET>"_s, kData, [&](const QString &line) { events << line; },
        withSettings());
    EXPECT_EQ(std::tuple(doc.exportFileName, doc.records.size(), doc.pages.size(), events.size()),
        std::tuple(u"elenco"_s, 3, 1, 1));
    EXPECT_TRUE(events.value(0).startsWith(u"CreaReport="_s));
    EXPECT_EQ(templateProper(u"<zet><Nome>A</Nome></zet>"_s), u"<zet><Nome>A</Nome></zet>"_s);
}

TEST(BuildReport, CopieXmlOfTwoOrMoreDoublesEveryRecordOnce)
{
    const QStringList doubled = { "Anna", "Anna", "Bruno", "Bruno" };
    const std::tuple<const char *, QString, QStringList> rows[] = {
        { "2", kData, doubled }, { "1.5", kData, doubled }, // read as an integer key
        { "1", kData, { "Anna", "Bruno" } },
        { "2", u"<Report></Report>"_s, {} }, // one record: nothing to double
    };
    for (const auto &[copies, data, names] : rows) {
        SCOPED_TRACE(copies);
        ReportDocument doc;
        buildReport(doc, kTemplate, data, {}, withSettings(u"<CopieXML>%1</CopieXML>"_s.arg(copies)));
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
    EXPECT_EQ(buildTimeDescription(1234.5, italian), u"CreaReport=1234,5"_s);
    EXPECT_EQ(buildTimeDescription(1234567.125, QLocale(QLocale::English)), u"CreaReport=1234567.125"_s);
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
            EXPECT_TRUE(&documents.document(slot) == &document && !document.pages.isEmpty());
        }
    };
    preview(documents, false, present);
    preview(documents, false, present);
    EXPECT_EQ(std::pair(shown, documents.previewCount()), std::pair(QList<int> { 1, 2, 3 }, 3));
    for (int slot : shown)
        EXPECT_TRUE(!documents.document(slot).inUse && documents.document(slot).pages.isEmpty()) << slot;
    EXPECT_THROW(documents.document(4), Error);
}

TEST(PreviewRequest, ResultIsReturnedOnlyWhenAskedFor)
{
    OpenDocuments documents;
    auto printedFromPreview = [&](int slot) { documents.document(slot).resultText = u"<Report/>"_s; };
    EXPECT_EQ(preview(documents, true, printedFromPreview), u"<Report/>"_s);
    EXPECT_EQ(preview(documents, false, printedFromPreview), QString());
    EXPECT_EQ(preview(documents, true, [](int) {}), QString());
}

TEST(PreviewRequest, FailedBuildLeavesTheSlotReleasedAndNotInUseAndRaisesNoEvent)
{
    OpenDocuments documents;
    bool presented = false;
    int events = 0;
    EXPECT_THROW(runPreviewRequest(
                     documents, "<ZETVersion>&HFFFFFFFFF</ZETVersion>" + kTemplate, kData, true,
                     [&](int) { presented = true; }, [&](const QString &) { ++events; }, withSettings()),
        Error);
    EXPECT_FALSE(
        presented || events > 0 || documents.document(1).inUse || !documents.document(1).bands.isEmpty());
}

TEST(PrintRequest, ReturnsTheDataTextOnlyAfterASuccessfulPrint)
{
    auto print = [](bool printed) {
        return runPrintRequest(
            kTemplate, kData, [printed](ReportDocument &) { return printed; }, {}, withSettings());
    };
    EXPECT_EQ(std::pair(print(true), print(false)), std::pair(kRecords, QString()));
}

TEST(PrintRequest, EveryFailureReachesTheCallerAsAnErrorNamingItsCause)
{
    const QString nestedData = "<Report>" + u"<Row><Nome>x</Nome>"_s.repeated(12000) + "</Row></Report>";
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
        { "no page size", u"<Nome>Vuoto</Nome>"_s, kData, {}, prints, true, 1002,
            "il modello non indica le dimensioni della pagina (Larghezza e Altezza)" },
    };
    for (const auto &[what, templateText, data, settings, print, refuse, number, message] : rows) {
        SCOPED_TRACE(what);
        BuildOptions options = withSettings(settings);
        options.refuseUnusableTemplate = refuse;
        const std::string error
            = test::errorText([&] { runPrintRequest(templateText, data, print, {}, options); });
        EXPECT_TRUE(error.starts_with(std::to_string(number) + ": " + message.toStdString())) << error;
    }
    // Not asked to refuse, an unusable template builds its empty page.
    EXPECT_NO_THROW(runPrintRequest(QString(), kData, prints, {}, withSettings()));
}

// Whatever size the host asks for, the widget keeps 585 twips, all of it the icon button.
TEST(ZETViewWidget, KeepsItsSurfaceAt585TwipsWithTheIconButton)
{
    ZETView view;
    view.resize(400, 300);
    view.show();
    EXPECT_EQ(view.size(),
        QSize(qRound(585 * view.logicalDpiX() / 1440.0), qRound(585 * view.logicalDpiY() / 1440.0)));
    auto *button = view.findChild<QPushButton *>(u"cmdIcona"_s);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->geometry() == view.rect() && !button->icon().isNull());
}

// No spooler answers here, so no printer is installed: the request without a
// dialog shows one anyway, and a job accepted there cannot start.
TEST(ZETViewWidget, PrintingWithoutAnInstalledPrinterAsksAndFailsWithAPrinterError)
{
    qputenv("CUPS_SERVER", "/nonexistent/zetview-test.sock");
    ZETView view;
    view.LoadZET(u"<Altezza>16838</Altezza><Larghezza>11906</Larghezza><CorpoDati>-1</CorpoDati>"_s);
    for (bool accept : { false, true }) {
        bool asked = false;
        QTimer::singleShot(0, [accept, &asked] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            asked = true;
            EXPECT_TRUE(dialog->maxPage() == 1 && !dialog->testOption(QAbstractPrintDialog::PrintToFile)
                && !dialog->testOption(QAbstractPrintDialog::PrintSelection));
            accept ? dialog->accept() : dialog->reject();
        });
        QString result = u"?"_s;
        EXPECT_EQ(test::errorText([&] { result = view.PrintDirectWithoutDialog(true); }),
            accept ? std::to_string(Error::kPrinterError)
                    + ": Nessuna stampante installata, o il servizio di stampa non risponde."
                   : "no error");
        EXPECT_TRUE(accept || result.isEmpty());
        EXPECT_TRUE(asked && QGuiApplication::overrideCursor() == nullptr);
    }
}
