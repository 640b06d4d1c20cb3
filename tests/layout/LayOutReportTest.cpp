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
        { kGroupsOfRows.Children[0], { "Altro", { "Nome" }, kRowsOnly.Children } } };
    const Record altro { "Altro", { { "Nome", "Altro 1" } }, Righe(3, 3) };
    ExpectPages({
        { "first record without children",
            StandardPage(
                kRowsOnly, { { ReportHeader, { 1000 } }, { Body, { 500 } }, { ReportFooter, { 1000 } } }),
            { Report() }, { "F RH@1500 RF@2500" } },
        { "later outermost records ignored with their descendants",
            StandardPage(kRowsOnly, { { Body, { 500 } } }), { Report(Righe(2)), Report(Righe(3, 3)) },
            { "F B@1500 B@2000" } },
        { "record of another record set skipped with its descendants",
            StandardPage(twoSets, { { DataHeader, { 300 } }, { Body, { 500 } }, { DataFooter, { 200 } } }),
            { Report({ Group(1, Righe(2)), altro }) }, { "F DH@1500 B@1800 B@2300 DF@2800" } },
        { "data band that is not visible takes its height",
            StandardPage(kThreeLevels,
                { { GroupHeader, { 500 } }, { DataHeader, { 700, 0, 0, 0, false } }, { Body, { 1000 } } }),
            { Report({ Group(1, { Data("T", Righe(2)) }) }) },
            { "F GH@1500 DH@2000 B@2700 B@3700 DF@4700 GF@4700" } },
    });
}

TEST(LayOutReport, EachPlacedBandShowsTheValuesOfItsOwnRecord)
{
    TemplateText text = StandardPage(kThreeLevels,
        { { GroupHeader, { 100 } }, { DataHeader, { 100 } }, { Body, { 100 } }, { GroupFooter, { 100 } } });
    text.object(GroupHeader, "Gruppo.[Nome]").object(DataHeader, "X.[Totale]").object(Body, "Riga.[Nome]");
    const ReportDocument doc = LaidOut(text.object(GroupFooter, "Gruppo.[Nome]"),
        { Report({ Group(1, { Data("T1", Righe(1)) }), Group(2, { Data("T2", Righe(1, 2)) }) }) });
    QStringList shown;
    for (const int slot : { GroupHeader, DataHeader, Body, GroupFooter })
        shown << Shown(doc, 0, slot, 0) << Shown(doc, 0, slot, 1);
    EXPECT_EQ(
        shown.join(", "), "0=Gruppo 1, 0=Gruppo 2, 1=T1, 1=T2, 2=Nome 1, 2=Nome 2, 3=Gruppo 1, 3=Gruppo 2");
}

TEST(LayOutReport, NoRecordsOrRecordsNestedFarDeeperThanTheBands)
{
    ReportDocument doc = LoadReport(StandardPage(kThreeLevels,
                                        { { GroupHeader, { 100 } }, { Body, { 100 } },
                                            { GroupFooter, { 100 } }, { ReportFooter, { 100 } } }),
        {});
    doc.Records.clear();
    doc.Values.clear();
    LayOutReport(doc);
    EXPECT_EQ(Outlines(doc), QStringList({ "F RF@1500" }));
    const QString names[] = { "Report", "Gruppo", "Dati", "Riga" };
    for (int level = 0; level < 10000; ++level)
        AddRecord(doc, level - 1, level, names[std::min(level, 3)]);
    LayOutReport(doc);
    EXPECT_EQ(Outlines(doc), QStringList({ "F GH@1500 DH@1600 B@1600 DF@1700 GF@1700 RF@1800" }));
}

TEST(LayOutReport, TemplateWithoutBandTableIsRefused)
{
    try {
        LaidOut(StandardPage(kRowsOnly, { { Body, { 500 } } }).version(2), { Report(Righe(2)) });
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
        { "link one past the band table", [](ReportDocument &doc) { doc.Bands[Body].LinkNext = 12; }, 9 },
        { "object index past the objects", [](ReportDocument &doc) { doc.Bands[Body].ObjectIndexes << 99; },
            9 },
        { "value index below 0", [](ReportDocument &doc) { doc.Records[2].ValueIndexes << -1; }, 9 },
        { "position beyond 32 bits", [](ReportDocument &doc) { doc.Bands[Body].Height = 1e12; }, 6 },
        { "page height not a number", [](ReportDocument &doc) { doc.PageHeight = std::nan(""); }, 6 },
        { "band too thin to fill the page with",
            [](ReportDocument &doc) {
                doc.Bands[DataFooter].Repeat = 1, doc.Bands[DataFooter].Height = 0.001;
            },
            6 },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TemplateText text
            = StandardPage(kGroupsOfRows, { { Body, { 500, 0, 1 } }, { DataFooter, { 300, 0, 1 } } });
        ReportDocument doc
            = LoadReport(text.object(Body, "Riga.[Nome]"), { Report({ Group(1, Righe(40)) }) });
        row.damage(doc);
        try {
            LayOutReport(doc);
            ADD_FAILURE() << "no error";
        } catch (const Error &error) {
            EXPECT_EQ(error.number(), row.error) << error.message().toStdString();
        }
    }
}
