#include "layout/PageLayout.h"
#include "support/TemplateText.h"
#include "xml/RecordsetData.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>

using namespace zet;
using namespace zet::test;

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// A page 10000 twips high with margins of 500 and a page header and footer of
// 1000 each, so that every page's flow runs from 1500 down to 8500.
TemplateText standardPage(const RecordSet &structure, const QList<std::pair<Slot, BandShape>> &bands)
{
    TemplateText text;
    text.page(10000, 500, 500).band(PageHeader, { 1000 }).band(PageFooter, { 1000 }).structure(structure);
    for (const auto &[slot, shape] : bands)
        text.band(slot, shape);
    return text;
}

// Record-set structures under Report: Riga records (body only); Gruppo
// holding Riga (data header and footer with the body); Gruppo, Dati, Riga
// (group bands). Fields: Nome, and Totale for Dati.
const RecordSet kRowsOnly { "Report", {}, { { "Riga", { "Nome" }, {} } } };
const RecordSet kGroupsOfRows { "Report", {}, { { "Gruppo", { "Nome" }, kRowsOnly.children } } };
const RecordSet kThreeLevels { "Report", {},
    { { "Gruppo", { "Nome" }, { { "Dati", { "Totale" }, kRowsOnly.children } } } } };

// Records of those structures; righe(count, first) shows "Nome first", "Nome first+1", ...
const auto Report = [](const QList<Record> &children = {}) { return Record { "Report", {}, children }; };
const auto Group = [](int n, const QList<Record> &children) {
    return Record { "Gruppo", { { "Nome", u"Gruppo %1"_s.arg(n) } }, children };
};
const auto Data = [](const QString &total, const QList<Record> &rows) {
    return Record { "Dati", { { "Totale", total } }, rows };
};
const auto righe = [](int count, int first = 1) { return rows(count, "Riga", { "Nome" }, first); };

ReportDocument laidOut(const TemplateText &text, const QList<Record> &records)
{
    ReportDocument document = loadReport(text, records);
    layOutReport(document);
    return document;
}

// Each page as "SLOT@TOP" words in placing order, slots named TM PH RH GH DH B
// DF GF RF PF BM, with the standard page's fixed bands written "F":
// "F B@1500 B@2500".
QStringList outlines(const ReportDocument &document)
{
    static const char *const kNames[]
        = { "?", "TM", "PH", "RH", "GH", "DH", "B", "DF", "GF", "RF", "PF", "BM" };
    QStringList pages;
    for (const LaidPage &page : document.pages) {
        QString words;
        for (const PlacedBand &placed : page.placedBands)
            words += u" %1@%2"_s.arg(kNames[std::clamp(placed.bandIndex, 0, 11)]).arg(placed.top);
        pages.append(words.replace(" TM@0 PH@500 BM@9500 PF@8500", "F").trimmed());
    }
    return pages;
}

// The items of the n-th (from 0) copy of slot on the page as "object=value",
// "-" for an item without a value: "0=Gruppo 1|1=-"; "none" without such a copy.
QString shown(const ReportDocument &document, int page, int slot, int n = 0)
{
    for (const PlacedBand &placed : document.pages.at(page).placedBands) {
        if (placed.bandIndex != slot || n-- > 0)
            continue;
        QStringList shown;
        for (const PlacedItem &item : placed.items)
            shown.append(u"%1=%2"_s.arg(item.objectIndex)
                             .arg(item.valueIndex < 0 ? u"-"_s : document.values.at(item.valueIndex).value));
        return shown.join(QLatin1Char('|'));
    }
    return u"none"_s;
}

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

// Group bands, one of them carrying NewPage. Objects: group header 0 "Gruppo.[Nome]", 1 "[SYS]";
// data header 2 "Dati.[Totale]", 3 "[SYS]"; group footer 4 "Gruppo.[Nome]", 5 "[SYS]"; data
// footer 6 "[SYS]", 7 "Dati.[Totale]".
TemplateText groupBands(Slot linked, int newPage)
{
    QList<std::pair<Slot, BandShape>> bands { { GroupHeader, { 500 } }, { DataHeader, { 500 } },
        { Body, { 1000 } }, { DataFooter, { 500 } }, { GroupFooter, { 500 } } };
    for (auto &[slot, shape] : bands)
        shape.newPage = slot == linked ? newPage : 0;
    TemplateText text = standardPage(kThreeLevels, bands);
    text.object(GroupHeader, "Gruppo.[Nome]").object(GroupHeader, "[SYS]");
    text.object(DataHeader, "Dati.[Totale]").object(DataHeader, "[SYS]");
    text.object(GroupFooter, "Gruppo.[Nome]").object(GroupFooter, "[SYS]");
    return text.object(DataFooter, "[SYS]").object(DataFooter, "Dati.[Totale]");
}

