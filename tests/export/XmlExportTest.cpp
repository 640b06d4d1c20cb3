#include "export/XmlExport.h"
#include "export/XmlIndent.h"
#include "support/TemplateText.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zet;
using test::Record;
using namespace Qt::StringLiterals;

namespace {

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

ReportDocument report(const test::RecordSet &structure, const QList<Record> &records)
{
    return test::loadReport(test::TemplateText().page(3000).structure(structure), records);
}

} // namespace

// The golden files are also checked by xmllint --valid (tests/export/xmllint-valid.sh).
// ZET_UPDATE_GOLDEN=1 rewrites them.
TEST(XmlExport, WholeFileMatchesItsGoldenFile)
{
    ReportDocument invoices
        = report({ u"Fattura"_s, { u"Cliente"_s },
                     { { u"Riga"_s, { u"Articolo"_s }, {} }, { u"Nota"_s, { u"Testo"_s }, {} } } },
            { { u"Fattura"_s, { { u"Cliente"_s, u"Rossi"_s } },
                  test::rows(2, u"Riga"_s, { u"Articolo"_s }) + test::rows(1, u"Nota"_s, { u"Testo"_s }) },
                { u"Fattura"_s, { { u"Cliente"_s, u"Bianchi"_s } }, {} } });
    // Edited in the preview.
    invoices.values[0].value = u"Rossi & figli <S.p.A.> ]]> \"x\" <b>è</b> 😀\uffff"_s;
    invoices.values[3].value = u"riga 1\r\nriga 2\tfine\ufffe"_s;

    // Codice is a field at every level; Nota a field of Ordine and a set in Riga and in Reso.
    const test::RecordSet nota { u"Nota"_s, { u"Testo"_s }, {} };
    ReportDocument shared = report({ u"Ordine"_s, { u"Codice"_s, u"Nota"_s },
                                       { { u"Riga"_s, { u"Codice"_s }, { nota } }, { u"Vuoto"_s, {}, {} },
                                           { u"Reso"_s, { u"Codice"_s }, { nota } } } },
        { { u"Ordine"_s, { { u"Codice"_s, u"O1"_s }, { u"Nota"_s, u"urgente"_s } },
            { { u"Riga"_s, { { u"Codice"_s, u"R1"_s } }, test::rows(1, u"Nota"_s, { u"Testo"_s }) },
                { u"Vuoto"_s, {}, {} },
                { u"Reso"_s, { { u"Codice"_s, u"S1"_s } },
                    test::rows(1, u"Nota"_s, { u"Testo"_s }, 2) } } } });

    for (const auto &[name, document] :
        { std::pair { "xml-invoice-with-rows-declares-every-nested-set-and-escapes-values.xml", &invoices },
            { "xml-name-used-at-two-levels-is-declared-once-with-all-it-holds.xml", &shared } }) {
        SCOPED_TRACE(name);
        const QByteArray actual = exported(*document);
        QFile golden(QStringLiteral(ZET_SOURCE_DIR "/tests/export/golden/") + QLatin1String(name));
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
        = report({ u"Report"_s, { u"Lungo"_s }, {} }, { { u"Report"_s, { { u"Lungo"_s, u""_s } }, {} } });
    document.records[0].extraContent = u"&"_s;
    // The body is the value and 38 characters: tags, the line break and the escaped extra content.
    for (const auto &[xs, oneLine] : { std::pair { 29962, true }, { 29961, false } }) {
        document.values[0].value = QString(xs, QLatin1Char('x')) + u"\n"_s;
        const QByteArray value = QByteArray(xs, 'x');
        EXPECT_TRUE(exported(document).endsWith(oneLine
                ? "]>\r\n\r\n<Report><Lungo>" + value + "</Lungo>&amp;</Report>"
                : "]>\r\n\r\n<Report>\r\n\t<Lungo>" + value + "</Lungo>&amp;\r\n</Report>"))
            << xs;
    }
}

TEST(XmlExport, StructureThatCannotBeDeclaredOrAnUnwritableFileIsAnErrorNamingIt)
{
    const std::pair<test::RecordSet, QString> rows[] = {
        { { u"Report"_s, { u"2a"_s }, {} }, u"il campo \"2a\" del record set \"Report\""_s },
        { { u"Report"_s, {}, { { u"a b='c'"_s, {}, {} } } },
            u"il record set \"a b='c'\" (livello 1, dentro \"Report\")"_s },
        { { u"xml:Report"_s, {}, {} }, u"il record set \"xml:Report\" (livello 0)"_s },
    };
    QString error;
    for (const auto &[structure, fault] : rows) {
        ReportDocument document = report(structure, {});
        EXPECT_TRUE(exported(document, &error).isEmpty());
        EXPECT_TRUE(error.contains(fault) && error.contains(u"dati.xml"_s)) << error.toStdString();
    }
    ReportDocument document = report({ u"Report"_s, {}, {} }, {});
    EXPECT_FALSE(exportXml(document, u"/nessuna/cartella/dati.xml"_s, &error));
    EXPECT_TRUE(error.contains(u"/nessuna/cartella/dati.xml"_s)) << error.toStdString();
}

TEST(XmlExport, IndentationPutsEachElementOnItsLineAndStripsControlCharacters)
{
    const char16_t *rows[][2] = {
        { u"<a><b>x</b><c><d>y</d></c></a>",
            u"<a>\r\n\t<b>x</b>\r\n\t<c>\r\n\t\t<d>y</d>\r\n\t</c>\r\n</a>" },
        { u"<a>\r\n<b>x\ty\r\nz\x01</b><c></c></a>", u"<a>\r\n\t<b>xyz</b>\r\n\t<c></c>\r\n</a>" },
        { u"t<a>x</a><", u"t\r\n<a>x</a><" }, // text before the root, a final "<"
    };
    for (const auto &[text, indented] : rows)
        EXPECT_EQ(indentXml(QString::fromUtf16(text)), QString::fromUtf16(indented));
}
