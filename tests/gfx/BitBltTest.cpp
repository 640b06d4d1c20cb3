#include "GfxProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

TEST(BitBlt, CopyInTwipsBetweenResolutionsKeepsPhysicalSize)
{
    for (auto [pictureDpi, pageDpi] : { std::pair { 96, 300 }, { 300, 96 } }) {
        SCOPED_TRACE(testing::Message() << pictureDpi << " dpi on " << pageDpi << " dpi");
        // A picture one inch wide and half an inch high, drawn at half an inch from the corner.
        Bitmap picture;
        makeHalves(picture, pictureDpi, pictureDpi / 2, pictureDpi);
        ProbeCanvas page(2 * pageDpi, 2 * pageDpi, pageDpi, -1);
        Canvas source;
        source.attach(picture.deviceContext());
        source.setScaleMode(-1);
        source.paintPicture(&page.dc, 720, 720, 1440, 720, 0, 0);
        const QImage &img = page.finished();
        const int half = pageDpi / 2;
        EXPECT_EQ(inkColumns(img, half + 1, half + 2), std::make_pair(half, half + pageDpi - 1));
        EXPECT_EQ(inkRows(img), std::make_pair(half, 2 * half - 1));
        EXPECT_EQ(img.pixel(2 * half - 3, half + 5), kRedRgb);
        EXPECT_EQ(img.pixel(2 * half + 3, half + 5), kBlueRgb);
    }
}

TEST(BitBlt, HalftoneStretchSmoothsAndTheOtherModesPickPixels)
{
    // A 2 x 1 picture, red and blue, stretched to 40 x 4.
    for (int mode : { -1, 4 }) {
        SCOPED_TRACE(mode);
        Bitmap picture;
        makeHalves(picture, 2, 1);
        ProbeCanvas page(40, 4);
        Canvas source;
        source.attach(picture.deviceContext());
        source.setStretchMode(mode);
        source.paintPictureStretched(&page.dc, 0, 0, 40, 4, 0, 0, 2, 1);
        EXPECT_EQ(page.dc.stretchMode(), mode == 4 ? 4 : 1);
        const QImage &img = page.finished();
        int blended = 0;
        for (int x = 0; x < 40; ++x)
            blended += img.pixel(x, 2) != kRedRgb && img.pixel(x, 2) != kBlueRgb;
        EXPECT_TRUE(mode == 4 ? blended > 4 : blended == 0) << blended << " blended pixels";
        EXPECT_EQ(img.pixel(0, 0), kRedRgb);
        EXPECT_EQ(img.pixel(39, 3), kBlueRgb);
    }
}

TEST(BitBlt, StretchCopiesLandWhereTheirRectanglesSay)
{
    // A 10 x 10 picture, left half red, right half blue, onto a white 40 x 40 page.
    const QRgb white = qRgb(255, 255, 255);
    const struct
    {
        const char *name;
        QRect target, source;
        std::vector<std::pair<QPoint, QRgb>> probes;
    } rows[] = {
        { "NegativeWidthMirrors", { 20, 0, -20, 10 }, { 0, 0, 10, 10 },
            { { { 1, 5 }, kBlueRgb }, { { 18, 5 }, kRedRgb }, { { 25, 5 }, white } } },
        // Only the part on the picture is copied: (15, 15) .. (24, 24).
        { "SourceBeyondItsDevice", { 10, 10, 20, 20 }, { -5, -5, 20, 20 },
            { { { 14, 20 }, white }, { { 20, 14 }, white }, { { 15, 15 }, kRedRgb }, { { 24, 24 }, kBlueRgb },
                { { 25, 20 }, white }, { { 20, 25 }, white } } },
        // Scaled while drawing: the red half alone covers the page.
        { "HugeAroundThePage", { -1000, -1000, 400000, 400000 }, { 0, 0, 10, 10 },
            { { { 0, 0 }, kRedRgb }, { { 39, 39 }, kRedRgb } } },
        { "HugeFromTheCorner", { 0, 0, 1 << 30, 1 << 30 }, { 0, 0, 10, 10 },
            { { { 0, 0 }, kRedRgb }, { { 39, 39 }, kRedRgb } } },
    };
    Bitmap picture;
    makeHalves(picture, 10, 10);
    Canvas source;
    source.attach(picture.deviceContext());
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ProbeCanvas page(40, 40);
        const QRect &t = row.target;
        const QRect &s = row.source;
        source.paintPictureStretched(
            &page.dc, t.x(), t.y(), t.width(), t.height(), s.x(), s.y(), s.width(), s.height());
        const QImage &img = page.finished();
        for (const auto &[at, colour] : row.probes)
            EXPECT_EQ(img.pixel(at), colour) << at.x() << "," << at.y();
    }
}

