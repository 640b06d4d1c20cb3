#include "layout/LayoutTestHelpers.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

namespace {

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

} // namespace

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
            QStringList({ QStringLiteral("0=Nome %1|1=-").arg(count), firstCopy }));
        // The fill leaves the page's own measures as layout closed it.
        EXPECT_EQ(doc.pages[0].filledTo, 1500 + count * height + footer);
    }
}
