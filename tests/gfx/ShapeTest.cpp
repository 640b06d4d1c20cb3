#include "gfx/DeviceContext.h"
#include "gfx/clsGFX_API.h"

#include "GfxProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using zet::test::hasInk;
using zet::test::inkColumns;
using zet::test::isWhite;
using zet::test::whiteCanvas;

namespace {

constexpr int kBlack = 0;
constexpr int kRed = 0x0000FF;
constexpr int kBlue = 0xFF0000;
const QRgb kBlueRgb = qRgb(0, 0, 255);
const QRgb kRedRgb = qRgb(255, 0, 0);

// A 96 dpi canvas with a wrapper attached, in the pixel or the twips mapping.
struct Canvas
{
    QImage image;
    DeviceContext dc;
    clsGFX_API api;

    explicit Canvas(int scaleMode = 1, int size = 100)
        : image(whiteCanvas(size, size))
        , dc(&image)
    {
        api.HDC_Attach(&dc);
        api.Config_SetScaleMode(scaleMode);
    }
    const QImage &finished()
    {
        dc.endPainting();
        return image;
    }
};

} // namespace

TEST(Shapes, LineLeavesItsEndPixelOut)
{
    Canvas c;
    c.api.Draw_Line(10, 10, 20, 10);
    c.api.Draw_Line(10, 30, 10, 40);
    const QImage &img = c.finished();
    EXPECT_FALSE(hasInk(img, 9, 10));
    EXPECT_TRUE(hasInk(img, 10, 10));
    EXPECT_TRUE(hasInk(img, 19, 10));
    EXPECT_FALSE(hasInk(img, 20, 10));
    EXPECT_TRUE(hasInk(img, 10, 39));
    EXPECT_FALSE(hasInk(img, 10, 40));
}

TEST(Shapes, LineToContinuesFromTheCurrentPosition)
{
    Canvas c;
    c.api.Draw_MoveTo(5, 50);
    c.api.Draw_LineTo(25, 50);
    c.api.Draw_LineTo(25, 70);
    const QImage &img = c.finished();
    EXPECT_TRUE(hasInk(img, 24, 50));
    EXPECT_TRUE(hasInk(img, 25, 60));
    EXPECT_EQ(c.dc.currentPosition(), QPoint(25, 70));
}

// GDI's rectangle covers columns left .. right - 1 with a pen, and one pixel
// less on the right and bottom without one.
struct RectangleCase
{
    const char *name;
    int penStyle;
    int firstColumn;
    int lastColumn;
};

class RectangleEdges : public ::testing::TestWithParam<RectangleCase>
{
};

TEST_P(RectangleEdges, StopShortOfRightAndBottom)
{
    const RectangleCase &row = GetParam();
    Canvas c;
    c.api.Draw_SelectPen(row.penStyle, 1, kBlue);
    c.api.Draw_SelectBrush(0, 0, kBlue);
    c.api.Draw_Rectangle(20, 20, 60, 60);
    const QImage &img = c.finished();
    EXPECT_EQ(inkColumns(img, 40, 41), std::make_pair(row.firstColumn, row.lastColumn));
    auto rows = zet::test::inkRows(img);
    EXPECT_EQ(rows, std::make_pair(row.firstColumn, row.lastColumn));
}

