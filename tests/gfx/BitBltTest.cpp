#include "gfx/Bitmap.h"
#include "support/PixelProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

const QRgb kRedRgb = qRgb(255, 0, 0);
const QRgb kBlueRgb = qRgb(0, 0, 255);

// A picture of width x height pixels at dpi: left half red, right half blue.
QImage halves(int width, int height, int dpi = 96)
{
    QImage image(width, height, QImage::Format_BGR888);
    image.fill(QColor(kBlueRgb));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            image.setPixel(x, y, kRedRgb);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    return image;
}

} // namespace

TEST(BitBlt, CopyInTwipsBetweenResolutionsKeepsPhysicalSize)
{
    for (auto [pictureDpi, pageDpi] : { std::pair { 96, 300 }, { 300, 96 } }) {
        SCOPED_TRACE(::testing::Message() << pictureDpi << " dpi on " << pageDpi << " dpi");
        // A picture one inch wide and half an inch high, drawn at half an inch from the corner.
        Bitmap picture;
        ASSERT_TRUE(picture.create(halves(pictureDpi, pictureDpi / 2, pictureDpi)));
        TwipsCanvas page(2 * pageDpi, 2 * pageDpi, pageDpi);
        Canvas source;
        source.attach(picture.deviceContext());
        source.setMapMode(MapMode::Twips);
        source.copyTo(&page.context, QRect(720, 720, 1440, 720));
        const QImage &img = page.image();
        const int half = pageDpi / 2;
        EXPECT_EQ(inkBox(img, img.rect()), QRect(half, half, pageDpi, half));
        EXPECT_EQ(img.pixel(2 * half - 3, half + 5), kRedRgb);
        EXPECT_EQ(img.pixel(2 * half + 3, half + 5), kBlueRgb);
    }
}

TEST(BitBlt, RecordedHalftoneSmoothsTheStretchAndStaysOnTheDestination)
{
    // A 2 x 1 picture, red and blue, stretched to 40 x 4 and then copied 1:1 at 2x.
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
        // An unstretched copy at another resolution is scaled in the destination's mode.
        picture.deviceContext()->setLogicalDpi(48, 48);
        source.setMapMode(MapMode::Twips);
        page.api.setMapMode(MapMode::Twips);
        source.copyTo(&page.context, QRect(0, 60, 60, 30)); // 4 x 2 pixels from 2 x 1
        const QImage &img = page.image();
        int blended = 0;
        for (int x = 0; x < 40; ++x)
            blended += img.pixel(x, 2) != kRedRgb && img.pixel(x, 2) != kBlueRgb;
        EXPECT_TRUE(mode == -1 ? blended == 0 : blended > 4) << blended << " blended pixels";
        EXPECT_EQ(img.pixel(0, 0), kRedRgb);
        EXPECT_EQ(img.pixel(39, 3), kBlueRgb);
        const QRgb seam = img.pixel(1, 5);
        EXPECT_EQ(seam != kRedRgb && seam != kBlueRgb, mode != -1) << std::hex << seam;
    }
}

TEST(BitBlt, StretchCopiesLandWhereTheirRectanglesSay)
{
    // A 10 x 10 picture, left half red, right half blue, onto a grey 40 x 40 page.
    const struct
    {
        const char *name;
        QRect target, source;
        std::vector<Probe> probes;
    } rows[] = {
        { "NegativeWidthMirrors", { 20, 0, -20, 10 }, { 0, 0, 10, 10 },
            { { 1, 5, kBlueRgb }, { 18, 5, kRedRgb }, { 25, 5, kCanvasGrey }, { 5, 10, kCanvasGrey } } },
        // Only the part on the picture is copied: (15, 15) .. (24, 24).
        { "SourceBeyondItsDevice", { 10, 10, 20, 20 }, { -5, -5, 20, 20 },
            { { 14, 20, kCanvasGrey }, { 20, 14, kCanvasGrey }, { 15, 15, kRedRgb }, { 24, 24, kBlueRgb },
                { 25, 20, kCanvasGrey }, { 20, 25, kCanvasGrey } } },
        // Scaled while drawing: the red half alone covers the page.
        { "HugeAroundThePage", { -1000, -1000, 400000, 400000 }, { 0, 0, 10, 10 },
            { { 0, 0, kRedRgb }, { 39, 39, kRedRgb } } },
        { "HugeFromTheCorner", { 0, 0, 1 << 30, 1 << 30 }, { 0, 0, 10, 10 },
            { { 0, 0, kRedRgb }, { 39, 39, kRedRgb } } },
    };
    Bitmap picture;
    ASSERT_TRUE(picture.create(halves(10, 10)));
    Canvas source;
    source.attach(picture.deviceContext());
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TwipsCanvas page(40, 40, 96, MapMode::Pixels);
        source.stretchTo(&page.context, row.target, row.source);
        expectProbes(page.image(), row.probes);
    }
}
