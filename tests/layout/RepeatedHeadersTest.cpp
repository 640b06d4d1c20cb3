#include "layout/LayoutTestHelpers.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

TEST(RepeatedHeaders, HeadersAboveABandThatStartsAPageShowTheirLastValuesOfThePageBefore)
{
    // Group bands; the group header carries NewPage, the data header none.
    // Objects: group header 0 "Gruppo.[Nome]" and 1 "[SYS]"; data header 2
    // "Dati.[Totale]" and 3 "[SYS]". A copy by list position would hand the
    // group's name to a placeholder listed alone.
    struct Row
    {
        const char *name;
        int newPage;
        QList<Record> groups;
        QStringList pages;
        QString groupHeader, dataHeader; // on page 2
    };
    const QList<Record> nineRows { Group(1, { Data("T1", righe(9)) }) };
    const QStringList ninePages { "F GH@1500 DH@2000 B@2500 B@3500 B@4500 B@5500 B@6500 B@7500",
        "F GH@1500 DH@2000 B@2500 B@3500 B@4500 DF@5500 GF@6000" };
    const Row rows[] = {
        { "without values", 1, nineRows, ninePages, "1=-", "3=-" },
        { "with values", 2, nineRows, ninePages, "0=Gruppo 1|1=-", "3=-" },
        { "the last group of the page before", 2,
            { Group(1, { Data("T1", righe(1)) }), Group(2, { Data("T2", righe(5, 2)) }) },
            { "F GH@1500 DH@2000 B@2500 DF@3500 GF@4000 GH@4500 DH@5000 B@5500 B@6500 B@7500",
                "F GH@1500 DH@2000 B@2500 B@3500 DF@4500 GF@5000" },
            "0=Gruppo 2|1=-", "3=-" },
        { "data footer starting a page gets only the group header", 2, { Group(1, { Data("T1", righe(6)) }) },
            { "F GH@1500 DH@2000 B@2500 B@3500 B@4500 B@5500 B@6500 B@7500", "F GH@1500 DF@2000 GF@2500" },
            "0=Gruppo 1|1=-", "none" },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TemplateText text = standardPage(kThreeLevels,
            { { GroupHeader, { 500, 0, row.newPage } }, { DataHeader, { 500 } }, { Body, { 1000 } },
                { DataFooter, { 500 } }, { GroupFooter, { 500 } } });
        text.object(GroupHeader, "Gruppo.[Nome]").object(GroupHeader, "[SYS]");
        text.object(DataHeader, "Dati.[Totale]").object(DataHeader, "[SYS]");
        const ReportDocument doc = laidOut(text, { Report(row.groups) });
        EXPECT_EQ(outlines(doc), row.pages);
        EXPECT_EQ(shown(doc, 1, GroupHeader), row.groupHeader);
        EXPECT_EQ(shown(doc, 1, DataHeader), row.dataHeader);
    }
}
