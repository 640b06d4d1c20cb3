#include "layout/LayoutTestHelpers.h"
#include "layout/PageLayout.h"
#include "support/TemplateText.h"
#include "xml/RecordsetData.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace zet;
using namespace zet::test;

TEST(LayOutReport, FirstRecordWithoutChildrenGivesOnePageOfFixedBands)
{
    TemplateText text = StandardPage();
    text.band(ReportHeader, { 1000 }).band(Body, { 500 }).band(ReportFooter, { 1000 }).structure(RowsOnly());
    ReportDocument doc = LoadReport(text, { Report() });
    LayOutReport(doc);
    ASSERT_EQ(doc.Pages.size(), 1);
    EXPECT_EQ(Outline(doc, 0), "TM@0 PH@500 BM@9500 PF@8500 RH@1500 RF@2500");
    EXPECT_EQ(doc.Pages[0].FilledTo, 3500);
    EXPECT_EQ(doc.Pages[0].BodyLimit, 8500);
}

TEST(LayOutReport, NoRecordsPlacesOnlyTheFixedBands)
{
    TemplateText text = StandardPage();
    text.band(Body, { 500 }).band(ReportFooter, { 1000 }).structure(RowsOnly());
    ReportDocument doc = LoadReport(text, { Report() });
    doc.Records.clear();
    doc.Values.clear();
    LayOutReport(doc);
    EXPECT_EQ(Outline(doc, 0), "TM@0 PH@500 BM@9500 PF@8500 RF@1500");
}

TEST(LayOutReport, LaterOutermostRecordsAreIgnoredWithTheirDescendants)
{
    TemplateText text = StandardPage();
    text.band(Body, { 500 }).object(Body, "Riga.[Nome]").structure(RowsOnly());
    ReportDocument doc
        = LoadReport(text, { Report(Rows(2, "Riga", { "Nome" })), Report(Rows(3, "Riga", { "Nome" }, 3)) });
    ASSERT_EQ(doc.Records.size(), 7);
    LayOutReport(doc);
    ASSERT_EQ(doc.Pages.size(), 1);
    EXPECT_EQ(Outline(doc, 0), "TM@0 PH@500 BM@9500 PF@8500 B@1500 B@2000");
    EXPECT_EQ(Shown(doc, 0, 4), "Nome 1");
    EXPECT_EQ(Shown(doc, 0, 5), "Nome 2");
}

TEST(LayOutReport, RecordOfAnotherRecordSetIsSkippedWithItsDescendants)
{
    TemplateText text = StandardPage();
    text.band(DataHeader, { 300 }).band(Body, { 500 }).band(DataFooter, { 200 });
    text.object(DataHeader, "Gruppo.[Nome]");
    text.structure({ "Report", {},
        { { "Gruppo", { "Nome" }, { { "Riga", { "Nome" }, {} } } },
            { "Altro", { "Nome" }, { { "Riga", { "Nome" }, {} } } } } });
    const Record other { "Altro", { { "Nome", "Altro 1" } }, Rows(3, "Riga", { "Nome" }, 3) };
    ReportDocument doc = LoadReport(text, { Report({ Group(1, Rows(2, "Riga", { "Nome" })), other }) });
    LayOutReport(doc);
    EXPECT_EQ(doc.Bands[DataHeader].RecordsetName, "Gruppo");
    EXPECT_EQ(Outline(doc, 0), "TM@0 PH@500 BM@9500 PF@8500 DH@1500 B@1800 B@2300 DF@2800");
    EXPECT_EQ(Shown(doc, 0, 4), "Gruppo 1");
}

TEST(LayOutReport, DataBandThatIsNotVisibleStillTakesItsHeight)
{
    TemplateText text = StandardPage();
    text.band(GroupHeader, { 500 }).band(DataHeader, { 700, 0, 0, 0, false }).band(Body, { 1000 });
    text.structure(ThreeLevels());
    const Record data { "Dati", { { "Totale", "T" } }, Rows(2, "Riga", { "Nome" }) };
    ReportDocument doc = LoadReport(text, { Report({ Group(1, { data }) }) });
    LayOutReport(doc);
    EXPECT_EQ(Outline(doc, 0), "TM@0 PH@500 BM@9500 PF@8500 GH@1500 DH@2000 B@2700 B@3700 DF@4700 GF@4700");
}

