#include "gfx/clsGFX_2D.h"
#include "gfx/clsGFX_API.h"

#include "GfxProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using zet::test::inkColumns;
using zet::test::inkRows;
using zet::test::isWhite;
using zet::test::whiteCanvas;

namespace {

const QRgb kRedRgb = qRgb(255, 0, 0);
const QRgb kBlueRgb = qRgb(0, 0, 255);

// A surface of w x h pixels at dpi: left half red, right half blue.
void makeHalves(clsGFX_2D &surface, int width, int height, int dpi)
{
    ASSERT_TRUE(surface.Create(width, height, 24, dpi, dpi));
    PixelView view;
    ASSERT_TRUE(surface.Data_Get(view));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uchar *pixel = &view.at(3 * x, y);
            const bool red = x < width / 2;
            pixel[0] = red ? 0 : 255; // blue
            pixel[1] = 0;
            pixel[2] = red ? 255 : 0; // red
        }
    }
    surface.Data_Release(view);
}

} // namespace

TEST(BitBlt, CopyInTwipsBetweenResolutionsKeepsPhysicalSize)
{
    // A one-inch picture at 96 dpi drawn on a 300 dpi page covers 300 pixels.
    clsGFX_2D picture;
    makeHalves(picture, 96, 96, 96);
    QImage page = whiteCanvas(600, 600, 300);
    DeviceContext pageDc(&page);
    clsGFX_API destination;
    destination.HDC_Attach(&pageDc);
    destination.Config_SetScaleMode(-1);
    clsGFX_API source;
    source.HDC_Attach(picture.Get_hDC());
    source.Config_SetScaleMode(-1);
    source.BitBlt_PaintPicture(&pageDc, 720, 720, 1440, 1440, 0, 0, gdi::kSrcCopy);
    source.Config_SetScaleMode(1);
    pageDc.endPainting();
    EXPECT_EQ(inkColumns(page, 300, 301), std::make_pair(150, 449));
    EXPECT_EQ(inkRows(page), std::make_pair(150, 449));
    EXPECT_EQ(page.pixel(295, 300), kRedRgb);
    EXPECT_EQ(page.pixel(305, 300), kBlueRgb);
}

TEST(BitBlt, CopyFromAHighResolutionPictureShrinksOnAScreen)
{
    clsGFX_2D picture;
    makeHalves(picture, 300, 150, 300);
    clsGFX_2D screen;
    ASSERT_TRUE(screen.Create(200, 200, 24));
    screen.Color_Fill(0xFFFFFF);
    clsGFX_API source;
    source.HDC_Attach(picture.Get_hDC());
    source.Config_SetScaleMode(-1);
    clsGFX_API target;
    target.HDC_Attach(screen.Get_hDC());
    target.Config_SetScaleMode(-1);
    source.BitBlt_PaintPicture(screen.Get_hDC(), 0, 0, 1440, 720, 0, 0, gdi::kSrcCopy);
    const QImage &img = screen.Get_hDIB();
    EXPECT_EQ(inkColumns(img, 10, 11), std::make_pair(0, 95));
    EXPECT_EQ(inkRows(img), std::make_pair(0, 47));
}

TEST(BitBlt, HalftoneStretchSmoothsAndTheOtherModesPickPixels)
{
    // A 2 x 1 picture, red and blue, stretched to 40 x 4: halftone blends
    // the middle, the default mode keeps pure colours.
    for (int mode : { -1, 4 }) {
        SCOPED_TRACE(mode);
        clsGFX_2D picture;
        makeHalves(picture, 2, 1, 96);
        QImage page = whiteCanvas(40, 4);
        DeviceContext pageDc(&page);
        clsGFX_API source;
        source.HDC_Attach(picture.Get_hDC());
        source.BitBlt_SetStretchMode(mode);
        source.BitBlt_PaintPictureStretch(&pageDc, 0, 0, 40, 4, 0, 0, 2, 1);
        pageDc.endPainting();
        EXPECT_EQ(pageDc.stretchMode(), mode == 4 ? 4 : 1);
        int blended = 0;
        for (int x = 0; x < 40; ++x) {
            const QRgb p = page.pixel(x, 2);
            blended += p != kRedRgb && p != kBlueRgb;
        }
        if (mode == 4) {
            EXPECT_GT(blended, 4);
        } else {
            EXPECT_EQ(blended, 0);
        }
        EXPECT_EQ(page.pixel(0, 0), kRedRgb);
        EXPECT_EQ(page.pixel(39, 3), kBlueRgb);
    }
}

