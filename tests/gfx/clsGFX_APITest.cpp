#include "gfx/clsGFX_API.h"

#include "GfxProbe.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

using namespace zet;
using zet::test::whiteCanvas;

namespace {

ReportFont fontOf(const QString &name, double size, bool bold = false)
{
    ReportFont font;
    font.Name = name;
    font.Size = size;
    font.setBold(bold);
    return font;
}

} // namespace

struct FontHeightCase
{
    const char *name;
    int scaleMode;
    int dpi;
    double points;
    int height; // logical units, negative: character height
};

class FontHeight : public ::testing::TestWithParam<FontHeightCase>
{
};

TEST_P(FontHeight, FollowsTheMapping)
{
    const FontHeightCase &row = GetParam();
    QImage image = whiteCanvas(10, 10, row.dpi);
    DeviceContext dc(&image);
    clsGFX_API api;
    api.HDC_Attach(&dc);
    api.Config_SetScaleMode(row.scaleMode);
    ASSERT_TRUE(api.Text_SetFont(fontOf(QStringLiteral("Arial"), row.points)));
    EXPECT_EQ(dc.font().height, row.height);
    EXPECT_EQ(dc.qfont().pixelSize(), -row.height);
}

INSTANTIATE_TEST_SUITE_P(TextSetFont, FontHeight,
    ::testing::Values(FontHeightCase { "Twips10pt", -1, 96, 10, -200 },
        FontHeightCase { "TwipsKeepsHalfPoints", -1, 96, 10.5, -210 },
        FontHeightCase { "TwipsTemplateDefault", -1, 300, 8.25, -165 },
        FontHeightCase { "TwipsFourDecimals", -1, 96, 9.99996, -200 },
        FontHeightCase { "Pixels10ptAt96", 1, 96, 10, -13 },
        FontHeightCase { "PixelsRoundHalfPointToEven", 1, 96, 10.5, -13 },
        FontHeightCase { "PixelsRoundHalfPointUp", 1, 96, 11.5, -16 },
        FontHeightCase { "Pixels10ptAt300", 1, 300, 10, -42 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TextSetFont, WeightIsEightHundredWhenBoldElseFourHundred)
{
    QImage image = whiteCanvas(10, 10);
    DeviceContext dc(&image);
    clsGFX_API api;
    api.HDC_Attach(&dc);
    ReportFont font = fontOf(QStringLiteral("Arial"), 10, true);
    font.Italic = true;
    font.Underline = true;
    ASSERT_TRUE(api.Text_SetFont(font));
    EXPECT_EQ(dc.font().weight, 800);
    EXPECT_TRUE(dc.font().italic);
    EXPECT_TRUE(dc.font().underline);
    EXPECT_FALSE(dc.font().strikeOut);
    EXPECT_TRUE(dc.qfont().bold());
    ASSERT_TRUE(api.Text_SetFont(fontOf(QStringLiteral("Arial"), 10, false)));
    EXPECT_EQ(dc.font().weight, 400);
}

TEST(TextSetFont, AngleBecomesTenthsOfADegree)
{
    QImage image = whiteCanvas(10, 10);
    DeviceContext dc(&image);
    clsGFX_API api;
    api.HDC_Attach(&dc);
    ASSERT_TRUE(api.Text_SetFont(fontOf(QStringLiteral("Arial"), 10), 45.25));
    EXPECT_EQ(dc.font().escapement, 452); // 452.5 rounds half to even
}

TEST(TextSetFont, NullFontFailsAndChangesNothing)
{
    QImage image = whiteCanvas(10, 10);
    DeviceContext dc(&image);
    clsGFX_API api;
    api.HDC_Attach(&dc);
    const GdiFont before = dc.font();
    EXPECT_FALSE(api.Text_SetFont(nullptr));
    EXPECT_EQ(dc.font(), before);
}

TEST(TextSetFont, FaceNameOverThirtyOneCharactersIsAnIndexError)
{
    QImage image = whiteCanvas(10, 10);
    DeviceContext dc(&image);
    clsGFX_API api;
    api.HDC_Attach(&dc);
    EXPECT_TRUE(api.Text_SetFont(fontOf(QString(31, u'a'), 10)));
    try {
        api.Text_SetFont(fontOf(QString(32, u'a'), 10));
        FAIL() << "no error";
    } catch (const Error &error) {
        EXPECT_EQ(error.number(), 9);
    }
}

TEST(TextGetSizeApprox, IsZeroBeforeAnyFontThenCharactersTimesAverageWidth)
{
    QImage image = whiteCanvas(10, 10);
    DeviceContext dc(&image);
    clsGFX_API api;
    api.HDC_Attach(&dc);
    int width = -1;
    int height = -1;
    api.Text_GetSizeApprox(QStringLiteral("abcd"), width, height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    api.Config_SetScaleMode(-1);
    ASSERT_TRUE(api.Text_SetFont(fontOf(QStringLiteral("Arial"), 10)));
    api.Text_GetSizeApprox(QStringLiteral("abcd"), width, height);
    EXPECT_EQ(height, api.Text_GetMetrics().height);
    EXPECT_GT(height, 200); // cell: character height plus internal leading
    EXPECT_LT(height, 260);
    EXPECT_EQ(width, 4 * api.Text_GetMetrics().aveCharWidth);
    EXPECT_GT(width, 4 * 60);
}

TEST(SavedObjects, RestoreBringsBackWhatWasSelectedBefore)
{
    QImage image = whiteCanvas(10, 10);
    DeviceContext dc(&image);
    const GdiPen pen0 = dc.pen();
    const GdiBrush brush0 = dc.brush();
    const GdiFont font0 = dc.font();
    clsGFX_API api;
    api.HDC_Attach(&dc);
    api.Draw_SelectPen(0, 3, 255);
    api.Draw_SelectPen(0, 5, 255);
    api.Draw_SelectBrush(0, 0, 255);
    api.Draw_SelectBrush(2, 3, 0xFF00);
    EXPECT_EQ(dc.brush(), (GdiBrush { 2, 3, 0xFF00 }));
    ASSERT_TRUE(api.Text_SetFont(fontOf(QStringLiteral("Arial"), 10)));
    ASSERT_TRUE(api.Text_SetFont(fontOf(QStringLiteral("Arial"), 12)));
    EXPECT_EQ(dc.pen(), (GdiPen { 0, 5, 255 }));
    api.Draw_RestorePen();
    EXPECT_EQ(dc.pen(), pen0);
    api.Draw_RestorePen(); // nothing held: no change
    EXPECT_EQ(dc.pen(), pen0);
    api.HDC_Detach();
    EXPECT_EQ(dc.brush(), brush0);
    EXPECT_EQ(dc.font(), font0);
    EXPECT_EQ(api.HDC_Get(), &dc);
    EXPECT_EQ(api.Text_GetMetrics(), dc.textMetrics());
}

TEST(SavedObjects, DestructionRestoresAndWrappersNest)
{
    QImage image = whiteCanvas(10, 10);
    DeviceContext dc(&image);
    const GdiPen pen0 = dc.pen();
    const GdiBrush brush0 = dc.brush();
    {
        clsGFX_API outer;
        outer.HDC_Attach(&dc);
        outer.Draw_SelectPen(0, 1, 255);
        {
            clsGFX_API inner;
            inner.HDC_Attach(&dc);
            inner.Draw_SelectPen(0, 7, 0);
            inner.Draw_SelectBrush(1, 0, 0);
            EXPECT_EQ(dc.pen().width, 7);
        }
        EXPECT_EQ(dc.pen(), (GdiPen { 0, 1, 255 }));
        EXPECT_EQ(dc.brush(), brush0);
    }
    EXPECT_EQ(dc.pen(), pen0);
}

TEST(TextSetColor, ModesSetOrLeaveTheBackground)
{
    QImage image = whiteCanvas(10, 10);
    DeviceContext dc(&image);
    clsGFX_API api;
    api.HDC_Attach(&dc);
    api.Text_SetColor(255, 0xFF00, 2);
    EXPECT_EQ(dc.backgroundMode(), gdi::kBkOpaque);
    EXPECT_EQ(dc.backgroundColour(), 0xFF00);
    EXPECT_EQ(dc.textColour(), 255);
    api.Text_SetColor(1, 0xFF, 1);
    EXPECT_EQ(dc.backgroundMode(), gdi::kBkTransparent);
    EXPECT_EQ(dc.backgroundColour(), 0xFF00);
    api.Text_SetColor(2, 0xFF, 0);
    EXPECT_EQ(dc.backgroundMode(), gdi::kBkTransparent);
    EXPECT_EQ(dc.textColour(), 2);
}

TEST(ScaleMode, PixelMappingResetsTheExtentsSoFontsArePixelSized)
{
    QImage image = whiteCanvas(10, 10);
    DeviceContext dc(&image);
    clsGFX_API api;
    api.HDC_Attach(&dc);
    api.Config_SetScaleMode(-1);
    EXPECT_EQ(dc.mapMode(), 8);
    EXPECT_EQ(dc.windowExtent(), QSize(1440, 1440));
    EXPECT_EQ(dc.viewportExtent(), QSize(96, 96));
    api.Config_SetScaleMode(1);
    EXPECT_EQ(dc.mapMode(), 1);
    ASSERT_TRUE(api.Text_SetFont(fontOf(QStringLiteral("Arial"), 10)));
    EXPECT_EQ(dc.font().height, -13);
    EXPECT_EQ(dc.toDevice(QPoint(1440, 15)), QPoint(1440, 15));
}

TEST(ArcDirection, SetterReturnsThePreviousDirection)
{
    QImage image = whiteCanvas(10, 10);
    DeviceContext dc(&image);
    clsGFX_API api;
    api.HDC_Attach(&dc);
    EXPECT_EQ(api.Config_GetArcDirection(), 1);
    EXPECT_EQ(api.Config_SetArcDirection(2), 1);
    EXPECT_EQ(api.Config_GetArcDirection(), 2);
    EXPECT_EQ(api.Config_SetArcDirection(7), 2); // not a direction: ignored
    EXPECT_EQ(api.Config_GetArcDirection(), 2);
}
