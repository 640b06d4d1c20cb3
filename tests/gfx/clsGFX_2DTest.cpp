#include "gfx/clsGFX_2D.h"
#include "gfx/clsGFX_API.h"

#include "GfxProbe.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

using namespace zet;
using zet::test::whiteCanvas;

struct StrideCase
{
    const char *name;
    int width;
    int bits;
    int bytesPerScanLine;
};

class ScanLine : public ::testing::TestWithParam<StrideCase>
{
};

TEST_P(ScanLine, IsRoundedUpToFourBytes)
{
    const StrideCase &row = GetParam();
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(row.width, 3, row.bits));
    EXPECT_EQ(surface.Get_BytesPerScanLine(), row.bytesPerScanLine);
    EXPECT_EQ(surface.Get_BytesPerPixel(), row.bits / 8);
    PixelView view;
    ASSERT_TRUE(surface.Data_Get(view));
    EXPECT_EQ(view.bytesPerScanLine(), row.bytesPerScanLine);
    EXPECT_EQ(view.scanLines(), 3);
}

INSTANTIATE_TEST_SUITE_P(clsGFX_2D, ScanLine,
    ::testing::Values(StrideCase { "Width10Bits24", 10, 24, 32 }, StrideCase { "Width8Bits24", 8, 24, 24 },
        StrideCase { "Width1Bits24", 1, 24, 4 }, StrideCase { "Width5Bits8", 5, 8, 8 },
        StrideCase { "Width3Bits32", 3, 32, 12 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(clsGFX_2D, CreateTwiceLeavesOneSurfaceOfTheSecondSize)
{
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(10, 20, 24));
    DeviceContext *first = surface.Get_hDC();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(surface.Create(30, 5, 8));
    EXPECT_EQ(surface.Get_Width(), 30);
    EXPECT_EQ(surface.Get_Height(), 5);
    EXPECT_EQ(surface.Get_hDIB().size(), QSize(30, 5));
    EXPECT_EQ(surface.Get_hDIB().format(), QImage::Format_Indexed8);
    EXPECT_EQ(surface.Get_hDC()->deviceSize(), QSize(30, 5));
}

TEST(clsGFX_2D, FailedCreateLeavesTheSurfaceEmpty)
{
    const struct
    {
        const char *name;
        int width, height, bits;
    } rows[] = { { "ZeroWidth", 0, 10, 24 }, { "NegativeHeight", 10, -1, 24 }, { "FourBits", 10, 10, 4 },
        { "OverAGigabyte", 40000, 40000, 24 } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        clsGFX_2D surface;
        ASSERT_TRUE(surface.Create(5, 5, 24));
        EXPECT_FALSE(surface.Create(row.width, row.height, row.bits));
        EXPECT_EQ(surface.Get_hDC(), nullptr);
        EXPECT_EQ(surface.Get_Width(), 0);
        EXPECT_EQ(surface.Get_ptrDIBSection(), nullptr);
        PixelView view;
        EXPECT_FALSE(surface.Data_Get(view));
    }
}

TEST(clsGFX_2D, NewSurfaceIsBlackWithTheGivenResolution)
{
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(4, 4, 24, 300, 300));
    EXPECT_EQ(surface.Get_hDIB().pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(surface.Get_hDC()->logicalDpiX(), 300);
    EXPECT_EQ(surface.Get_hDC()->deviceCapability(90), 300);
    clsGFX_2D plain;
    ASSERT_TRUE(plain.Create(4, 4, 8));
    EXPECT_EQ(plain.Get_hDC()->logicalDpiY(), 96);
    EXPECT_EQ(plain.Get_hDIB().colorTable().value(200), qRgb(200, 200, 200));
}

TEST(clsGFX_2D, PixelViewCountsScanLinesFromTheBottomAndWritesReachTheImage)
{
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(4, 3, 24));
    PixelView view;
    ASSERT_TRUE(surface.Data_Get(view));
    // Pixel (1, 0) of scan line 0 is the bottom-left-but-one pixel: blue, green, red.
    view.at(3, 0) = 10;
    view.at(4, 0) = 20;
    view.at(5, 0) = 30;
    view.at(0, 2) = 255; // first byte of the top line: blue of pixel (0, 0)
    surface.Data_Release(view);
    EXPECT_TRUE(view.isEmpty());
    const QImage &image = surface.Get_hDIB();
    EXPECT_EQ(image.pixel(1, 2), qRgb(30, 20, 10));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 255));
}