TEST(BitBlt, StretchWithANegativeWidthMirrors)
{
    clsGFX_2D picture;
    makeHalves(picture, 10, 10, 96);
    QImage page = whiteCanvas(30, 10);
    DeviceContext pageDc(&page);
    clsGFX_API source;
    source.HDC_Attach(picture.Get_hDC());
    source.BitBlt_PaintPictureStretch(&pageDc, 20, 0, -20, 10, 0, 0, 10, 10);
    pageDc.endPainting();
    EXPECT_EQ(page.pixel(1, 5), kBlueRgb);
    EXPECT_EQ(page.pixel(18, 5), kRedRgb);
    EXPECT_TRUE(isWhite(page, 25, 5));
}

TEST(BitBlt, TransparentCopyKeepsTheDestinationUnderTheKeyColour)
{
    clsGFX_2D picture;
    makeHalves(picture, 10, 10, 96);
    QImage page = whiteCanvas(10, 10);
    DeviceContext pageDc(&page);
    clsGFX_API source;
    source.HDC_Attach(picture.Get_hDC());
    source.BitBlt_PaintPictureTransparent(&pageDc, 0, 0, 10, 10, 0, 0, 10, 10, 0xFF0000); // blue is the key
    pageDc.endPainting();
    EXPECT_EQ(page.pixel(2, 5), kRedRgb);
    EXPECT_TRUE(isWhite(page, 7, 5));
}

TEST(BitBlt, TransparentCopySetsTheStretchModeOnlyWhenBothExtentsChange)
{
    clsGFX_2D picture;
    makeHalves(picture, 10, 10, 96);
    QImage page = whiteCanvas(40, 40);
    DeviceContext pageDc(&page);
    clsGFX_API source;
    source.HDC_Attach(picture.Get_hDC());
    source.BitBlt_SetStretchMode(3);
    source.BitBlt_PaintPictureTransparent(&pageDc, 0, 0, 20, 10, 0, 0, 10, 10, 0);
    EXPECT_EQ(pageDc.stretchMode(), 1);
    source.BitBlt_PaintPictureTransparent(&pageDc, 0, 0, 20, 20, 0, 0, 10, 10, 0);
    EXPECT_EQ(pageDc.stretchMode(), 3);
}

TEST(BitBlt, LoadPictureCopiesIntoTheOrigin)
{
    QImage page = whiteCanvas(20, 20);
    page.setPixel(5, 6, qRgb(1, 2, 3));
    DeviceContext pageDc(&page);
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(10, 10, 24));
    clsGFX_API target;
    target.HDC_Attach(surface.Get_hDC());
    target.BitBlt_LoadPicture(&pageDc, 4, 4, 10, 10);
    EXPECT_EQ(surface.Get_hDIB().pixel(1, 2), qRgb(1, 2, 3));
    EXPECT_EQ(surface.Get_hDIB().pixel(0, 0), qRgb(255, 255, 255));
}

struct RasterOpCase
{
    const char *name;
    int rasterOp;
    QRgb expected; // source 0x00FF00 over destination 0xFF0000 (red)
};

class RasterOps : public ::testing::TestWithParam<RasterOpCase>
{
};

