#pragma once

#include "gfx/DeviceContext.h"
#include "gfx/clsGFX_API.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <gtest/gtest.h>

namespace zet::testing {

// The colour an untouched canvas keeps, so that white paint is visible.
constexpr QRgb kCanvasGrey = 0xFF808080;

inline QImage GreyCanvas(int width, int height, int dpi)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kCanvasGrey);
    const int dotsPerMetre = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

// A report colour (red in the low byte) as the pixel it paints.
inline QRgb Pixel(int reportColour)
{
    return qRgb(reportColour & 0xFF, (reportColour >> 8) & 0xFF, (reportColour >> 16) & 0xFF);
}

inline QString Describe(QRgb rgb)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(qRed(rgb)).arg(qGreen(rgb)).arg(qBlue(rgb));
}

// Checks the pixel at (x, y) against an expected colour, up to tolerance per
// channel (smoothing and anti-aliasing).
inline ::testing::AssertionResult PixelIs(const QImage &image, int x, int y, QRgb expected, int tolerance = 0)
{
    if (!image.rect().contains(x, y))
        return ::testing::AssertionFailure() << "(" << x << "," << y << ") is outside the image";
    const QRgb actual = image.pixel(x, y);
    const bool close = qAbs(qRed(actual) - qRed(expected)) <= tolerance
        && qAbs(qGreen(actual) - qGreen(expected)) <= tolerance
        && qAbs(qBlue(actual) - qBlue(expected)) <= tolerance;
    if (close)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "pixel (" << x << "," << y << ") is " << Describe(actual).toStdString() << ", expected "
        << Describe(expected).toStdString();
}

// Whether some pixel within radius of (x, y) has the colour (thin lines
// whose exact pixel depends on rounding).
inline ::testing::AssertionResult PixelNear(const QImage &image, int x, int y, QRgb expected, int radius = 1)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (image.rect().contains(x + dx, y + dy) && image.pixel(x + dx, y + dy) == expected)
                return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "no " << Describe(expected).toStdString() << " pixel near (" << x << "," << y << ")";
}

// Bounding box of the pixels in area darker than a mid grey (text ink on a
// light background); an empty rectangle when there is none.
inline QRect InkBox(const QImage &image, const QRect &area)
{
    QRect box;
    const QRect clipped = area & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                box |= QRect(x, y, 1, 1);
    return box;
}

// A drawing context in the twips mapping over a grey image.
class TwipsCanvas
{
public:
    TwipsCanvas(int width, int height, int dpi)
        : image(GreyCanvas(width, height, dpi))
        , context(&image)
    {
        api.HDC_Attach(&context);
        api.Config_SetScaleMode(gdi::kMapTwipsScale);
    }

    // Ends drawing and returns the picture.
    const QImage &finish()
    {
        api.Config_SetScaleMode(gdi::kMapText);
        api.HDC_Detach();
        context.endPainting();
        return image;
    }

    QImage image;
    DeviceContext context;
    clsGFX_API api;
};

} // namespace zet::testing