TEST(LayOutReport, EachRecordBindsItsOwnValuesAtEveryLevel)
{
    TemplateText text = StandardPage();
    text.band(GroupHeader, { 100 }).band(DataHeader, { 100 }).band(Body, { 100 }).band(GroupFooter, { 100 });
    text.object(GroupHeader, "Gruppo.[Nome]").object(DataHeader, "X.[Totale]").object(Body, "Riga.[Nome]");
    text.object(GroupFooter, "Gruppo.[Nome]").structure(ThreeLevels());
    const Record first { "Dati", { { "Totale", "T1" } }, Rows(1, "Riga", { "Nome" }) };
    const Record second { "Dati", { { "Totale", "T2" } }, Rows(1, "Riga", { "Nome" }, 2) };
    ReportDocument doc = LoadReport(text, { Report({ Group(1, { first }), Group(2, { second }) }) });
    LayOutReport(doc);
    QStringList shown;
    for (int placed = 4; placed < doc.Pages[0].PlacedBands.size(); ++placed) {
        if (!doc.Pages[0].PlacedBands[placed].Items.isEmpty())
            shown.append(Shown(doc, 0, placed));
    }
    EXPECT_EQ(shown.join(", "), "Gruppo 1, T1, Nome 1, Gruppo 1, Gruppo 2, T2, Nome 2, Gruppo 2");
}

TEST(LayOutReport, TemplateWithoutBandTableIsRefused)
{
    TemplateText text = StandardPage();
    text.version(2).band(Body, { 500 }).structure(RowsOnly());
    ReportDocument doc = LoadReport(text, { Report(Rows(2, "Riga", { "Nome" })) });
    ASSERT_TRUE(doc.Bands.isEmpty());
    try {
        LayOutReport(doc);
        FAIL() << "no error";
    } catch (const Error &error) {
        EXPECT_EQ(error.number(), Error::kNoBandTable);
        EXPECT_EQ(error.message(),
            "Impossibile impaginare il report: il modello non ha la tabella delle bande "
            "(ZETVersion 2; le bande si leggono solo dai modelli di versione 1 o inferiore)");
    }
}

TEST(LayOutReport, RecordsNestedFarDeeperThanTheBandsAreSkipped)
{
    TemplateText text = StandardPage();
    text.band(GroupHeader, { 100 }).band(DataHeader, { 100 }).band(Body, { 100 }).band(DataFooter, { 100 });
    text.band(GroupFooter, { 100 }).structure(ThreeLevels());
    ReportDocument doc = LoadReport(text, { Report() });
    doc.Records.clear();
    doc.Values.clear();
    const QString names[] = { "Report", "Gruppo", "Dati", "Riga" };
    for (int level = 0; level < 10000; ++level)
        AddRecord(doc, level - 1, level, names[std::min(level, 3)]);
    NameDataBands(doc);
    LayOutReport(doc);
    ASSERT_EQ(doc.Pages.size(), 1);
    EXPECT_EQ(Outline(doc, 0), "TM@0 PH@500 BM@9500 PF@8500 GH@1500 DH@1600 B@1700 DF@1800 GF@1900");
}

TEST(LayOutReport, LayingOutTwiceGivesTheSamePages)
{
    TemplateText text = StandardPage();
    text.band(Body, { 1000, 0, 0, 1 }).band(ReportFooter, { 1000 }).structure(RowsOnly());
    ReportDocument doc = LoadReport(text, { Report(Rows(12, "Riga", { "Nome" })) });
    LayOutReport(doc);
    const QString first = Outline(doc, 0) + " / " + Outline(doc, 1);
    LayOutReport(doc);
    ASSERT_EQ(doc.Pages.size(), 2);
    EXPECT_EQ(Outline(doc, 0) + " / " + Outline(doc, 1), first);
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
        { "link past the band table", [](ReportDocument &doc) { doc.Bands[Body].LinkNext = 40; },
            Error::kSubscriptOutOfRange },
        { "object index past the objects",
            [](ReportDocument &doc) { doc.Bands[Body].ObjectIndexes.append(99); },
            Error::kSubscriptOutOfRange },
        { "value index past the values", [](ReportDocument &doc) { doc.Records[2].ValueIndexes.append(-3); },
            Error::kSubscriptOutOfRange },
        { "position beyond 32 bits", [](ReportDocument &doc) { doc.Bands[Body].Height = 1e12; },
            Error::kOverflow },
        { "page height not a number", [](ReportDocument &doc) { doc.PageHeight = std::nan(""); },
            Error::kOverflow },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TemplateText text = StandardPage();
        text.band(Body, { 500, 0, 1 }).band(DataFooter, { 300, 0, 1 }).structure(GroupsOfRows());
        text.object(Body, "Riga.[Nome]");
        ReportDocument doc = LoadReport(text, { Report({ Group(1, Rows(40, "Riga", { "Nome" })) }) });
        row.damage(doc);
        try {
            LayOutReport(doc);
            ADD_FAILURE() << "no error";
        } catch (const Error &error) {
            EXPECT_EQ(error.number(), row.error) << error.message().toStdString();
        }
    }
}