std::string layoutError(ReportDocument &document)
{
    return errorText([&] { layOutReport(document); });
}

} // namespace

TEST(LayOutReport, RecordsNestedFarDeeperThanTheBands)
{
    const BandShape thin { 100 };
    ReportDocument doc = loadReport(
        standardPage(kThreeLevels,
            { { GroupHeader, thin }, { Body, thin }, { GroupFooter, thin }, { ReportFooter, thin } }),
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
    doc.pageHeight = NAN;
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
    // Name, template, data, pages as outlines() gives them; laid out twice (a second run starts from
    // nothing).
    const std::tuple<const char *, TemplateText, QList<Record>, QStringList> cases[] = {
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
        { "report header breaking before itself opens page 1", rows({ 1000, 1 }, none), one,
            { "F RH@1500 B@2500" } },
        { "report header, break mode 7 (no flag)", rows({ 1000, 7 }, none), one, { "F RH@1500 B@2500" } },
        { "report header breaking around", rows({ 1000, 3 }, none), one, { "F RH@1500", "F B@1500" } },
        { "last band breaking after, no footer", groupedRows({ 500 }, { 500, 2 }), oneGroup,
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
    };
    for (const auto &[name, text, records, pages] : cases) {
        ReportDocument document = laidOut(text, records);
        layOutReport(document);
        EXPECT_EQ(outlines(document), pages) << name;
    }
}

// The body lists the object showing the data source, a placeholder (listed whatever its letter
// case) and fixed text (never listed). The record's values: padding fields (many take the hashed
// path), then fields; the value at position n shows "n".
TEST(BindRecordValues, BindsTheLastValueWhoseFieldEndsTheDataSource)
{
    const std::tuple<const char *, QString, QStringList, int, QString> rows[] = {
        { "case, set name, longer names", "Altro.[B.[nome]", { "NOME", "B.[NOME", "Cod" }, 0, "0=1|1=-" },
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
            addValue(doc, record, n < padding ? u"F%1"_s.arg(n) : names[n - padding], QString::number(n));
        LayoutState state;
        bindRecordValues(doc, 0, placeBand(doc, 0, PlaceFrom::Top, Body, state, true), record);
        EXPECT_EQ(shown(doc, 0, Body), expected);
    }
}

// A copy by list position would hand the group's name to a placeholder listed alone.
TEST(RepeatedHeaders, HeadersAboveABandThatStartsAPageShowTheirLastValuesOfThePageBefore)
{
    const QList<Record> nineRows { Group(1, { Data("T1", righe(9)) }) };
    const QStringList ninePages { "F GH@1500 DH@2000 B@2500 B@3500 B@4500 B@5500 B@6500 B@7500",
        "F GH@1500 DH@2000 B@2500 B@3500 B@4500 DF@5500 GF@6000" };
    // name, NewPage of the group header, groups, pages, group and data header on page 2
    const std::tuple<const char *, int, QList<Record>, QStringList, QString, QString> rows[] = {
        { "without values", 1, nineRows, ninePages, "1=-", "3=-" },
        { "with values", 2, nineRows, ninePages, "0=Gruppo 1|1=-", "3=-" },
        { "NewPage 5, an unknown mode, repeats without values", 5, nineRows, ninePages, "1=-", "3=-" },
        { "the last group of the page before", 2,
            { Group(1, { Data("T1", righe(1)) }), Group(2, { Data("T2", righe(5, 2)) }) },
            { "F GH@1500 DH@2000 B@2500 DF@3500 GF@4000 GH@4500 DH@5000 B@5500 B@6500 B@7500",
                "F GH@1500 DH@2000 B@2500 B@3500 DF@4500 GF@5000" },
            "0=Gruppo 2|1=-", "3=-" },
        { "data footer starting a page gets only the group header", 2, { Group(1, { Data("T1", righe(6)) }) },
            { "F GH@1500 DH@2000 B@2500 B@3500 B@4500 B@5500 B@6500 B@7500", "F GH@1500 DF@2000 GF@2500" },
            "0=Gruppo 1|1=-", "none" },
    };
    for (const auto &[name, newPage, groups, pages, groupHeader, dataHeader] : rows) {
        SCOPED_TRACE(name);
        const ReportDocument doc = laidOut(groupBands(GroupHeader, newPage), { Report(groups) });
        EXPECT_EQ(outlines(doc), pages);
        EXPECT_EQ(QStringList({ shown(doc, 1, GroupHeader), shown(doc, 1, DataHeader) }),
            QStringList({ groupHeader, dataHeader }));
    }
}

// With NewPage 1 the continued group footer lists its placeholder alone, which
// a copy of the closing footer's values by list position would hand the
// group's name. The sixth row does not fit together with the group footer.
TEST(ContinuedBands, FootersGoUnderTheLastRowThatFitsWithThemAndShowTheClosingValues)
{
    const QList<Record> sevenRows { Report({ Group(1, { Data("T1", righe(7)) }) }) };
    for (const auto &[newPage, continued] : { std::pair { 1, "5=-" }, { 2, "4=Gruppo 1|5=-" } }) {
        SCOPED_TRACE(newPage);
        const ReportDocument doc = laidOut(groupBands(GroupFooter, newPage), sevenRows);
        EXPECT_EQ(outlines(doc),
            QStringList({ "F GH@1500 DH@2000 B@2500 B@3500 B@4500 B@5500 B@6500 DF@7500 GF@8000",
                "F B@1500 B@2500 DF@3500 GF@4000" }));
        EXPECT_EQ(QStringList({ shown(doc, 0, GroupFooter), shown(doc, 0, DataFooter),
                      shown(doc, 1, GroupFooter), shown(doc, 1, DataFooter) }),
            QStringList({ continued, "6=-", "4=Gruppo 1|5=-", "6=-|7=T1" }));
        EXPECT_TRUE(doc.dataPlacements.isEmpty());
    }
}

TEST(RepeatedBandFill, FillsTheFreeSpaceWithBlankCopiesUnderTheLastCopy)
{
    // The body shows 0 "Riga.[Nome]", 1 "[SYS]". Name, body height, rows, report footer, page, first copy:
    const std::tuple<const char *, double, int, double, QString, QString> rows[] = {
        { "exactly one height free", 1000, 6, 0, "F B@1500 B@2500 B@3500 B@4500 B@5500 B@6500", "none" },
        { "exactly two heights free", 1000, 5, 0, "F B@1500 B@2500 B@3500 B@4500 B@5500 B@6500 B@7500",
            "1=-" },
        { "a little more than one height free", 1300, 4, 0, "F B@1500 B@2800 B@4100 B@5400 B@6700", "1=-" },
        { "bands below move down by the height added", 1000, 4, 1000,
            "F B@1500 B@2500 B@3500 B@4500 RF@7500 B@5500 B@6500", "1=-" },
        { "height 0", 0, 3, 0, "F B@1500 B@1500 B@1500", "none" },
        { "negative height", -250, 3, 0, "F B@1500 B@1250 B@1000", "none" },
    };
    for (const auto &[name, height, count, footer, page, firstCopy] : rows) {
        SCOPED_TRACE(name);
        TemplateText text = standardPage(
            kRowsOnly, { { Body, { height, 0, 0, 1 } }, { ReportFooter, { footer, 0, 0, 0, footer > 0 } } });
        const ReportDocument doc
            = laidOut(text.object(Body, "Riga.[Nome]").object(Body, "[SYS]"), { Report(righe(count)) });
        EXPECT_EQ(outlines(doc), QStringList({ page }));
        EXPECT_EQ(QStringList({ shown(doc, 0, Body, count - 1), shown(doc, 0, Body, count) }),
            QStringList({ u"0=Nome %1|1=-"_s.arg(count), firstCopy }));
        // The fill leaves the page's own measures as layout closed it.
        EXPECT_EQ(doc.pages[0].filledTo, 1500 + count * height + footer);
    }
}
