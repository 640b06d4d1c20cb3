#include "template/BandTable.h"
#include "template/TemplateLoader.h"
#include "template/Vocabulary.h"

#include "TemplateText.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

namespace zet {
namespace {

using test::element;
using test::elements;

ReportDocument loaded(const QString &templateText)
{
    ReportDocument document;
    LoadTemplate(document, templateText);
    return document;
}

TEST(BandTable, EmptyTemplateHasOnlyTheTwoMarginBands)
{
    const ReportDocument document = loaded(QString());
    ASSERT_EQ(document.Bands.size(), 12);
    const int kinds[] = { -1, 1, 2, 3, -1, -1, -1, -1, -1, 5, 6, 7 };
    for (int slot = 0; slot < 12; ++slot) {
        SCOPED_TRACE(slot);
        const ReportBand &band = document.Bands[slot];
        EXPECT_EQ(band.Visible, slot == kSlotTopMargin || slot == kSlotBottomMargin);
        EXPECT_EQ(band.Height, 0);
        EXPECT_EQ(band.Kind, kinds[slot]);
        EXPECT_EQ(band.DataLevel, -1);
        EXPECT_EQ(band.StackTop, 0);
        EXPECT_EQ(band.DesignBottom, band.DesignTop);
        EXPECT_TRUE(band.ObjectIndexes.isEmpty());
        const double expectedTop = slot == 0 ? 0 : slot == 11 ? 2790 : slot == 1 ? 0 : 225 + 285 * (slot - 2);
        EXPECT_EQ(band.DesignTop, expectedTop);
    }
    EXPECT_EQ(document.Bands[kSlotPageHeader].DesignTop, 225);
    EXPECT_EQ(document.Bands[kSlotReportHeader].DesignTop, 510);
    EXPECT_EQ(document.Bands[kSlotGroupHeader].DesignTop, 795);
}

struct LevelCase
{
    const char *what;
    QStringList present;
    int kinds[5];
    int levels[5];
};

TEST(BandTable, DataKindsAndLevelsFollowWhichDataBandsArePresent)
{
    const LevelCase cases[] = {
        { "no data band", {}, { -1, -1, -1, -1, -1 }, { -1, -1, -1, -1, -1 } },
        { "body only", { "CorpoDati" }, { -1, -1, 4, -1, -1 }, { -1, -1, 1, -1, -1 } },
        { "data header and body", { "InizioDati", "CorpoDati" }, { -1, 4, 4, 4, -1 }, { -1, 1, 2, 1, -1 } },
        { "data footer only", { "FineDati" }, { -1, 4, 4, 4, -1 }, { -1, 1, 2, 1, -1 } },
        { "group footer without group header", { "FineGruppoDati" }, { 4, 4, 4, 4, 4 }, { 1, 2, 3, 2, 1 } },
        { "all five", { "InizioGruppoDati", "InizioDati", "CorpoDati", "FineDati", "FineGruppoDati" },
            { 4, 4, 4, 4, 4 }, { 1, 2, 3, 2, 1 } },
    };
    for (const LevelCase &c : cases) {
        SCOPED_TRACE(c.what);
        QString text;
        for (const QString &band : c.present)
            text += element(band, QStringLiteral("-1"));
        const ReportDocument document = loaded(text);
        for (int i = 0; i < 5; ++i) {
            const ReportBand &band = document.Bands[kSlotGroupHeader + i];
            EXPECT_EQ(band.Kind, c.kinds[i]) << "slot " << kSlotGroupHeader + i;
            EXPECT_EQ(band.DataLevel, c.levels[i]) << "slot " << kSlotGroupHeader + i;
            EXPECT_EQ(band.Visible, c.present.contains(key::kBandKeys[2 + i].Presence));
        }
    }
}

TEST(BandTable, ReadsHeightsBreaksNewPagesAndRepeats)
{
    const ReportDocument document = loaded(elements({
        { "MargineSuperiore", "500" },
        { "MargineInferiore", "400" },
        { "InizioReport", "1" },
        { "AltezzaInizioReport", "300" },
        { "InterruzioneInizioReport", "2" },
        { "CorpoDati", "vero" },
        { "AltezzaCorpoDati", "250.5" },
        { "InterruzioneCorpoDati", "1" },
        { "NuovaPaginaCorpoDati", "2" },
        { "ReplicaCorpoDati", "1" },
        { "FineDati", "1" },
        { "ReplicaFineDati", "3" }, // the lower-case f spelling is matched ignoring case
        { "FinePagina", "falso" },
        { "AltezzaFinePagina", "700" },
    }));
    const QList<ReportBand> &bands = document.Bands;
    EXPECT_EQ(bands[kSlotTopMargin].Height, 500);
    EXPECT_EQ(bands[kSlotBottomMargin].Height, 400);
    EXPECT_EQ(bands[kSlotReportHeader].Height, 300);
    EXPECT_EQ(bands[kSlotReportHeader].BreakMode, 2);
    EXPECT_EQ(bands[kSlotBody].Height, 250.5);
    EXPECT_EQ(bands[kSlotBody].BreakMode, 1);
    EXPECT_EQ(bands[kSlotBody].NewPage, 2);
    EXPECT_EQ(bands[kSlotBody].Repeat, 1);
    EXPECT_EQ(bands[kSlotDataFooter].Repeat, 3);
    EXPECT_FALSE(bands[kSlotPageFooter].Visible);
    EXPECT_EQ(bands[kSlotPageFooter].Height, 700);
}

TEST(BandTable, DesignAndStackPositionsCountOnlyVisibleHeights)
{
    const ReportDocument document = loaded(elements({
        { "MargineSuperiore", "500" }, { "MargineInferiore", "400" }, { "InizioPagina", "1" },
        { "AltezzaInizioPagina", "300" }, { "CorpoDati", "1" }, { "AltezzaCorpoDati", "200" },
        { "AltezzaFineReport", "999" }, // absent band: its height takes no room
    }));
    const struct
    {
        int slot;
        double designTop, designBottom, stackTop;
    } expected[] = {
        { kSlotTopMargin, 0, 500, 0 },
        { kSlotPageHeader, 725, 1025, 500 },
        { kSlotReportHeader, 1310, 1310, 0 },
        { kSlotGroupHeader, 1595, 1595, 0 },
        { kSlotDataHeader, 1880, 1880, 0 },
        { kSlotBody, 2165, 2365, 800 },
        { kSlotDataFooter, 2650, 2650, 0 },
        { kSlotReportFooter, 3220, 3220, 0 },
        { kSlotPageFooter, 3505, 3505, 0 },
        { kSlotBottomMargin, 3790, 4190, 1000 },
    };
    for (const auto &e : expected) {
        SCOPED_TRACE(e.slot);
        const ReportBand &band = document.Bands[e.slot];
        EXPECT_EQ(band.DesignTop, e.designTop);
        EXPECT_EQ(band.DesignBottom, e.designBottom);
        EXPECT_EQ(band.StackTop, e.stackTop);
    }
}

TEST(BandTable, DataBandsLinkToNeighboursThatRepeatOnANewPage)
{
    const ReportDocument document = loaded(elements({
        { "InizioGruppoDati", "1" },
        { "NuovaPaginaInizioGruppoDati", "1" },
        { "InizioDati", "1" },
        { "AltezzaInizioDati", "100" },
        { "NuovaPaginaInizioDati", "2" },
        { "CorpoDati", "1" },
        { "FineDati", "1" },
        { "AltezzaFineDati", "40" },
        { "NuovaPaginaFineDati", "1" },
        { "AltezzaFineGruppoDati", "70" }, // absent but kind 4: still walked over
        { "NuovaPaginaFineGruppoDati", "1" },
    }));
    const QList<ReportBand> &bands = document.Bands;
    EXPECT_EQ(bands[kSlotBody].LinkPrev, kSlotGroupHeader); // the earliest wins
    EXPECT_EQ(bands[kSlotBody].LinkNext, kSlotGroupFooter); // the last wins
    EXPECT_EQ(bands[kSlotBody].LinkHeight, 110);
    EXPECT_EQ(bands[kSlotGroupHeader].LinkPrev, -1);
    EXPECT_EQ(bands[kSlotGroupHeader].LinkNext, kSlotGroupFooter);
    EXPECT_EQ(bands[kSlotGroupHeader].LinkHeight, 210);
    // An invisible band gets no links of its own.
    EXPECT_EQ(bands[kSlotGroupFooter].LinkPrev, -1);
    EXPECT_EQ(bands[kSlotGroupFooter].LinkHeight, 0);
}

TEST(BandTable, VersionTwoOrMoreHasNoBandTable)
{
    for (const char *version : { "2", "1.5", "17" }) {
        SCOPED_TRACE(version);
        const ReportDocument document = loaded(elements({
            { "ZETVersion", version },
            { "CorpoDati", "1" },
            { "zet_object", elements({ { "ZETe_ControlType", "5" }, { "Alto", "0" } }) },
        }));
        EXPECT_TRUE(document.Bands.isEmpty());
        ASSERT_EQ(document.Objects.size(), 1);
        EXPECT_EQ(document.Objects[0].BandIndex, -1);
    }
    EXPECT_EQ(loaded(element("ZETVersion", "1.4")).Bands.size(), 12);
}

TEST(BandTable, AnIntegerKeyBeyond32BitsIsAnOverflow)
{
    ReportDocument document;
    try {
        LoadTemplate(document, element("InterruzioneCorpoDati", "&HFFFFFFFFF"));
        FAIL() << "no error";
    } catch (const Error &error) {
        EXPECT_EQ(error.number(), 6);
    }
}

} // namespace
} // namespace zet
