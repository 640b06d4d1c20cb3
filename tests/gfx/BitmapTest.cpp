#include "gfx/Bitmap.h"
#include "support/PixelProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

TEST(Bitmap, CreateReplacesTheSurfaceAndAFailedOneLeavesItEmpty)
{
    Bitmap surface;
    ASSERT_TRUE(surface.create(QSize(10, 20), 96, 96));
    ASSERT_TRUE(surface.create(QSize(30, 5), 300, 150));
    EXPECT_EQ(surface.image().size(), QSize(30, 5));
    EXPECT_EQ(surface.image().pixel(29, 4), qRgb(0, 0, 0)); // a new surface is black
    EXPECT_EQ(surface.deviceContext()->logicalDpiX(), 300);
    EXPECT_EQ(surface.deviceContext()->logicalDpiY(), 150);
    // Zero width, negative height, over a gigabyte.
    for (QSize size : { QSize(0, 10), QSize(10, -1), QSize(20000, 20000) }) {
        SCOPED_TRACE(::testing::Message() << size.width() << " x " << size.height());
        ASSERT_TRUE(surface.create(QSize(5, 5), 96, 96));
        EXPECT_FALSE(surface.create(size, 96, 96));
        EXPECT_EQ(surface.deviceContext(), nullptr);
        EXPECT_EQ(surface.width(), 0);
    }
}

TEST(Bitmap, FromAPictureKeepsItsColoursAndResolution)
{
    QImage indexed(7, 3, QImage::Format_Indexed8);
    indexed.setColorTable({ qRgb(0, 0, 0), qRgb(10, 200, 30) });
    indexed.fill(1);
    indexed.setDotsPerMeterX(11811);
    indexed.setDotsPerMeterY(5906);
    QImage transparent(4, 4, QImage::Format_ARGB32);
    transparent.fill(Qt::transparent);
    transparent.setDotsPerMeterX(0);
    const struct
    {
        const char *name;
        QImage picture;
        QRgb colour;
        int dpiX, dpiY;
    } rows[] = {
        { "Indexed", indexed, qRgb(10, 200, 30), 300, 150 },
        { "TransparentOverWhite", transparent, qRgb(255, 255, 255), 96, 96 },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Bitmap surface;
        ASSERT_TRUE(surface.create(row.picture));
        EXPECT_EQ(surface.image().format(), QImage::Format_BGR888);
        EXPECT_EQ(surface.image().pixel(3, 2), row.colour);
        EXPECT_EQ(surface.deviceContext()->logicalDpiX(), row.dpiX);
        EXPECT_EQ(surface.deviceContext()->logicalDpiY(), row.dpiY);
    }
    Bitmap surface;
    EXPECT_FALSE(surface.create(QImage()));
    EXPECT_EQ(surface.deviceContext(), nullptr);

    // The pixels are shared until changed: drawing leaves the picture alone.
    const QImage original = greyCanvas(4, 4, 96);
    ASSERT_TRUE(surface.create(original));
    Canvas api;
    api.attach(surface.deviceContext());
    api.selectPen(gdi::kPenNull, 0, 0);
    api.selectBrush(gdi::kBrushSolid, 0x0000FF);
    api.drawRectangle(0, 0, 5, 5);
    EXPECT_EQ(surface.image().pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(original.pixel(1, 1), kCanvasGrey);
}
