#include "layout/LayoutTestHelpers.h"
#include "xml/RecordsetData.h"
#include "zetview/Error.h"

#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

using namespace zet;
using namespace zet::test;

namespace {

// Rows of 1000 twips, seven to a page, under a report header and above a
// report footer of these shapes.
TemplateText rows(const BandShape &header, const BandShape &footer)
{
    return standardPage(
        kRowsOnly, { { ReportHeader, header }, { Body, { 1000 } }, { ReportFooter, footer } });
}

TemplateText groupedRows(const BandShape &dataHeader, const BandShape &dataFooter)
{
    return standardPage(
        kGroupsOfRows, { { DataHeader, dataHeader }, { Body, { 1000 } }, { DataFooter, dataFooter } });
}

// "number: message" of the zet::Error the layout raises, or "no error".
std::string layoutError(ReportDocument &document)
{
    try {
        layOutReport(document);
    } catch (const Error &error) {
        return std::to_string(error.number()) + ": " + error.message().toStdString();
    }
    return "no error";
}

} // namespace

TEST(LayOutReport, RecordsNestedFarDeeperThanTheBands)
{
    ReportDocument doc = loadReport(standardPage(kThreeLevels,
                                        { { GroupHeader, { 100 } }, { Body, { 100 } },
                                            { GroupFooter, { 100 } }, { ReportFooter, { 100 } } }),
        {});
    const QString names[] = { "Report", "Gruppo", "Dati", "Riga" };
    for (int level = 0; level < 10000; ++level)
        addRecord(doc, level - 1, level, names[std::min(level, 3)]);
    layOutReport(doc);
    EXPECT_EQ(outlines(doc), QStringList({ "F GH@1500 DH@1600 B@1600 DF@1700 GF@1700 RF@1800" }));
}

TEST(LayOutReport, BrokenDocumentsEndInAnErrorNotAFault)
{
    ReportDocument doc = loadReport(standardPage(kRowsOnly, { { Body, { 500 } } }).version(2), { Report() });
    EXPECT_EQ(layoutError(doc),
        std::to_string(Error::kNoBandTable)
            + ": Impossibile impaginare il report: il modello non ha la tabella delle bande "
              "(ZETVersion 2; le bande si leggono solo dai modelli di versione 1 o inferiore)");
    // Filling a page with a band this thin would take more than 100,000 copies.
    doc = loadReport(standardPage(kRowsOnly, { { Body, { 0.001, 0, 0, 1 } } }), { Report(righe(1)) });
    EXPECT_THAT(layoutError(doc),
        ::testing::StartsWith("6: Overflow: una banda con AltezzaCorpoDati = 0.001 andrebbe "
                              "copiata più di 100000 volte"));
    // A position beyond 32 bits names the measure that put it there.
    doc.pageHeight = std::nan("");
    EXPECT_THAT(layoutError(doc),
        ::testing::EndsWith(" twip dall'inizio della pagina, oltre i 32 bit (Altezza = nan)"));
    doc = loadReport(standardPage(kRowsOnly, { { Body, { -1e300 } } }), { Report(righe(3)) });
    EXPECT_EQ(layoutError(doc),
        "6: Overflow: una banda starebbe a -1e+300 twip dall'inizio della pagina, oltre i 32 bit "
        "(AltezzaCorpoDati = -1e+300)");
    // An object that pages show must be drawable there: the error drawing would raise, naming the
    // object (by its position when it has no name), the key and its value.
    const std::string overflow = "6: Overflow: il disegno starebbe oltre ±1073741824 twip (";
    const std::pair<void (*)(ReportObject &), std::string> rows[] = {
        { [](ReportObject &o) { o.left = 2147483647; }, overflow + "Sinistra = 2147483647)" },
        { [](ReportObject &o) { o.top += 1e10, o.topInBand += 1e10; }, overflow + "Alto = 10000000725)" },
        { [](ReportObject &o) { o.width = -1e308; }, overflow + "Larghezza = -1e+308)" },
        { [](ReportObject &o) { o.height = NAN, o.name.clear(); }, overflow + "Altezza = nan)" },
        { [](ReportObject &o) { o.font = ReportFont { .name = QString(32, u'A') }; },
            "9: Subscript out of range: il nome del font \"" + std::string(32, 'A')
                + "\" supera 31 caratteri" },
        { [](ReportObject &o) { o.width = 1e308, o.printable = false; }, "no error" }, // never drawn
    };
    for (const auto &[damage, expected] : rows) {
        ReportDocument d = loadReport(standardPage(kRowsOnly, {}).object(PageHeader, ""), { Report() });
        d.objects[0].printable = true;
        damage(d.objects[0]);
        const std::string named
            = d.objects[0].name.isEmpty() ? " nell'oggetto n. 1" : " nell'oggetto \"Oggetto1\"";
        EXPECT_EQ(layoutError(d), expected == "no error" ? expected : expected + named);
    }
}

