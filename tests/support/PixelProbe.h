#pragma once

#include "gfx/Canvas.h"
#include "gfx/DeviceContext.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <gtest/gtest.h>
#include <vector>

namespace zet::testing {

// The colour an untouched canvas keeps, so that white paint is visible.
constexpr QRgb kCanvasGrey = 0xFF808080;

inline QImage greyCanvas(int width, int height, int dpi)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kCanvasGrey);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    return image;
}

// A picture of width x height pixels, the left half red, the right half blue, stating a resolution.
inline QImage halves(int width, int height, int dotsPerMetre = 3780)
{
    QImage picture(width, height, QImage::Format_BGR888);
    picture.fill(Qt::blue);
    QPainter(&picture).fillRect(0, 0, width / 2, height, Qt::red);
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    return picture;
}

// A report colour (red in the low byte) as the pixel it paints.
inline QRgb pixel(int reportColour)
{
    return qRgb(reportColour & 0xFF, (reportColour >> 8) & 0xFF, (reportColour >> 16) & 0xFF);
}

// One expected pixel: exact, within tolerance per channel (smoothing), or for
// thin lines whose pixel depends on rounding, anywhere within one pixel.
struct Probe
{
    int x, y;
    QRgb colour;
    int tolerance = 0;
    bool near = false;
};

inline Probe near(int x, int y, QRgb colour)
{
    return { x, y, colour, 0, true };
}

inline void expectProbes(const QImage &image, const std::vector<Probe> &probes)
{
    const auto matches = [](QRgb a, QRgb e, int tolerance) {
        return qAbs(qRed(a) - qRed(e)) <= tolerance && qAbs(qGreen(a) - qGreen(e)) <= tolerance
            && qAbs(qBlue(a) - qBlue(e)) <= tolerance;
    };
    for (const Probe &p : probes) {
        const int radius = p.near ? 1 : 0;
        bool found = false;
        for (int y = p.y - radius; y <= p.y + radius; ++y)
            for (int x = p.x - radius; x <= p.x + radius; ++x)
                found = found || (image.valid(x, y) && matches(image.pixel(x, y), p.colour, p.tolerance));
        EXPECT_TRUE(found) << "pixel (" << p.x << "," << p.y << ") is " << std::hex
                           << (image.valid(p.x, p.y) ? image.pixel(p.x, p.y) & 0xFFFFFF : 0xDEAD)
                           << ", expected " << (p.colour & 0xFFFFFF) << (p.near ? " nearby" : "");
    }
}

// Bounding box of the pixels in area darker than a mid grey (text ink on a
// light background); an empty rectangle when there is none.
inline QRect inkBox(const QImage &image, const QRect &area)
{
    QRect box;
    const QRect clipped = area & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                box |= QRect(x, y, 1, 1);
    return box;
}

// A grey canvas drawn on through a Canvas in a mapping (twips unless told);
// image() ends the drawing.
struct TwipsCanvas
{
    TwipsCanvas(int width, int height, int dpi, MapMode mode = MapMode::Twips)
        : picture(greyCanvas(width, height, dpi))
        , context(&picture)
    {
        api.attach(&context);
        api.setMapMode(mode);
    }
    const QImage &image()
    {
        api.setMapMode(MapMode::Pixels);
        api.detach();
        context.endPainting();
        return picture;
    }
    QImage picture;
    DeviceContext context;
    Canvas api;
};

} // namespace zet::testing
