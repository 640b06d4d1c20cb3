#include "template/BandTable.h"

#include "TemplateTestHelpers.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

// Data levels of slots 4 to 8 (-1: not a data band) by which data bands are present.
TEST(BandTable, DataKindsAndLevelsFollowWhichDataBandsArePresent)
{
    const std::pair<const char *, QList<int>> cases[]
        = { { "", { -1, -1, -1, -1, -1 } }, { "<CorpoDati>-1</CorpoDati>", { -1, -1, 1, -1, -1 } },
              { "<InizioDati>1</InizioDati><CorpoDati>1</CorpoDati>", { -1, 1, 2, 1, -1 } },
              { "<FineDati>1</FineDati>", { -1, 1, 2, 1, -1 } },
              { "<FineGruppoDati>1</FineGruppoDati>", { 1, 2, 3, 2, 1 } } };
    for (const auto &[text, levels] : cases) {
        const ReportDocument document = loaded(QString::fromLatin1(text));
        QList<int> read;
        for (int slot = kSlotGroupHeader; slot <= kSlotGroupFooter; ++slot)
            read << (document.bands[slot].kind == BandKind::Data ? document.bands[slot].dataLevel : -1);
        EXPECT_EQ(read, levels) << text;
    }
}

TEST(BandTable, StacksOnlyVisibleHeightsAndSpacesTheDesignersBands)
{
    // The absent report header's height neither stacks nor moves the designer's bands.
    const QList<ReportBand> bands = loaded(
        elements({ { "MargineSuperiore", "500" }, { "MargineInferiore", "400" }, { "InizioPagina", "1" },
            { "AltezzaInizioPagina", "300" }, { "InizioReport", "falso" }, { "AltezzaInizioReport", "999" },
            { "CorpoDati", "vero" }, { "AltezzaCorpoDati", "250" }, { "FineDati", "1" },
            { "AltezzaFinePagina",
                "700" } })).bands;
    const std::tuple<int, double, double, double> expected[] = { // slot, design top and bottom, stack top
        { kSlotTopMargin, 0, 500, 0 }, { kSlotPageHeader, 725, 1025, 500 },
        { kSlotReportHeader, 1310, 1310, 0 }, { kSlotBody, 2165, 2415, 800 },
        { kSlotDataFooter, 2700, 2700, 1050 }, { kSlotPageFooter, 3555, 3555, 0 },
        { kSlotBottomMargin, 3840, 4240, 1050 }
    };
    for (const auto &[slot, designTop, designBottom, stackTop] : expected) {
        EXPECT_EQ(bands[slot].visible, stackTop > 0 || slot == kSlotTopMargin) << slot;
        EXPECT_EQ((QList<double> { bands[slot].designTop, bands[slot].designBottom, bands[slot].stackTop }),
            (QList<double> { designTop, designBottom, stackTop }))
            << slot;
    }
}

TEST(BandTable, DataBandsLinkToNeighboursThatRepeatOnANewPage)
{
    const QList<ReportBand> bands = loaded(
        elements({ { "InizioGruppoDati", "1" }, { "NuovaPaginaInizioGruppoDati", "1" }, { "InizioDati", "1" },
            { "AltezzaInizioDati", "100" }, { "NuovaPaginaInizioDati", "2" }, { "CorpoDati", "1" },
            { "FineDati", "1" }, { "AltezzaFineDati", "40" }, { "NuovaPaginaFineDati", "1" },
            { "AltezzaFineGruppoDati", "70" }, { "NuovaPaginaFineGruppoDati", "1" } }))
                                        .bands;
    // The farthest band wins; the absent group footer is still a data band but gets no links of its own.
    const ReportBand &body = bands[kSlotBody], &group = bands[kSlotGroupHeader];
    EXPECT_EQ((QList<double> { double(body.linkPrev), double(body.linkNext), body.linkHeight,
                  double(group.linkPrev), group.linkHeight, double(bands[kSlotGroupFooter].linkPrev) }),
        (QList<double> { kSlotGroupHeader, kSlotGroupFooter, 110, -1, 210, -1 }));
}