// Data bands are placed once for each record of their level under the first outermost record and
// move to a new page when they do not fit or a break is due; repeating bands fill the free space.
TEST(LayOutReport, PlacesTheBandsOfEachRecordAndBreaksPages)
{
    const RecordSet twoSets { "Report", {},
        { kGroupsOfRows.children[0], { "Altro", { "Nome" }, kRowsOnly.children } } };
    const Record altro { "Altro", { { "Nome", "Altro 1" } }, righe(3, 3) };
    const QString six = "F B@1500 B@2500 B@3500 B@4500 B@5500 B@6500";
    const BandShape none { 0, 0, 0, 0, false };
    const QList<Record> one { Report(righe(1)) }, oneGroup { Report({ Group(1, righe(2)) }) };
    expectPages({
        { "later outermost records ignored with their descendants",
            standardPage(kRowsOnly, { { Body, { 500 } } }), { Report(righe(2)), Report(righe(3, 3)) },
            { "F B@1500 B@2000" } },
        { "record of another record set skipped with its descendants",
            standardPage(twoSets, { { DataHeader, { 300 } }, { Body, { 500 } }, { DataFooter, { 200 } } }),
            { Report({ Group(1, righe(2)), altro }) }, { "F DH@1500 B@1800 B@2300 DF@2800" } },
        { "data band that is not visible takes its height",
            standardPage(kThreeLevels,
                { { GroupHeader, { 500 } }, { DataHeader, { 700, 0, 0, 0, false } }, { Body, { 1000 } } }),
            { Report({ Group(1, { Data("T", righe(2)) }) }) },
            { "F GH@1500 DH@2000 B@2700 B@3700 DF@4700 GF@4700" } },
        { "row ending exactly on the limit stays", rows(none, none), { Report(righe(7)) },
            { six + " B@7500" } },
        { "row ending past the limit moves on", rows(none, none), { Report(righe(8)) },
            { six + " B@7500", "F B@1500" } },
        { "report footer ending exactly on the limit moves on", rows(none, { 1000 }), { Report(righe(6)) },
            { six, "F RF@1500" } },
        { "report footer ending above the limit stays", rows(none, { 999.5 }), { Report(righe(6)) },
            { six + " RF@7500" } },
        { "report footer breaking before itself", rows(none, { 100, 1 }), one, { "F B@1500", "F RF@1500" } },
        { "oversized band breaks once and overflows",
            standardPage(kRowsOnly, { { ReportHeader, { 1000 } }, { Body, { 8000 } } }), { Report(righe(2)) },
            { "F RH@1500", "F B@1500", "F B@1500" } },
        { "report header breaking before itself still opens page 1", rows({ 1000, 1 }, none), one,
            { "F RH@1500 B@2500" } },
        { "report header with break mode 7, not one of the flags, breaks nowhere", rows({ 1000, 7 }, none),
            one, { "F RH@1500 B@2500" } },
        { "report header breaking before and after", rows({ 1000, 3 }, none), one,
            { "F RH@1500", "F B@1500" } },
        { "last band breaking after itself, no report footer", groupedRows({ 500 }, { 500, 2 }), oneGroup,
            { "F DH@1500 B@2000 B@3000 DF@4000" } },
        { "last band breaking after itself moves the report footer",
            groupedRows({ 500 }, { 500, 2 }).band(ReportFooter, { 1000 }), oneGroup,
            { "F DH@1500 B@2000 B@3000 DF@4000", "F RF@1500" } },
        // Body and data footer both repeat. The body's copies follow the footer in
        // the list but stand above it: the footer's fill moves only the report footer.
        { "a second fill on the page leaves the first fill's copies in place",
            standardPage(kGroupsOfRows,
                { { DataHeader, { 300 } }, { Body, { 1000, 0, 0, 1 } }, { DataFooter, { 300, 0, 0, 1 } },
                    { ReportFooter, { 500 } } }),
            { Report({ Group(1, righe(3)) }) },
            { "F DH@1500 B@1800 B@2800 B@3800 DF@6800 RF@8000 B@4800 B@5800 DF@7100 DF@7400 DF@7700" } },
        { "data band breaking before itself", groupedRows({ 500, 1 }, { 0, 0, 0, 0, false }),
            { Report({ Group(1, righe(1)), Group(2, righe(1)) }) },
            { "F", "F DH@1500 B@2000 DF@3000", "F DH@1500 B@2000 DF@3000" } },
    });
}

// The body lists the object showing the data source, a placeholder (listed whatever its letter
// case) and fixed text (never listed). The record's values: padding fields (many take the hashed
// path), then fields; the value at position n shows "n".
TEST(BindRecordValues, BindsTheLastValueWhoseFieldEndsTheDataSource)
{
    const std::tuple<const char *, QString, QStringList, int, QString> rows[] = {
        { "letter case, structure name and longer names", "Altro.[B.[nome]", { "NOME", "B.[NOME", "Cod" }, 0,
            "0=1|1=-" },
        { "full case mapping", "R.[Straße]", { "STRASSE" }, 0, "0=0|1=-" },
        { "many fields, the last of a field given twice", "R.[nome]", { "Nome", "NOME" }, 200, "0=201|1=-" },
    };
    for (const auto &[name, dataSource, names, padding, expected] : rows) {
        SCOPED_TRACE(name);
        TemplateText text = standardPage(kRowsOnly, { { Body, { 300 } } });
        ReportDocument doc
            = loadReport(text.object(Body, dataSource).object(Body, "[sys]").object(Body, ""), {});
        doc.pages = { LaidPage() };
        const int record = addRecord(doc, -1, 0, "R");
        for (int n = 0; n < padding + names.size(); ++n)
            addValue(doc, record, n < padding ? QStringLiteral("F%1").arg(n) : names[n - padding],
                QString::number(n));
        LayoutState state;
        bindRecordValues(doc, 0, placeBand(doc, 0, PlaceFrom::Top, Body, state, true), record);
        EXPECT_EQ(shown(doc, 0, Body), expected);
    }
}
