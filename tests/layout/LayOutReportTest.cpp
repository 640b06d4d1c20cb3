#include "layout/LayoutTestHelpers.h"
#include "layout/PageLayout.h"
#include "xml/RecordsetData.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace zet;
using namespace zet::test;

TEST(LayOutReport, PlacesTheDataBandsOfALevelOnceForEachRecordUnderTheFirstOutermostRecord)
{
    const RecordSet twoSets { "Report", {},
        { kGroupsOfRows.children[0], { "Altro", { "Nome" }, kRowsOnly.children } } };
    const Record altro { "Altro", { { "Nome", "Altro 1" } }, righe(3, 3) };
    expectPages({
        { "first record without children",
            standardPage(
                kRowsOnly, { { ReportHeader, { 1000 } }, { Body, { 500 } }, { ReportFooter, { 1000 } } }),
            { Report() }, { "F RH@1500 RF@2500" } },
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
    });
}

TEST(LayOutReport, EachPlacedBandShowsTheValuesOfItsOwnRecord)
{
    TemplateText text = standardPage(kThreeLevels,
        { { GroupHeader, { 100 } }, { DataHeader, { 100 } }, { Body, { 100 } }, { GroupFooter, { 100 } } });
    text.object(GroupHeader, "Gruppo.[Nome]").object(DataHeader, "X.[Totale]").object(Body, "Riga.[Nome]");
    const ReportDocument doc = laidOut(text.object(GroupFooter, "Gruppo.[Nome]"),
        { Report({ Group(1, { Data("T1", righe(1)) }), Group(2, { Data("T2", righe(1, 2)) }) }) });
    QStringList texts;
    for (const int slot : { GroupHeader, DataHeader, Body, GroupFooter })
        texts << shown(doc, 0, slot, 0) << shown(doc, 0, slot, 1);
    EXPECT_EQ(
        texts.join(", "), "0=Gruppo 1, 0=Gruppo 2, 1=T1, 1=T2, 2=Nome 1, 2=Nome 2, 3=Gruppo 1, 3=Gruppo 2");
}

TEST(LayOutReport, NoRecordsOrRecordsNestedFarDeeperThanTheBands)
{
    ReportDocument doc = loadReport(standardPage(kThreeLevels,
                                        { { GroupHeader, { 100 } }, { Body, { 100 } },
                                            { GroupFooter, { 100 } }, { ReportFooter, { 100 } } }),
        {});
    doc.records.clear();
    doc.values.clear();
    layOutReport(doc);
    EXPECT_EQ(outlines(doc), QStringList({ "F RF@1500" }));
    const QString names[] = { "Report", "Gruppo", "Dati", "Riga" };
    for (int level = 0; level < 10000; ++level)
        addRecord(doc, level - 1, level, names[std::min(level, 3)]);
    layOutReport(doc);
    EXPECT_EQ(outlines(doc), QStringList({ "F GH@1500 DH@1600 B@1600 DF@1700 GF@1700 RF@1800" }));
}

TEST(LayOutReport, TemplateWithoutBandTableIsRefused)
{
    try {
        laidOut(standardPage(kRowsOnly, { { Body, { 500 } } }).version(2), { Report(righe(2)) });
        FAIL() << "no error";
    } catch (const Error &error) {
        EXPECT_EQ(error.number(), Error::kNoBandTable);
        EXPECT_EQ(error.message(),
            "Impossibile impaginare il report: il modello non ha la tabella delle bande "
            "(ZETVersion 2; le bande si leggono solo dai modelli di versione 1 o inferiore)");
    }
}

TEST(LayOutReport, BrokenDocumentsEndInAnErrorNotAFault)
{
    struct Row
    {
        const char *name;
        std::function<void(ReportDocument &)> damage;
        int error;
    };
    const Row rows[] = {
        { "link one past the band table", [](ReportDocument &doc) { doc.bands[Body].linkNext = 12; }, 9 },
        { "object index past the objects", [](ReportDocument &doc) { doc.bands[Body].objectIndexes << 99; },
            9 },
        { "value index below 0", [](ReportDocument &doc) { doc.records[2].valueIndexes << -1; }, 9 },
        { "position beyond 32 bits", [](ReportDocument &doc) { doc.bands[Body].height = 1e12; }, 6 },
        { "page height not a number", [](ReportDocument &doc) { doc.pageHeight = std::nan(""); }, 6 },
        { "band too thin to fill the page with",
            [](ReportDocument &doc) {
                doc.bands[DataFooter].repeat = 1, doc.bands[DataFooter].height = 0.001;
            },
            6 },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TemplateText text
            = standardPage(kGroupsOfRows, { { Body, { 500, 0, 1 } }, { DataFooter, { 300, 0, 1 } } });
        ReportDocument doc
            = loadReport(text.object(Body, "Riga.[Nome]"), { Report({ Group(1, righe(40)) }) });
        row.damage(doc);
        try {
            layOutReport(doc);
            ADD_FAILURE() << "no error";
        } catch (const Error &error) {
            EXPECT_EQ(error.number(), row.error) << error.message().toStdString();
        }
    }
}
