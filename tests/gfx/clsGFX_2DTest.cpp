#include "GfxProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

TEST(clsGFX_2D, ScanLineIsRoundedUpToFourBytes)
{
    for (auto [width, bits, stride] :
        { std::tuple { 10, 24, 32 }, { 8, 24, 24 }, { 1, 24, 4 }, { 5, 8, 8 }, { 3, 32, 12 } }) {
        SCOPED_TRACE(testing::Message() << width << " x " << bits << " bits");
        clsGFX_2D surface;
        ASSERT_TRUE(surface.Create(width, 3, bits));
        EXPECT_EQ(surface.Get_BytesPerScanLine(), stride);
        EXPECT_EQ(surface.Get_BytesPerPixel(), bits / 8);
        PixelView view;
        ASSERT_TRUE(surface.Data_Get(view));
        EXPECT_EQ(view.bytesPerScanLine(), stride);
        EXPECT_EQ(view.scanLines(), 3);
    }
}

TEST(clsGFX_2D, CreateReplacesTheSurfaceAndAFailedOneLeavesItEmpty)
{
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(10, 20, 24));
    ASSERT_TRUE(surface.Create(30, 5, 8));
    EXPECT_EQ(surface.Get_Width(), 30);
    EXPECT_EQ(surface.Get_Height(), 5);
    EXPECT_EQ(surface.Get_hDIB().size(), QSize(30, 5));
    EXPECT_EQ(surface.Get_hDIB().format(), QImage::Format_Indexed8);
    EXPECT_EQ(surface.Get_hDIB().pixel(29, 4), qRgb(0, 0, 0)); // a new surface is black
    EXPECT_EQ(surface.Get_hDC()->deviceSize(), QSize(30, 5));
    // Zero width, negative height, four bits, over a gigabyte.
    for (auto [width, height, bits] :
        { std::tuple { 0, 10, 24 }, { 10, -1, 24 }, { 10, 10, 4 }, { 40000, 40000, 24 } }) {
        SCOPED_TRACE(testing::Message() << width << " x " << height << " x " << bits);
        ASSERT_TRUE(surface.Create(5, 5, 24));
        EXPECT_FALSE(surface.Create(width, height, bits));
        EXPECT_EQ(surface.Get_hDC(), nullptr);
        EXPECT_EQ(surface.Get_Width(), 0);
        EXPECT_EQ(surface.Get_ptrDIBSection(), nullptr);
        PixelView view;
        EXPECT_FALSE(surface.Data_Get(view));
    }
}

TEST(clsGFX_2D, PixelViewAndDrawingShareOneImageWithScanLinesFromTheBottom)
{
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(4, 3, 24));
    clsGFX_API api;
    api.HDC_Attach(surface.Get_hDC());
    api.Draw_FillRect_SetColor(kRed);
    api.Draw_FillRect(0, 0, 2, 3); // the left two columns
    PixelView view;
    ASSERT_TRUE(surface.Data_Get(view));
    EXPECT_EQ(view.at(2, 2), 255); // red byte of the top-left pixel: scan line 2 is the top
    EXPECT_EQ(view.at(0, 2), 0);
    // Pixel (1, 0) of scan line 0 is the bottom-left-but-one pixel: blue, green, red.
    view.at(3, 0) = 10;
    view.at(4, 0) = 20;
    view.at(5, 0) = 30;
    view.at(9, 2) = 255; // blue of the top-right pixel
    surface.Data_Release(view);
    EXPECT_TRUE(view.isEmpty());
    api.Draw_FillRect(3, 2, 4, 3); // drawing again keeps the written pixels
    const QImage &image = surface.Get_hDIB();
    EXPECT_EQ(image.pixel(1, 2), qRgb(30, 20, 10));
    EXPECT_EQ(image.pixel(3, 0), kBlueRgb);
    EXPECT_EQ(image.pixel(0, 1), kRedRgb);
    EXPECT_EQ(image.pixel(3, 2), kRedRgb);
}

TEST(clsGFX_2D, PixelViewStaysInsideTheSurfaceAndIsRefusedDuringASession)
{
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(5, 3, 24)); // 15 bytes of pixels, 16 per scan line
    PixelView view;
    ASSERT_TRUE(surface.Data_Get(view));
    for (auto [x, y] : { std::pair { 16, 0 }, { -1, 0 }, { 0, 3 }, { 0, -1 } })
        EXPECT_EQ(errorNumber([&] { view.at(x, y); }), 9) << x << "," << y;
    EXPECT_NO_THROW(view.at(15, 2)); // the row padding belongs to the scan line
    surface.Data_Release(view);
    surface.Draw_StartSession();
    view = PixelView(reinterpret_cast<uchar *>(&surface), 7, 1);
    EXPECT_FALSE(surface.Data_Get(view));
    EXPECT_EQ(view.bytesPerScanLine(), 7); // left alone
    surface.Draw_EndSession();
    EXPECT_TRUE(surface.Data_Get(view));
    EXPECT_EQ(view.bytesPerScanLine(), 16);
}