TEST_P(RasterOps, CombineSourceAndDestination)
{
    const RasterOpCase &row = GetParam();
    clsGFX_2D source;
    ASSERT_TRUE(source.Create(4, 4, 24));
    source.Color_Fill(0x00FF00);
    QImage page = whiteCanvas(4, 4);
    page.fill(QColor(255, 0, 0));
    DeviceContext pageDc(&page);
    source.BitBlt_PaintPicture(&pageDc, 0, 0, -1, -1, 0, 0, row.rasterOp);
    pageDc.endPainting();
    EXPECT_EQ(page.pixel(2, 2), row.expected);
}

INSTANTIATE_TEST_SUITE_P(BitBlt, RasterOps,
    ::testing::Values(RasterOpCase { "SourceCopy", gdi::kSrcCopy, qRgb(0, 255, 0) },
        RasterOpCase { "SourcePaint", gdi::kSrcPaint, qRgb(255, 255, 0) },
        RasterOpCase { "SourceAnd", gdi::kSrcAnd, qRgb(0, 0, 0) },
        RasterOpCase { "SourceInvert", gdi::kSrcInvert, qRgb(255, 255, 0) },
        RasterOpCase { "NotSourceCopy", gdi::kNotSrcCopy, qRgb(255, 0, 255) },
        RasterOpCase { "Blackness", gdi::kBlackness, qRgb(0, 0, 0) },
        RasterOpCase { "Whiteness", gdi::kWhiteness, qRgb(255, 255, 255) },
        RasterOpCase { "DestinationInvert", gdi::kDstInvert, qRgb(0, 255, 255) }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BitBlt, SourceBeyondItsDeviceCopiesOnlyThePartOnIt)
{
    clsGFX_2D picture;
    ASSERT_TRUE(picture.Create(10, 10, 24));
    picture.Color_Fill(0x0000FF);
    QImage page = whiteCanvas(40, 40);
    DeviceContext pageDc(&page);
    // Source (-5, -5, 20 x 20): the picture lands at (15, 15) .. (24, 24).
    picture.BitBlt_PaintPicture(&pageDc, 10, 10, 20, 20, -5, -5);
    pageDc.endPainting();
    EXPECT_TRUE(isWhite(page, 14, 20));
    EXPECT_EQ(page.pixel(15, 15), kRedRgb);
    EXPECT_EQ(page.pixel(24, 24), kRedRgb);
    EXPECT_TRUE(isWhite(page, 25, 20));
}

TEST(BitBlt, HugeStretchCoversTheDeviceWithoutScalingInMemory)
{
    clsGFX_2D picture;
    makeHalves(picture, 2, 2, 96);
    QImage page = whiteCanvas(50, 50);
    DeviceContext pageDc(&page);
    clsGFX_API source;
    source.HDC_Attach(picture.Get_hDC());
    // 400000 pixels wide: the left (red) half alone covers the page.
    source.BitBlt_PaintPictureStretch(&pageDc, -1000, -1000, 400000, 400000, 0, 0, 2, 2);
    source.BitBlt_PaintPictureStretch(&pageDc, 0, 0, 1 << 30, 1 << 30, 0, 0, 2, 2);
    pageDc.endPainting();
    EXPECT_EQ(page.pixel(0, 0), kRedRgb);
    EXPECT_EQ(page.pixel(49, 49), kRedRgb);
}

TEST(BitBlt, OverlappingCopyWithinOneSurfaceMovesTheOriginalPixels)
{
    clsGFX_2D surface;
    makeHalves(surface, 20, 4, 96); // columns 0..9 red, 10..19 blue
    // Shift the whole picture 5 pixels right onto itself.
    surface.BitBlt_PaintPicture(surface.Get_hDC(), 5, 0, 20, 4, 0, 0);
    const QImage &img = surface.Get_hDIB();
    EXPECT_EQ(img.pixel(5, 1), kRedRgb);
    EXPECT_EQ(img.pixel(14, 1), kRedRgb);
    EXPECT_EQ(img.pixel(15, 1), kBlueRgb);
    EXPECT_EQ(img.pixel(19, 1), kBlueRgb);
}