TEST(BitBlt, TransparentCopyKeepsTheDestinationUnderTheKeyColour)
{
    Bitmap picture;
    makeHalves(picture, 10, 10);
    ProbeCanvas page(40, 40);
    Canvas source;
    source.attach(picture.deviceContext());
    source.setStretchMode(3);
    // Only the width changes: the recorded stretch mode is not set.
    source.paintPictureTransparent(&page.dc, 0, 0, 20, 10, 0, 0, 10, 10, kBlue);
    EXPECT_EQ(page.dc.stretchMode(), 1);
    source.paintPictureTransparent(&page.dc, 0, 20, 20, 20, 0, 0, 10, 10, kBlue);
    EXPECT_EQ(page.dc.stretchMode(), 3);
    const QImage &img = page.finished();
    for (int y : { 5, 30 }) {
        EXPECT_EQ(img.pixel(5, y), kRedRgb);
        EXPECT_TRUE(isWhite(img, 15, y));
    }
}

TEST(BitBlt, RasterOpsCombineSourceAndDestination)
{
    // Green source over a red destination.
    const std::tuple<const char *, int, QRgb> rows[] = {
        { "SourceCopy", gdi::kSrcCopy, qRgb(0, 255, 0) },
        { "SourcePaint", gdi::kSrcPaint, qRgb(255, 255, 0) },
        { "SourceAnd", gdi::kSrcAnd, qRgb(0, 0, 0) },
        { "SourceInvert", gdi::kSrcInvert, qRgb(255, 255, 0) },
        { "NotSourceCopy", gdi::kNotSrcCopy, qRgb(255, 0, 255) },
        { "Blackness", gdi::kBlackness, qRgb(0, 0, 0) },
        { "Whiteness", gdi::kWhiteness, qRgb(255, 255, 255) },
        { "DestinationInvert", gdi::kDstInvert, qRgb(0, 255, 255) },
    };
    Bitmap source;
    ASSERT_TRUE(source.create(4, 4, 24));
    source.fill(0x00FF00);
    for (auto [name, rasterOp, expected] : rows) {
        ProbeCanvas page(4, 4);
        page.image.fill(QColor(255, 0, 0));
        source.paintPicture(&page.dc, 0, 0, -1, -1, 0, 0, rasterOp);
        EXPECT_EQ(page.finished().pixel(2, 2), expected) << name;
    }
}

TEST(BitBlt, OverlappingCopyWithinOneSurfaceMovesTheOriginalPixels)
{
    Bitmap surface;
    ASSERT_TRUE(surface.create(4, 20, 32));
    Canvas api;
    api.attach(surface.deviceContext());
    api.setFillColour(kRed);
    api.fillRect(0, 0, 4, 10);
    api.setFillColour(kBlue);
    api.fillRect(0, 10, 4, 20);
    // 5 pixels down onto itself, while its painter runs: rows written early must not be read again.
    surface.paintPicture(surface.deviceContext(), 0, 5, 4, 20, 0, 0);
    const QImage &img = surface.image();
    EXPECT_EQ(img.pixel(1, 5), kRedRgb);
    EXPECT_EQ(img.pixel(1, 14), kRedRgb);
    EXPECT_EQ(img.pixel(1, 15), kBlueRgb);
    EXPECT_EQ(img.pixel(1, 19), kBlueRgb);
}