TEST(clsGFX_2D, PixelViewRefusesPositionsOutsideTheSurface)
{
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(5, 3, 24)); // 15 bytes of pixels, 16 per scan line
    PixelView view;
    ASSERT_TRUE(surface.Data_Get(view));
    for (auto [x, y] :
        { std::pair { 16, 0 }, std::pair { -1, 0 }, std::pair { 0, 3 }, std::pair { 0, -1 } }) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        try {
            view.at(x, y);
            FAIL() << "no error";
        } catch (const Error &error) {
            EXPECT_EQ(error.number(), 9);
        }
    }
    EXPECT_NO_THROW(view.at(15, 2)); // the row padding belongs to the scan line
}

TEST(clsGFX_2D, DataGetRefusesDuringASession)
{
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(4, 4, 24));
    surface.Draw_StartSession();
    PixelView view(reinterpret_cast<uchar *>(&surface), 7, 1);
    EXPECT_FALSE(surface.Data_Get(view));
    EXPECT_EQ(view.bytesPerScanLine(), 7); // left alone
    surface.Draw_EndSession();
    EXPECT_TRUE(surface.Data_Get(view));
    EXPECT_EQ(view.bytesPerScanLine(), 12);
}

TEST(clsGFX_2D, PixelWritesAndDrawingMeetInOneImage)
{
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(10, 10, 24));
    surface.Color_Fill(0xFFFFFF);
    clsGFX_API api;
    api.HDC_Attach(surface.Get_hDC());
    api.Draw_FillRect_SetColor(0x0000FF);
    api.Draw_FillRect(0, 0, 5, 10);
    PixelView view;
    ASSERT_TRUE(surface.Data_Get(view));
    EXPECT_EQ(view.at(2, 9), 255); // red byte of the top-left pixel
    EXPECT_EQ(view.at(0, 9), 0);
    view.at(3 * 9, 0) = 0; // blue byte of the bottom-right pixel
    surface.Data_Release(view);
    api.Draw_FillRect(0, 0, 1, 1);
    const QImage &image = surface.Get_hDIB();
    EXPECT_EQ(image.pixel(9, 9), qRgb(255, 255, 0));
    EXPECT_EQ(image.pixel(4, 5), qRgb(255, 0, 0));
}

TEST(clsGFX_2D, GetPictureIsAnIndependentTwentyFourBitCopy)
{
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(6, 4, 24, 200, 200));
    surface.Color_Fill(0x00FF00);
    QImage picture = surface.Get_Picture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(6, 4));
    EXPECT_EQ(picture.dotsPerMeterX(), surface.Get_hDIB().dotsPerMeterX());
    surface.Color_Fill(0xFF0000);
    EXPECT_EQ(picture.pixel(3, 3), qRgb(0, 255, 0));
    EXPECT_FALSE(surface.Draw_SessionActive());
}

TEST(clsGFX_2D, GetPictureFailsWithTheExactText)
{
    clsGFX_2D empty;
    EXPECT_TRUE(empty.Get_LastError().isEmpty());
    EXPECT_TRUE(empty.Get_Picture().isNull());
    EXPECT_EQ(empty.Get_LastError(), QStringLiteral("Image has width=0"));
    clsGFX_2D grey;
    ASSERT_TRUE(grey.Create(5, 5, 8));
    EXPECT_TRUE(grey.Get_Picture().isNull());
    EXPECT_EQ(grey.Get_LastError(), QStringLiteral("Picture property is only for 24bit depth images"));
}

TEST(clsGFX_2D, FromBitmapPictureKeepsDepthAndResolution)
{
    QImage indexed(7, 3, QImage::Format_Indexed8);
    indexed.setColorTable({ qRgb(0, 0, 0), qRgb(10, 200, 30) });
    indexed.fill(1);
    indexed.setDotsPerMeterX(11811);
    indexed.setDotsPerMeterY(11811);
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create_FromPicture(indexed, -1));
    EXPECT_EQ(surface.Get_BytesPerPixel(), 1);
    EXPECT_EQ(surface.Get_hDIB().pixel(6, 2), qRgb(10, 200, 30));
    EXPECT_EQ(surface.Get_hDC()->logicalDpiX(), 300);
    EXPECT_EQ(surface.Get_Viewport(), QRect(0, 0, 7, 3));

    QImage argb(4, 4, QImage::Format_ARGB32);
    argb.fill(Qt::transparent);
    ASSERT_TRUE(surface.Create_FromPicture(argb, 0x0000FF));
    EXPECT_EQ(surface.Get_BytesPerPixel(), 3);
    EXPECT_EQ(surface.Get_hDIB().pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(surface.Get_hDC()->logicalDpiX(), 96);

    EXPECT_FALSE(surface.Create_FromPicture(QImage(), -1));
    EXPECT_EQ(surface.Get_hDC(), nullptr);
}

