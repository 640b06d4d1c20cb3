#include "template/ImageList.h"

#include "TemplateTestHelpers.h"

#include <gtest/gtest.h>

namespace zet {
namespace {

using test::asTemplateText;
using test::encoded;
using test::filled;
using test::handMadeGif;

// The B, G, R bytes of one pixel of a 24-bit surface.
QRgb surfacePixel(const QImage &surface, int x, int y)
{
    const uchar *p = surface.constScanLine(y) + 3 * x;
    return qRgb(p[2], p[1], p[0]);
}

// Bitmap and JPEG files state 200 x 100 dpi here; icons and GIFs state none.
// Every surface is at 96 dpi, the resolution pictures are drawn at.
TEST(PictureFromImageBytes, DecodesBitmapIconGifAndJpegIntoA24BitSurface)
{
    const QRgb orange = qRgb(250, 120, 10);
    QImage source = filled(5, 3, orange);
    source.setDotsPerMeterX(7874);
    source.setDotsPerMeterY(3937);
    const std::tuple<const char *, QByteArray, int, int> files[] = { // dots per metre across, down
        { "BMP", encoded(source, "BMP"), 3780, 3780 }, { "ICO", encoded(source, "ICO"), 3780, 3780 },
        { "JPEG", encoded(source, "JPEG"), 3780, 3780 },
        { "GIF", handMadeGif(5, 3, { orange }, QList<int>(15, 0)), 3780, 3780 }
    };
    for (const auto &[what, bytes, dotsAcross, dotsDown] : files) {
        SCOPED_TRACE(what);
        const QImage surface = pictureFromImageBytes(asTemplateText(bytes));
        ASSERT_EQ(surface.format(), QImage::Format_BGR888);
        EXPECT_EQ(surface.size(), QSize(5, 3));
        const QRgb pixel = surfacePixel(surface, 4, 2);
        EXPECT_NEAR(qRed(pixel), 250, 6);
        EXPECT_NEAR(qGreen(pixel), 120, 6);
        EXPECT_NEAR(qBlue(pixel), 10, 6);
        EXPECT_EQ(surface.dotsPerMeterX(), dotsAcross);
        EXPECT_EQ(surface.dotsPerMeterY(), dotsDown);
    }
}

TEST(PictureFromImageBytes, KeepsPixelPositionsAndMakesTransparentPartsBlack)
{
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0);
    const QImage gif = pictureFromImageBytes(
        asTemplateText(handMadeGif(3, 2, { red, blue, green }, { 0, 1, 2, 2, 1, 0 })));
    ASSERT_EQ(gif.size(), QSize(3, 2));
    EXPECT_EQ(surfacePixel(gif, 1, 0), blue);
    EXPECT_EQ(surfacePixel(gif, 2, 0), green);
    EXPECT_EQ(surfacePixel(gif, 0, 1), green);
    EXPECT_EQ(surfacePixel(gif, 2, 1), red);

    QImage icon = filled(4, 4, qRgba(0, 0, 0, 0), QImage::Format_ARGB32);
    icon.setPixel(1, 1, qRgba(255, 255, 255, 255));
    const QImage fromIcon = pictureFromImageBytes(asTemplateText(encoded(icon, "ICO")));
    ASSERT_FALSE(fromIcon.isNull());
    EXPECT_EQ(surfacePixel(fromIcon, 0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(surfacePixel(fromIcon, 1, 1), qRgb(255, 255, 255));
}

TEST(PictureFromImageBytes, RefusesWhatIsNotAnAcceptedPictureAndSurvivesCutFiles)
{
    const QString bmp = asTemplateText(encoded(filled(3, 3, qRgb(1, 2, 3)), "BMP"));
    const std::pair<const char *, QString> cases[] = {
        { "empty", QString() },
        { "PNG", asTemplateText(encoded(filled(3, 3, qRgb(1, 2, 3)), "PNG")) },
        { "random bytes", asTemplateText(test::randomBytes(4096)) },
        { "GIF header only",
            asTemplateText(handMadeGif(8, 8, { qRgb(1, 1, 1) }, QList<int>(64, 0)).left(13)) },
        { "character above 255", bmp + QChar(0x20AC) },
    };
    ASSERT_FALSE(pictureFromImageBytes(bmp).isNull());
    for (const auto &[what, text] : cases)
        EXPECT_TRUE(pictureFromImageBytes(text).isNull()) << what;

    // What arrived of a cut file may decode, but never crashes.
    const QByteArray files[] = { handMadeGif(16, 16, { qRgb(1, 1, 1), qRgb(200, 0, 0) }, QList<int>(256, 1)),
        encoded(filled(16, 16, qRgb(1, 2, 3)), "BMP"), encoded(filled(16, 16, qRgb(1, 2, 3)), "JPEG"),
        encoded(filled(16, 16, qRgb(1, 2, 3)), "ICO") };
    for (const QByteArray &file : files) {
        for (qsizetype length = 0; length < file.size(); length += 7) {
            const QImage surface = pictureFromImageBytes(asTemplateText(file.left(length)));
            EXPECT_TRUE(surface.isNull() || surface.format() == QImage::Format_BGR888);
        }
    }
}

} // namespace
} // namespace zet
