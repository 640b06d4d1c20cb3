#include "export/XmlExport.h"
#include "export/XmlIndent.h"
#include "support/TemplateText.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zet;
using test::Record;
using test::RecordSet;

namespace {

const QString kGoldenFolder = QStringLiteral(ZET_SOURCE_DIR "/tests/export/golden/");

QString q(const char *text)
{
    return QString::fromUtf8(text);
}

// The exported file's bytes; empty when the export failed (the reason in error).
QByteArray exported(ReportDocument &document, QString *error = nullptr)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("dati.xml"));
    QFile file(path);
    if (!exportXml(document, path, error) || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

ReportDocument report(const RecordSet &structure, const QList<Record> &records)
{
    return test::loadReport(test::TemplateText().page(3000).structure(structure), records);
}

} // namespace

// The golden files are also checked by xmllint --valid (tests/export/xmllint-valid.sh).
// ZET_UPDATE_GOLDEN=1 rewrites them.
TEST(XmlExport, WholeFileMatchesItsGoldenFile)
{
    ReportDocument invoices = report(
        { q("Fattura"), { q("Cliente"), q("Totale") },
            { { q("Riga"), { q("Articolo"), q("Prezzo") }, {} }, { q("Nota"), { q("Testo") }, {} } } },
        { { q("Fattura"), { { q("Cliente"), q("Rossi") }, { q("Totale"), q("10") } },
              test::rows(2, q("Riga"), { q("Articolo"), q("Prezzo") })
                  + QList<Record> { { q("Nota"), { { q("Testo"), q("consegna") } }, {} } } },
            { q("Fattura"), { { q("Cliente"), q("Bianchi") } }, {} } });
    invoices.values[1].value = q("12,50"); // edited in the preview

    ReportDocument escaped = report({ q("Report"), { q("Testo"), q("Altro") }, {} },
        { { q("Report"),
            { { q("Testo"), q("a < b && c > d ]]> \"x\" 'y' <b>grassetto</b> è 😀\xef\xbf\xbf") },
                { q("Altro"), q("riga 1\r\nriga 2\tfine") } },
            {} } });

    ReportDocument shared = report(
        { q("Ordine"), { q("Codice"), q("Nota") },
            { { q("Riga"), { q("Codice") }, { { q("Nota"), { q("Testo") }, {} } } }, { q("Vuoto"), {}, {} },
                { q("Reso"), { q("Codice") }, { { q("Nota"), { q("Testo") }, {} } } } } },
        { { q("Ordine"), { { q("Codice"), q("O1") }, { q("Nota"), q("urgente") } },
            { { q("Riga"), { { q("Codice"), q("R1") } },
                  { { q("Nota"), { { q("Testo"), q("fragile") } }, {} } } },
                { q("Vuoto"), {}, {} },
                { q("Reso"), { { q("Codice"), q("S1") } },
                    { { q("Nota"), { { q("Testo"), q("rotto") } }, {} } } } } } });

    const std::pair<const char *, ReportDocument *> cases[] = {
        { "xml-invoice-with-rows-declares-every-nested-set.xml", &invoices },
        { "xml-values-are-escaped-and-lose-control-characters.xml", &escaped },
        { "xml-name-used-at-two-levels-is-declared-once-with-all-it-holds.xml", &shared },
    };
    for (const auto &[name, document] : cases) {
        SCOPED_TRACE(name);
        const QByteArray actual = exported(*document);
        QFile golden(kGoldenFolder + QLatin1String(name));
        if (qEnvironmentVariableIsSet("ZET_UPDATE_GOLDEN")) {
            ASSERT_TRUE(golden.open(QIODevice::WriteOnly));
            golden.write(actual);
            continue;
        }
        ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
        EXPECT_EQ(actual, golden.readAll());
    }
}

TEST(XmlExport, BodyFromThirtyThousandCharactersOnIsOneLine)
{
    ReportDocument document
        = report({ q("Report"), { q("Lungo") }, {} }, { { q("Report"), { { q("Lungo"), q("") } }, {} } });
    // The body is the value and 32 characters of tags, counted with "&" escaped and the line break.
    for (const auto &[xs, lines] : { std::pair { 29962, 1 }, { 29961, 3 } }) {
        document.values[0].value = QString(xs, QLatin1Char('x')) + q("&\n");
        const QByteArray file = exported(document);
        const QByteArray value = QByteArray(xs, 'x') + "&amp;";
        EXPECT_TRUE(
            file.endsWith(lines == 1 ? "]>\r\n\r\n<Report><Lungo>" + value + "</Lungo></Report>"
                                     : "]>\r\n\r\n<Report>\r\n\t<Lungo>" + value + "</Lungo>\r\n</Report>"))
            << xs;
    }
}

TEST(XmlExport, StructureThatCannotBeDeclaredOrAnUnwritableFileIsAnErrorNamingIt)
{
    const struct
    {
        RecordSet structure;
        QString fault;
    } rows[] = {
        { { q("Report"), { q("2a") }, {} }, q("il campo \"2a\" del record set \"Report\"") },
        { { q("Report"), { q("") }, {} }, q("il campo \"\" del record set \"Report\"") },
        { { q("Report"), {}, { { q("a b='c'"), {}, {} } } },
            q("il record set \"a b='c'\" (livello 1, dentro \"Report\")") },
        { { q("xml:Report"), {}, {} }, q("il record set \"xml:Report\" (livello 0)") },
    };
    for (const auto &row : rows) {
        ReportDocument document = report(row.structure, {});
        QString error;
        EXPECT_TRUE(exported(document, &error).isEmpty());
        EXPECT_TRUE(error.contains(row.fault) && error.contains(q("dati.xml"))) << error.toStdString();
    }
    ReportDocument document = report({ q("Report"), {}, {} }, {});
    QString error;
    EXPECT_FALSE(exportXml(document, q("/nessuna/cartella/dati.xml"), &error));
    EXPECT_TRUE(error.contains(q("/nessuna/cartella/dati.xml"))) << error.toStdString();
    document.recordsetStruct.clear();
    EXPECT_FALSE(exportXml(document, q("dati.xml"), &error));
    EXPECT_TRUE(error.contains(q("livello 0"))) << error.toStdString();
}

TEST(XmlExport, IndentationPutsEachElementOnItsLineAndStripsControlCharacters)
{
    const struct
    {
        const char *case_, *text, *indented;
    } rows[] = {
        { "nested", "<a><b>x</b><c><d>y</d></c></a>",
            "<a>\r\n\t<b>x</b>\r\n\t<c>\r\n\t\t<d>y</d>\r\n\t</c>\r\n</a>" },
        { "empty element", "<a><b></b></a>", "<a>\r\n\t<b></b>\r\n</a>" },
        { "control characters", "<a>\r\n<b>x\ty\r\nz\x01</b></a>", "<a>\r\n\t<b>xyz</b>\r\n</a>" },
        { "text before the root", "t<a>x</a>", "t\r\n<a>x</a>" },
        { "escaped text", "<a><b>&lt;c&gt;</b></a>", "<a>\r\n\t<b>&lt;c&gt;</b>\r\n</a>" },
        { "final <", "<a>x</a><", "<a>x</a><" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(indentXml(q(row.text)), q(row.indented)) << row.case_;
}
