#include "GfxProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

TEST(Bitmap, ScanLineIsRoundedUpToFourBytes)
{
    for (auto [width, bits, stride] :
        { std::tuple { 10, 24, 32 }, { 8, 24, 24 }, { 1, 24, 4 }, { 5, 8, 8 }, { 3, 32, 12 } }) {
        SCOPED_TRACE(testing::Message() << width << " x " << bits << " bits");
        Bitmap surface;
        ASSERT_TRUE(surface.create(width, 3, bits));
        EXPECT_EQ(surface.bytesPerScanLine(), stride);
        EXPECT_EQ(surface.Get_BytesPerPixel(), bits / 8);
        PixelView view;
        ASSERT_TRUE(surface.lockPixels(view));
        EXPECT_EQ(view.bytesPerScanLine(), stride);
        EXPECT_EQ(view.scanLines(), 3);
    }
}

TEST(Bitmap, CreateReplacesTheSurfaceAndAFailedOneLeavesItEmpty)
{
    Bitmap surface;
    ASSERT_TRUE(surface.create(10, 20, 24));
    ASSERT_TRUE(surface.create(30, 5, 8));
    EXPECT_EQ(surface.width(), 30);
    EXPECT_EQ(surface.height(), 5);
    EXPECT_EQ(surface.image().size(), QSize(30, 5));
    EXPECT_EQ(surface.image().format(), QImage::Format_Indexed8);
    EXPECT_EQ(surface.image().pixel(29, 4), qRgb(0, 0, 0)); // a new surface is black
    EXPECT_EQ(surface.deviceContext()->deviceSize(), QSize(30, 5));
    // Zero width, negative height, four bits, over a gigabyte.
    for (auto [width, height, bits] :
        { std::tuple { 0, 10, 24 }, { 10, -1, 24 }, { 10, 10, 4 }, { 40000, 40000, 24 } }) {
        SCOPED_TRACE(testing::Message() << width << " x " << height << " x " << bits);
        ASSERT_TRUE(surface.create(5, 5, 24));
        EXPECT_FALSE(surface.create(width, height, bits));
        EXPECT_EQ(surface.deviceContext(), nullptr);
        EXPECT_EQ(surface.width(), 0);
        EXPECT_EQ(surface.bits(), nullptr);
        PixelView view;
        EXPECT_FALSE(surface.lockPixels(view));
    }
}

TEST(Bitmap, PixelViewAndDrawingShareOneImageWithScanLinesFromTheBottom)
{
    Bitmap surface;
    ASSERT_TRUE(surface.create(4, 3, 24));
    Canvas api;
    api.attach(surface.deviceContext());
    api.setFillColour(kRed);
    api.fillRect(0, 0, 2, 3); // the left two columns
    PixelView view;
    ASSERT_TRUE(surface.lockPixels(view));
    EXPECT_EQ(view.at(2, 2), 255); // red byte of the top-left pixel: scan line 2 is the top
    EXPECT_EQ(view.at(0, 2), 0);
    // pixel (1, 0) of scan line 0 is the bottom-left-but-one pixel: blue, green, red.
    view.at(3, 0) = 10;
    view.at(4, 0) = 20;
    view.at(5, 0) = 30;
    view.at(9, 2) = 255; // blue of the top-right pixel
    surface.unlockPixels(view);
    EXPECT_TRUE(view.isEmpty());
    api.fillRect(3, 2, 4, 3); // drawing again keeps the written pixels
    const QImage &image = surface.image();
    EXPECT_EQ(image.pixel(1, 2), qRgb(30, 20, 10));
    EXPECT_EQ(image.pixel(3, 0), kBlueRgb);
    EXPECT_EQ(image.pixel(0, 1), kRedRgb);
    EXPECT_EQ(image.pixel(3, 2), kRedRgb);
}

TEST(Bitmap, PixelViewStaysInsideTheSurfaceAndIsRefusedDuringASession)
{
    Bitmap surface;
    ASSERT_TRUE(surface.create(5, 3, 24)); // 15 bytes of pixels, 16 per scan line
    PixelView view;
    ASSERT_TRUE(surface.lockPixels(view));
    for (auto [x, y] : { std::pair { 16, 0 }, { -1, 0 }, { 0, 3 }, { 0, -1 } })
        EXPECT_EQ(errorNumber([&] { view.at(x, y); }), 9) << x << "," << y;
    EXPECT_NO_THROW(view.at(15, 2)); // the row padding belongs to the scan line
    surface.unlockPixels(view);
    surface.beginSession();
    view = PixelView(reinterpret_cast<uchar *>(&surface), 7, 1);
    EXPECT_FALSE(surface.lockPixels(view));
    EXPECT_EQ(view.bytesPerScanLine(), 7); // left alone
    surface.endSession();
    EXPECT_TRUE(surface.lockPixels(view));
    EXPECT_EQ(view.bytesPerScanLine(), 16);
}