TEST(clsGFX_2D, GetPictureIsAnIndependentTwentyFourBitCopyOrFailsWithTheExactText)
{
    clsGFX_2D surface;
    EXPECT_TRUE(surface.Get_LastError().isEmpty());
    EXPECT_TRUE(surface.Get_Picture().isNull());
    EXPECT_EQ(surface.Get_LastError(), QStringLiteral("Image has width=0"));
    ASSERT_TRUE(surface.Create(5, 5, 8));
    EXPECT_TRUE(surface.Get_Picture().isNull());
    EXPECT_EQ(surface.Get_LastError(), QStringLiteral("Picture property is only for 24bit depth images"));

    ASSERT_TRUE(surface.Create(6, 4, 24, 200, 200));
    surface.Color_Fill(0x00FF00);
    const QImage picture = surface.Get_Picture();
    EXPECT_EQ(picture.size(), QSize(6, 4));
    EXPECT_EQ(picture.dotsPerMeterX(), surface.Get_hDIB().dotsPerMeterX());
    surface.Color_Fill(kRed);
    EXPECT_EQ(picture.pixel(3, 3), qRgb(0, 255, 0));
    EXPECT_FALSE(surface.Draw_SessionActive());
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
    ASSERT_TRUE(surface.Create_FromPicture(argb, kRed)); // drawn over the back colour
    EXPECT_EQ(surface.Get_BytesPerPixel(), 3);
    EXPECT_EQ(surface.Get_hDIB().pixel(1, 1), kRedRgb);

    EXPECT_FALSE(surface.Create_FromPicture(QImage(), -1));
    EXPECT_EQ(surface.Get_hDC(), nullptr);

    // A 24-bit picture's pixels are shared until changed: drawing leaves the original alone.
    const QImage original = whiteCanvas(4, 4);
    ASSERT_TRUE(surface.Create_FromPicture(original, -1));
    clsGFX_API api;
    api.HDC_Attach(surface.Get_hDC());
    api.Draw_FillRect_SetColor(kRed);
    api.Draw_FillRect(0, 0, 4, 4);
    EXPECT_EQ(surface.Get_hDIB().pixel(1, 1), kRedRgb);
    ASSERT_TRUE(surface.Create_FromPicture(original, -1));
    surface.Color_Fill(0x123456);
    EXPECT_EQ(surface.Get_hDIB().pixel(1, 1), qRgb(0x56, 0x34, 0x12));
    EXPECT_TRUE(isWhite(original, 1, 1));
}

TEST(clsGFX_2D, FromIconPictureIsTwiceTheHotSpot)
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixel(20, 20, qRgba(255, 0, 0, 255));
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create_FromPicture(IconPicture { icon, QPoint(16, 16) }, 0xFFFFFF));
    EXPECT_EQ(surface.Get_hDIB().size(), QSize(32, 32));
    EXPECT_EQ(surface.Get_hDIB().pixel(20, 20), kRedRgb);
    EXPECT_TRUE(isWhite(surface.Get_hDIB(), 5, 5));
    // Without a back colour the surface stays black under the transparent parts.
    ASSERT_TRUE(surface.Create_FromPicture(IconPicture { icon, QPoint(8, 4) }, -1));
    EXPECT_EQ(surface.Get_hDIB().size(), QSize(16, 8));
    EXPECT_EQ(surface.Get_hDIB().pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_FALSE(surface.Create_FromPicture(IconPicture { icon, QPoint(0, 16) }, -1));
}

TEST(clsGFX_2D, CopiesWithANegativeExtentTakeTheWholeSurface)
{
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(12, 7, 24));
    surface.Color_Fill(kRed);
    Canvas page(20, 20);
    surface.BitBlt_PaintPicture(&page.dc, 3, 2, -1, -1, 0, 0);
    const QImage &img = page.finished();
    EXPECT_EQ(inkColumns(img, 0, 20), std::make_pair(3, 14));
    EXPECT_EQ(inkRows(img), std::make_pair(2, 8));
    // An 8-bit surface takes copies and fills with the nearest grey.
    ASSERT_TRUE(surface.Create(4, 4, 8));
    surface.Color_Fill(0x808080);
    EXPECT_EQ(surface.Get_hDIB().pixelIndex(1, 1), 128);
    surface.BitBlt_LoadPicture(&page.dc, 16, 16, -1, -1);
    EXPECT_EQ(surface.Get_hDIB().pixelIndex(1, 1), 255);
}

TEST(clsGFX_2D, ViewportIsClampedToTheSurface)
{
    const struct
    {
        const char *name;
        int x1, y1, x2, y2;
        QRect expected; // corners inclusive
    } rows[] = {
        { "Inside", 1, 2, 5, 6, QRect(QPoint(1, 2), QPoint(5, 6)) },
        { "MinusOneMeansLast", 0, 0, -1, -1, QRect(QPoint(0, 0), QPoint(9, 7)) },
        { "NegativeStartBecomesZero", -5, -5, 3, 3, QRect(QPoint(0, 0), QPoint(3, 3)) },
        { "StartBeyondTheEdge", 20, 20, 30, 30, QRect(QPoint(9, 7), QPoint(9, 7)) },
        { "EndBeforeStart", 6, 5, 2, 1, QRect(QPoint(6, 5), QPoint(6, 5)) },
        { "EndBeyondTheEdge", 2, 2, 50, 50, QRect(QPoint(2, 2), QPoint(9, 7)) },
    };
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(10, 8, 24));
    for (const auto &row : rows) {
        surface.Draw_SetViewport(row.x1, row.y1, row.x2, row.y2);
        EXPECT_EQ(surface.Get_Viewport(), row.expected) << row.name;
    }
}