INSTANTIATE_TEST_SUITE_P(Shapes, RectangleEdges,
    ::testing::Values(RectangleCase { "SolidPen", 0, 20, 59 }, RectangleCase { "NullPen", 5, 20, 58 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Shapes, RectangleOutlineAndFillColours)
{
    Canvas c;
    c.api.Draw_SelectPen(0, 1, kRed);
    c.api.Draw_SelectBrush(0, 8, kBlue);
    c.api.Draw_Rectangle(10, 10, 30, 30);
    const QImage &img = c.finished();
    EXPECT_EQ(img.pixel(10, 20), kRedRgb);
    EXPECT_EQ(img.pixel(29, 20), kRedRgb);
    EXPECT_EQ(img.pixel(20, 29), kRedRgb);
    EXPECT_EQ(img.pixel(11, 20), kBlueRgb);
    EXPECT_EQ(img.pixel(28, 28), kBlueRgb);
}

TEST(Shapes, HollowBrushLeavesTheInsideAlone)
{
    Canvas c;
    c.api.Draw_SelectPen(0, 1, kBlack);
    c.api.Draw_SelectBrush(1, 0, kBlue);
    c.api.Draw_Rectangle(10, 10, 30, 30);
    const QImage &img = c.finished();
    EXPECT_TRUE(hasInk(img, 10, 20));
    EXPECT_TRUE(isWhite(img, 20, 20));
}

TEST(Shapes, HatchedBrushShowsBackgroundOnlyWhenOpaque)
{
    for (int mode : { 1, 2 }) {
        SCOPED_TRACE(mode);
        Canvas c;
        c.api.Draw_SelectPen(5, 1, 0);
        c.api.Text_SetColor(kBlack, 0x00FF00, mode);
        c.api.Draw_SelectBrush(2, 0, kBlue); // horizontal lines
        c.api.Draw_Rectangle(0, 0, 50, 50);
        const QImage &img = c.finished();
        int blueRows = 0;
        int gapRows = 0;
        for (int y = 0; y < 48; ++y) {
            if (img.pixel(20, y) == kBlueRgb)
                ++blueRows;
            else if (img.pixel(20, y) == (mode == 2 ? qRgb(0, 255, 0) : qRgb(255, 255, 255)))
                ++gapRows;
        }
        EXPECT_GT(blueRows, 3);
        EXPECT_LT(blueRows, 12);
        EXPECT_EQ(blueRows + gapRows, 48);
    }
}

TEST(Shapes, HairlineInTwipsIsOnePixelWide)
{
    Canvas c(-1);
    c.api.Draw_SelectPen(0, 1, kBlack);
    c.api.Draw_Line(0, 720, 1440, 720); // y = 48 px
    const QImage &img = c.finished();
    EXPECT_EQ(img.pixel(40, 48), qRgb(0, 0, 0));
    EXPECT_TRUE(isWhite(img, 40, 47));
    EXPECT_TRUE(isWhite(img, 40, 49));
}

TEST(Shapes, WidePenScalesWithTheMapping)
{
    Canvas c(-1);
    c.api.Draw_SelectPen(0, 60, kBlack); // 60 twips = 4 px at 96 dpi
    c.api.Draw_Line(150, 720, 1290, 720);
    const QImage &img = c.finished();
    int thickness = 0;
    for (int y = 40; y < 56; ++y)
        thickness += hasInk(img, 48, y);
    EXPECT_EQ(thickness, 4);
}

TEST(Shapes, StyledPenGapsShowWhatIsBeneath)
{
    Canvas c;
    c.dc.setBackgroundMode(gdi::kBkOpaque);
    c.dc.setBackgroundColour(0x00FF00);
    c.api.Draw_SelectPen(1, 1, kBlack); // dashed
    EXPECT_EQ(c.dc.backgroundMode(), gdi::kBkTransparent);
    c.api.Draw_Line(0, 10, 100, 10);
    const QImage &img = c.finished();
    int ink = 0;
    int white = 0;
    for (int x = 0; x < 96; ++x) {
        ink += hasInk(img, x, 10);
        white += isWhite(img, x, 10);
    }
    EXPECT_EQ(ink + white, 96);
    EXPECT_GT(ink, 48);
    EXPECT_GT(white, 12);
}

TEST(Shapes, NullPenLeavesBackgroundTransparent)
{
    Canvas c;
    c.api.Text_SetColor(0, 0xFFFFFF, 2);
    c.api.Draw_SelectPen(5, 1, 0);
    EXPECT_EQ(c.dc.backgroundMode(), gdi::kBkTransparent);
}

TEST(Shapes, EllipseTouchesItsBoxShortOfRightAndBottom)
{
    Canvas c;
    c.api.Draw_SelectPen(0, 1, kBlack);
    c.api.Draw_SelectBrush(1, 0, 0);
    c.api.Draw_Ellipse(10, 20, 90, 80);
    const QImage &img = c.finished();
    EXPECT_EQ(inkColumns(img, 49, 51), std::make_pair(10, 89));
    EXPECT_EQ(zet::test::inkRows(img), std::make_pair(20, 79));
    EXPECT_TRUE(isWhite(img, 50, 50));
    EXPECT_TRUE(isWhite(img, 11, 21)); // outside the curve, inside the box
}

TEST(Shapes, PieFillsTheQuarterBetweenItsRadials)
{
    Canvas c;
    c.api.Draw_SelectPen(5, 1, 0);
    c.api.Draw_SelectBrush(0, 0, kBlue);
    // Counter-clockwise from the radial to the right to the radial upwards:
    // the top right quarter.
    c.api.Draw_Pie(0, 0, 100, 100, 100, 50, 50, 0);
    const QImage &img = c.finished();
    EXPECT_EQ(img.pixel(70, 30), kBlueRgb);
    EXPECT_TRUE(isWhite(img, 30, 30));
    EXPECT_TRUE(isWhite(img, 70, 70));
}

TEST(Shapes, PolygonRegionPaintsWithTheBrush)
{
    Canvas c;
    c.api.Draw_SelectBrush(0, 0, kRed);
    GdiRegion region;
    c.api.Region_Create({ 10, 90, 10 }, { 10, 50, 90 }, region);
    c.api.Draw_PaintRegion(region);
    c.api.Region_Free(region);
    EXPECT_TRUE(region.polygon.isEmpty());
    c.api.Draw_PaintRegion(region);
    const QImage &img = c.finished();
    EXPECT_EQ(img.pixel(30, 50), kRedRgb);
    EXPECT_TRUE(isWhite(img, 80, 20));
}

TEST(Shapes, FillRectUsesTheBackgroundColourAndExcludesRightAndBottom)
{
    Canvas c;
    c.api.Draw_FillRect_SetColor(kRed);
    EXPECT_EQ(c.dc.backgroundMode(), gdi::kBkOpaque);
    c.api.Draw_FillRect(10, 10, 20, 20);
    const QImage &img = c.finished();
    EXPECT_EQ(img.pixel(10, 10), kRedRgb);
    EXPECT_EQ(img.pixel(19, 19), kRedRgb);
    EXPECT_TRUE(isWhite(img, 20, 15));
    EXPECT_TRUE(isWhite(img, 15, 20));
}

TEST(Shapes, DetachedWrapperDrawsNothing)
{
    QImage image = whiteCanvas(20, 20);
    clsGFX_API api;
    api.Draw_SelectBrush(0, 0, 0);
    api.Draw_Rectangle(0, 0, 20, 20);
    EXPECT_EQ(api.HDC_GetDeviceCapability(88), 0);
    EXPECT_TRUE(isWhite(image, 10, 10));
}