TEST(Bitmap, GetPictureIsAnIndependentTwentyFourBitCopyOrFailsWithTheExactText)
{
    Bitmap surface;
    EXPECT_TRUE(surface.lastError().isEmpty());
    EXPECT_TRUE(surface.picture().isNull());
    EXPECT_EQ(surface.lastError(), QStringLiteral("Image has width=0"));
    ASSERT_TRUE(surface.create(5, 5, 8));
    EXPECT_TRUE(surface.picture().isNull());
    EXPECT_EQ(surface.lastError(), QStringLiteral("Picture property is only for 24bit depth images"));

    ASSERT_TRUE(surface.create(6, 4, 24, 200, 200));
    surface.fill(0x00FF00);
    const QImage picture = surface.picture();
    EXPECT_EQ(picture.size(), QSize(6, 4));
    EXPECT_EQ(picture.dotsPerMeterX(), surface.image().dotsPerMeterX());
    surface.fill(kRed);
    EXPECT_EQ(picture.pixel(3, 3), qRgb(0, 255, 0));
    EXPECT_FALSE(surface.sessionActive());
}

TEST(Bitmap, FromBitmapPictureKeepsDepthAndResolution)
{
    QImage indexed(7, 3, QImage::Format_Indexed8);
    indexed.setColorTable({ qRgb(0, 0, 0), qRgb(10, 200, 30) });
    indexed.fill(1);
    indexed.setDotsPerMeterX(11811);
    indexed.setDotsPerMeterY(11811);
    Bitmap surface;
    ASSERT_TRUE(surface.createFromPicture(indexed, -1));
    EXPECT_EQ(surface.Get_BytesPerPixel(), 1);
    EXPECT_EQ(surface.image().pixel(6, 2), qRgb(10, 200, 30));
    EXPECT_EQ(surface.deviceContext()->logicalDpiX(), 300);
    EXPECT_EQ(surface.viewport(), QRect(0, 0, 7, 3));

    QImage argb(4, 4, QImage::Format_ARGB32);
    argb.fill(Qt::transparent);
    ASSERT_TRUE(surface.createFromPicture(argb, kRed)); // drawn over the back colour
    EXPECT_EQ(surface.Get_BytesPerPixel(), 3);
    EXPECT_EQ(surface.image().pixel(1, 1), kRedRgb);

    EXPECT_FALSE(surface.createFromPicture(QImage(), -1));
    EXPECT_EQ(surface.deviceContext(), nullptr);

    // A 24-bit picture's pixels are shared until changed: drawing leaves the original alone.
    const QImage original = whiteCanvas(4, 4);
    ASSERT_TRUE(surface.createFromPicture(original, -1));
    Canvas api;
    api.attach(surface.deviceContext());
    api.setFillColour(kRed);
    api.fillRect(0, 0, 4, 4);
    EXPECT_EQ(surface.image().pixel(1, 1), kRedRgb);
    ASSERT_TRUE(surface.createFromPicture(original, -1));
    surface.fill(0x123456);
    EXPECT_EQ(surface.image().pixel(1, 1), qRgb(0x56, 0x34, 0x12));
    EXPECT_TRUE(isWhite(original, 1, 1));
}

TEST(Bitmap, FromIconPictureIsTwiceTheHotSpot)
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixel(20, 20, qRgba(255, 0, 0, 255));
    Bitmap surface;
    ASSERT_TRUE(surface.createFromPicture(IconPicture { icon, QPoint(16, 16) }, 0xFFFFFF));
    EXPECT_EQ(surface.image().size(), QSize(32, 32));
    EXPECT_EQ(surface.image().pixel(20, 20), kRedRgb);
    EXPECT_TRUE(isWhite(surface.image(), 5, 5));
    // Without a back colour the surface stays black under the transparent parts.
    ASSERT_TRUE(surface.createFromPicture(IconPicture { icon, QPoint(8, 4) }, -1));
    EXPECT_EQ(surface.image().size(), QSize(16, 8));
    EXPECT_EQ(surface.image().pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_FALSE(surface.createFromPicture(IconPicture { icon, QPoint(0, 16) }, -1));
}

TEST(Bitmap, CopiesWithANegativeExtentTakeTheWholeSurface)
{
    Bitmap surface;
    ASSERT_TRUE(surface.create(12, 7, 24));
    surface.fill(kRed);
    ProbeCanvas page(20, 20);
    surface.paintPicture(&page.dc, 3, 2, -1, -1, 0, 0);
    const QImage &img = page.finished();
    EXPECT_EQ(inkColumns(img, 0, 20), std::make_pair(3, 14));
    EXPECT_EQ(inkRows(img), std::make_pair(2, 8));
    // An 8-bit surface takes copies and fills with the nearest grey.
    ASSERT_TRUE(surface.create(4, 4, 8));
    surface.fill(0x808080);
    EXPECT_EQ(surface.image().pixelIndex(1, 1), 128);
    surface.loadPicture(&page.dc, 16, 16, -1, -1);
    EXPECT_EQ(surface.image().pixelIndex(1, 1), 255);
}

TEST(Bitmap, ViewportIsClampedToTheSurface)
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
    Bitmap surface;
    ASSERT_TRUE(surface.create(10, 8, 24));
    for (const auto &row : rows) {
        surface.setViewport(row.x1, row.y1, row.x2, row.y2);
        EXPECT_EQ(surface.viewport(), row.expected) << row.name;
    }
}
