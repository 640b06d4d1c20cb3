#include "template/ImageList.h"

#include "TemplateTestHelpers.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace zet;

namespace {

// A picture file written by Qt's own encoder, one character per byte.
QString encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return QString::fromLatin1(bytes);
}

// The B, G, R bytes of one pixel of a 24-bit surface.
QRgb surfacePixel(const QImage &surface, int x, int y)
{
    const uchar *p = surface.constScanLine(y) + 3 * x;
    return qRgb(p[2], p[1], p[0]);
}

} // namespace

TEST(PictureFromImageBytes, DecodesBitmapIconGifAndJpegIntoA24BitSurfaceAndNothingElse)
{
    QImage source(3, 2, QImage::Format_RGB32);
    source.fill(qRgb(250, 120, 10));
    for (const QString &file : { encoded(source, "BMP"), encoded(source, "ICO"), encoded(source, "JPEG"),
             test::gif3x2(qRgb(250, 120, 10)) }) {
        const QImage surface = pictureFromImageBytes(file);
        ASSERT_EQ(surface.format(), QImage::Format_BGR888) << file.left(4).toStdString();
        EXPECT_EQ(surface.size(), QSize(3, 2));
        const QRgb pixel = surfacePixel(surface, 0, 0);
        EXPECT_LE(
            std::abs(qRed(pixel) - 250) + std::abs(qGreen(pixel) - 120) + std::abs(qBlue(pixel) - 10), 12);
    }
    for (const QString &text : { QString(), encoded(source, "PNG"), QString(4096, QChar(0x9c)),
             test::gif3x2(0).left(13), encoded(source, "BMP") + QChar(0x20AC) })
        EXPECT_TRUE(pictureFromImageBytes(text).isNull()) << text.left(16).toStdString();
}

TEST(PictureFromImageBytes, KeepsPixelPositionsAndMakesTransparentPartsBlack)
{
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0);
    const QImage gif = pictureFromImageBytes(test::gif3x2(red, blue, green));
    ASSERT_EQ(gif.size(), QSize(3, 2));
    EXPECT_EQ((QList<QRgb> { surfacePixel(gif, 1, 0), surfacePixel(gif, 2, 0), surfacePixel(gif, 2, 1) }),
        (QList<QRgb> { blue, green, red }));
    QImage icon(4, 4, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixel(1, 1, qRgba(255, 255, 255, 255));
    const QImage fromIcon = pictureFromImageBytes(encoded(icon, "ICO"));
    ASSERT_FALSE(fromIcon.isNull());
    EXPECT_EQ((QList<QRgb> { surfacePixel(fromIcon, 0, 0), surfacePixel(fromIcon, 1, 1) }),
        (QList<QRgb> { qRgb(0, 0, 0), qRgb(255, 255, 255) }));
}
