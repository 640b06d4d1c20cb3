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
    image.save(&buffer, format);
    return QString::fromLatin1(bytes);
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
        const QRgb pixel = surface.pixel(0, 0);
        EXPECT_LE(
            std::abs(qRed(pixel) - 250) + std::abs(qGreen(pixel) - 120) + std::abs(qBlue(pixel) - 10), 12);
    }
    for (const QString &text : { QString(), encoded(source, "PNG"), QString(4096, QChar(0x9c)),
             test::gif3x2(0).left(13), encoded(source, "BMP") + QChar(0x20AC) })
        EXPECT_TRUE(pictureFromImageBytes(text).isNull()) << text.left(16).toStdString();
}