TEST(clsGFX_2D, DrawingOnAnAdoptedPictureLeavesTheOriginalAlone)
{
    QImage original = whiteCanvas(8, 8);
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create_FromPicture(original, -1));
    clsGFX_API api;
    api.HDC_Attach(surface.Get_hDC());
    api.Draw_FillRect_SetColor(0);
    api.Draw_FillRect(0, 0, 8, 8);
    surface.Color_Fill(0x123456);
    EXPECT_EQ(original.pixel(4, 4), qRgb(255, 255, 255));
    EXPECT_EQ(surface.Get_hDIB().pixel(4, 4), qRgb(0x56, 0x34, 0x12));
}

TEST(clsGFX_2D, FromIconPictureIsTwiceTheHotSpot)
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixel(20, 20, qRgba(255, 0, 0, 255));
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create_FromPicture(IconPicture { icon, QPoint(16, 16) }, 0xFFFFFF));
    EXPECT_EQ(surface.Get_Width(), 32);
    EXPECT_EQ(surface.Get_Height(), 32);
    EXPECT_EQ(surface.Get_hDIB().pixel(20, 20), qRgb(255, 0, 0));
    EXPECT_EQ(surface.Get_hDIB().pixel(5, 5), qRgb(255, 255, 255));
    // Without a background the surface stays black under the transparent parts.
    ASSERT_TRUE(surface.Create_FromPicture(IconPicture { icon, QPoint(8, 4) }, -1));
    EXPECT_EQ(surface.Get_hDIB().size(), QSize(16, 8));
    EXPECT_EQ(surface.Get_hDIB().pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_FALSE(surface.Create_FromPicture(IconPicture { icon, QPoint(0, 16) }, -1));
}

TEST(clsGFX_2D, PaintPictureWithNegativeExtentCopiesTheWholeSurface)
{
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(12, 7, 24));
    surface.Color_Fill(0x0000FF);
    QImage page = whiteCanvas(20, 20);
    DeviceContext pageDc(&page);
    surface.BitBlt_PaintPicture(&pageDc, 3, 2, -1, -1, 0, 0);
    pageDc.endPainting();
    EXPECT_EQ(page.pixel(3, 2), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(14, 8), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(15, 8), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(14, 9), qRgb(255, 255, 255));
}

TEST(clsGFX_2D, EightBitSurfaceTakesCopiesAndFillsByNearestGrey)
{
    clsGFX_2D grey;
    ASSERT_TRUE(grey.Create(4, 4, 8));
    grey.Color_Fill(0x808080);
    EXPECT_EQ(grey.Get_hDIB().pixelIndex(1, 1), 128);
    QImage page = whiteCanvas(4, 4);
    DeviceContext pageDc(&page);
    grey.BitBlt_LoadPicture(&pageDc, 0, 0, -1, -1);
    EXPECT_EQ(grey.Get_hDIB().pixelIndex(1, 1), 255);
}

struct ViewportCase
{
    const char *name;
    int x1, y1, x2, y2;
    QRect expected; // corners inclusive
};

class Viewport : public ::testing::TestWithParam<ViewportCase>
{
};

TEST_P(Viewport, IsClampedToTheSurface)
{
    const ViewportCase &row = GetParam();
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(10, 8, 24));
    surface.Draw_SetViewport(row.x1, row.y1, row.x2, row.y2);
    EXPECT_EQ(surface.Get_Viewport(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(clsGFX_2D, Viewport,
    ::testing::Values(ViewportCase { "Inside", 1, 2, 5, 6, QRect(QPoint(1, 2), QPoint(5, 6)) },
        ViewportCase { "MinusOneMeansLast", 0, 0, -1, -1, QRect(QPoint(0, 0), QPoint(9, 7)) },
        ViewportCase { "NegativeStartBecomesZero", -5, -5, 3, 3, QRect(QPoint(0, 0), QPoint(3, 3)) },
        ViewportCase { "StartBeyondTheEdge", 20, 20, 30, 30, QRect(QPoint(9, 7), QPoint(9, 7)) },
        ViewportCase { "EndBeforeStart", 6, 5, 2, 1, QRect(QPoint(6, 5), QPoint(6, 5)) },
        ViewportCase { "EndBeyondTheEdge", 2, 2, 50, 50, QRect(QPoint(2, 2), QPoint(9, 7)) }),
    [](const auto &info) { return std::string(info.param.name); });
