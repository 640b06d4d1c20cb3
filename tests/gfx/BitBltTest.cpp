#include "gfx/Bitmap.h"
#include "support/PixelProbe.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

// A picture of width x height pixels at 96 dpi: left half red, right half blue.
QImage halves(int width, int height)
{
    QImage image = greyCanvas(width, height, 96);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height, kRed);
    painter.fillRect(width / 2, 0, width - width / 2, height, kBlue);
    return image;
}

} // namespace

TEST(BitBlt, RecordedHalftoneSmoothsTheStretchAndStaysOnTheDestination)
{
    // A 2 x 1 picture stretched to 40 x 4, then copied 1:1 from 48 dpi onto 96 dpi below.
    for (int mode : { -1, gdi::kStretchHalftone }) {
        SCOPED_TRACE(mode);
        Bitmap picture;
        ASSERT_TRUE(picture.create(halves(2, 1)));
        TwipsCanvas page(40, 8, 96, MapMode::Pixels);
        Canvas source;
        source.attach(picture.deviceContext());
        source.setStretchMode(mode);
        source.stretchTo(&page.context, QRect(0, 0, 40, 4), QRect(0, 0, 2, 1));
        EXPECT_EQ(page.context.stretchMode(), mode == -1 ? gdi::kStretchBlackOnWhite : mode);
        picture.deviceContext()->setLogicalDpi(48, 48);
        source.setMapMode(MapMode::Twips);
        page.api.setMapMode(MapMode::Twips);
        source.copyTo(&page.context, QRect(0, 60, 60, 30)); // 4 x 2 pixels from 2 x 1
        const QImage &img = page.image();
        const auto blended
            = [&img](int x, int y) { return img.pixel(x, y) != kRed && img.pixel(x, y) != kBlue; };
        expectProbes(img, { { 0, 0, kRed }, { 39, 3, kBlue } });
        EXPECT_EQ(blended(19, 2), mode != -1); // the middle of the stretch
        EXPECT_EQ(blended(1, 5), mode != -1); // the seam of the copy
    }
}

TEST(BitBlt, StretchCopiesLandWhereTheirRectanglesSay)
{
    // A 10 x 10 picture, left half red, right half blue, onto a grey 40 x 40 page.
    const std::tuple<const char *, QRect, QRect, std::vector<Probe>> rows[] = {
        { "NegativeWidthMirrors", { 20, 0, -20, 10 }, { 0, 0, 10, 10 },
            { { 1, 5, kBlue }, { 18, 5, kRed }, { 25, 5, kCanvasGrey }, { 5, 10, kCanvasGrey } } },
        // Only the part on the picture is copied: (15, 15) .. (24, 24).
        { "SourceBeyondItsDevice", { 10, 10, 20, 20 }, { -5, -5, 20, 20 },
            { { 14, 20, kCanvasGrey }, { 20, 14, kCanvasGrey }, { 15, 15, kRed }, { 24, 24, kBlue },
                { 25, 20, kCanvasGrey }, { 20, 25, kCanvasGrey } } },
        // Scaled while drawing: the red half alone covers the page.
        { "HugeAroundThePage", { -1000, -1000, 400000, 400000 }, { 0, 0, 10, 10 },
            { { 0, 0, kRed }, { 39, 39, kRed } } },
        { "HugeFromTheCorner", { 0, 0, 1 << 30, 1 << 30 }, { 0, 0, 10, 10 },
            { { 0, 0, kRed }, { 39, 39, kRed } } },
    };
    Bitmap picture;
    ASSERT_TRUE(picture.create(halves(10, 10)));
    Canvas source;
    source.attach(picture.deviceContext());
    for (const auto &[name, target, sourceRect, probes] : rows) {
        SCOPED_TRACE(name);
        TwipsCanvas page(40, 40, 96, MapMode::Pixels);
        source.stretchTo(&page.context, target, sourceRect);
        expectProbes(page.image(), probes);
    }
}
