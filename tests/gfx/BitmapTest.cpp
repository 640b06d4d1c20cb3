#include "gfx/Bitmap.h"
#include "support/PixelProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

TEST(Bitmap, CreateReplacesTheSurfaceOrLeavesItEmptyAndKeepsAPicturesColoursAndResolution)
{
    Bitmap surface;
    ASSERT_TRUE(surface.create(QSize(10, 20), 96, 96));
    ASSERT_TRUE(surface.create(QSize(30, 5), 300, 150));
    EXPECT_EQ(surface.image().size(), QSize(30, 5));
    EXPECT_EQ(surface.image().pixel(29, 4), qRgb(0, 0, 0)); // a new surface is black
    EXPECT_EQ(surface.deviceContext()->logicalDpiX(), 300);
    EXPECT_EQ(surface.deviceContext()->logicalDpiY(), 150);
    for (QSize size : { QSize(0, 10), QSize(10, -1), QSize(20000, 20000) }) { // the last over 1 GiB
        SCOPED_TRACE(::testing::Message() << size.width() << " x " << size.height());
        ASSERT_TRUE(surface.create(QSize(5, 5), 96, 96));
        EXPECT_FALSE(surface.create(size, 96, 96));
        EXPECT_EQ(surface.deviceContext(), nullptr);
    }
    EXPECT_FALSE(surface.create(QImage()));
    EXPECT_EQ(surface.deviceContext(), nullptr);

    // From a picture: its colours and resolution in 24 bits.
    ASSERT_TRUE(surface.create(greyCanvas(7, 3, 300).convertToFormat(QImage::Format_Indexed8)));
    EXPECT_EQ(surface.image().format(), QImage::Format_BGR888);
    EXPECT_EQ(surface.image().pixel(3, 2), kCanvasGrey);
    EXPECT_EQ(surface.deviceContext()->logicalDpiX(), 300);
}
