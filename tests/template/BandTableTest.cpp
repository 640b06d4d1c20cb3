#include "template/BandTable.h"
#include "template/Vocabulary.h"

#include "TemplateTestHelpers.h"

#include <gtest/gtest.h>

namespace zet {
namespace {

using test::element;
using test::elements;
using test::loaded;

TEST(BandTable, AnEmptyTemplateHasOnlyTheMarginsVisible)
{
    const ReportDocument document = loaded(QString());
    ASSERT_EQ(document.bands.size(), 12);
    const int kinds[] = { -1, 1, 2, 3, -1, -1, -1, -1, -1, 5, 6, 7 };
    for (int slot = 0; slot < 12; ++slot) {
        SCOPED_TRACE(slot);
        const ReportBand &band = document.bands[slot];
        EXPECT_EQ(band.visible, slot == kSlotTopMargin || slot == kSlotBottomMargin);
        EXPECT_EQ(static_cast<int>(band.kind), kinds[slot]);
        EXPECT_EQ(band.dataLevel, -1);
        // Every band but the top margin takes a strip: 0, 225, 510, ... 2790.
        EXPECT_EQ(band.designTop, slot < 2 ? 0 : 225 + 285 * (slot - 2));
        EXPECT_EQ(band.designBottom, band.designTop);
    }
}

// Data levels of slots 4 to 8 (-1: an unused band) by which data bands are present.
TEST(BandTable, DataKindsAndLevelsFollowWhichDataBandsArePresent)
{
    const std::pair<QStringList, QList<int>> cases[] = { { {}, { -1, -1, -1, -1, -1 } },
        { { "CorpoDati" }, { -1, -1, 1, -1, -1 } }, { { "InizioDati", "CorpoDati" }, { -1, 1, 2, 1, -1 } },
        { { "FineDati" }, { -1, 1, 2, 1, -1 } }, { { "FineGruppoDati" }, { 1, 2, 3, 2, 1 } },
        { { "InizioGruppoDati", "InizioDati", "CorpoDati", "FineDati", "FineGruppoDati" },
            { 1, 2, 3, 2, 1 } } };
    for (const auto &[present, levels] : cases) {
        SCOPED_TRACE(present.join(' ').toStdString());
        QString text;
        for (const QString &band : present)
            text += element(band, QStringLiteral("-1"));
        const ReportDocument document = loaded(text);
        for (int i = 0; i < 5; ++i) {
            const ReportBand &band = document.bands[kSlotGroupHeader + i];
            EXPECT_EQ(band.dataLevel, levels[i]) << "slot " << kSlotGroupHeader + i;
            EXPECT_EQ(band.kind, levels[i] == -1 ? BandKind::Unused : BandKind::Data)
                << "slot " << kSlotGroupHeader + i;
            EXPECT_EQ(band.visible, present.contains(key::kBandKeys[2 + i].Presence));
        }
    }
}

TEST(BandTable, ReadsTheBandKeysAndStacksOnlyVisibleHeights)
{
    const ReportDocument document = loaded(elements({ { "MargineSuperiore", "500" },
        { "MargineInferiore", "400" }, { "InizioPagina", "1" }, { "AltezzaInizioPagina", "300" },
        { "InizioReport", "falso" }, { "AltezzaInizioReport", "999" }, { "InterruzioneInizioReport", "2" },
        { "CorpoDati", "vero" }, { "AltezzaCorpoDati", "250" }, { "InterruzioneCorpoDati", "1" },
        { "NuovaPaginaCorpoDati", "2" }, { "ReplicaCorpoDati", "1" }, { "FineDati", "1" },
        { "ReplicaFineDati", "3" }, { "AltezzaFineReport", "999" }, { "AltezzaFinePagina", "700" } }));
    const QList<ReportBand> &bands = document.bands;
    EXPECT_EQ(bands[kSlotReportHeader].height, 999); // read, though the band is not there
    EXPECT_EQ(bands[kSlotReportHeader].breakMode, BreakMode::After);
    EXPECT_EQ(bands[kSlotBody].breakMode, BreakMode::Before);
    EXPECT_EQ(bands[kSlotBody].newPage, NewPageMode::WithValues);
    EXPECT_EQ(bands[kSlotBody].repeat, 1);
    EXPECT_EQ(bands[kSlotDataFooter].repeat, 3); // its key's lower-case f matched ignoring case
    const std::tuple<int, double, double, double> expected[] = { // slot, design top and bottom, stack top
        { kSlotTopMargin, 0, 500, 0 }, { kSlotPageHeader, 725, 1025, 500 },
        { kSlotReportHeader, 1310, 1310, 0 }, { kSlotDataHeader, 1880, 1880, 0 },
        { kSlotBody, 2165, 2415, 800 }, { kSlotDataFooter, 2700, 2700, 1050 },
        { kSlotReportFooter, 3270, 3270, 0 }, { kSlotPageFooter, 3555, 3555, 0 },
        { kSlotBottomMargin, 3840, 4240, 1050 }
    };

    for (const auto &[slot, designTop, designBottom, stackTop] : expected) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(bands[slot].designTop, designTop);
        EXPECT_EQ(bands[slot].designBottom, designBottom);
        EXPECT_EQ(bands[slot].stackTop, stackTop);
    }
}

TEST(BandTable, DataBandsLinkToNeighboursThatRepeatOnANewPage)
{
    const ReportDocument document = loaded(
        elements({ { "InizioGruppoDati", "1" }, { "NuovaPaginaInizioGruppoDati", "1" }, { "InizioDati", "1" },
            { "AltezzaInizioDati", "100" }, { "NuovaPaginaInizioDati", "2" }, { "CorpoDati", "1" },
            { "FineDati", "1" }, { "AltezzaFineDati", "40" }, { "NuovaPaginaFineDati", "1" },
            { "AltezzaFineGruppoDati", "70" }, { "NuovaPaginaFineGruppoDati", "1" } }));
    const QList<ReportBand> &bands = document.bands;
    // The farthest band wins; the absent group footer is still a data band.
    EXPECT_EQ(bands[kSlotBody].linkPrev, kSlotGroupHeader);
    EXPECT_EQ(bands[kSlotBody].linkNext, kSlotGroupFooter);
    EXPECT_EQ(bands[kSlotBody].linkHeight, 110);
    EXPECT_EQ(bands[kSlotGroupHeader].linkPrev, -1);
    EXPECT_EQ(bands[kSlotGroupHeader].linkHeight, 210);
    EXPECT_EQ(bands[kSlotGroupFooter].linkPrev, -1); // an absent band gets no links of its own
}

TEST(BandTable, VersionTwoOrMoreHasNoBandTable)
{
    for (const char *version : { "2", "1.5", "17" })
        EXPECT_TRUE(loaded(element("ZETVersion", version) + element("CorpoDati", "1")).bands.isEmpty())
            << version;
    EXPECT_EQ(loaded(element("ZETVersion", "1.4")).bands.size(), 12);
}

} // namespace
} // namespace zet
