#pragma once

#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "zetview/Error.h"

#include <QColor>
#include <QImage>
#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <utility>

namespace zet::test {

// Report colours (red in the low byte) and the pixels they give.
constexpr int kRed = 0x0000FF;
constexpr int kBlue = 0xFF0000;
const QRgb kRedRgb = qRgb(255, 0, 0);
const QRgb kBlueRgb = qRgb(0, 0, 255);

// A white 24-bit canvas of width x height pixels at the given dots per inch.
inline QImage whiteCanvas(int width, int height, int dpi = 96)
{
    QImage image(width, height, QImage::Format_BGR888);
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    return image;
}

inline bool isWhite(const QImage &image, int x, int y)
{
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

// A pixel with ink: noticeably darker than white.
inline bool hasInk(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 160;
}

// The first and last column (or row) with ink anywhere in [from, to) of the
// other axis; {-1, -1} when none.
inline std::pair<int, int> inkSpan(const QImage &image, bool columns, int from, int to)
{
    std::pair<int, int> span { -1, -1 };
    for (int i = 0; i < (columns ? image.width() : image.height()); ++i) {
        for (int j = from; j < to; ++j) {
            if (hasInk(image, columns ? i : j, columns ? j : i)) {
                span = { span.first < 0 ? i : span.first, i };
                break;
            }
        }
    }
    return span;
}

inline std::pair<int, int> inkColumns(const QImage &image, int top, int bottom)
{
    return inkSpan(image, true, top, bottom);
}

inline std::pair<int, int> inkRows(const QImage &image)
{
    return inkSpan(image, false, 0, image.width());
}

// A white canvas with its own context and a wrapper attached in a scale mode
// (-1 twips, 1 pixels).
struct ProbeCanvas
{
    QImage image;
    DeviceContext dc;
    Canvas api;

    explicit ProbeCanvas(int width = 100, int height = 100, int dpi = 96, int scaleMode = 1)
        : image(whiteCanvas(width, height, dpi))
        , dc(&image)
    {
        api.attach(&dc);
        api.setScaleMode(scaleMode);
    }
    // The pixels, with the painting finished.
    const QImage &finished()
    {
        dc.endPainting();
        return image;
    }
};

// Matches a value in [low, high].
inline auto within(int low, int high)
{
    return testing::AllOf(testing::Ge(low), testing::Le(high));
}

// The number of the zet::Error that f raises; 0 when it raises none.
template <typename F> int errorNumber(F f)
{
    try {
        f();
    } catch (const Error &error) {
        return error.number();
    }
    return 0;
}

inline ReportFont arial(double size)
{
    ReportFont font;
    font.name = QStringLiteral("Arial");
    font.size = size;
    return font;
}

// A 24-bit surface of width x height pixels at dpi: left half red, right half blue.
inline void makeHalves(Bitmap &surface, int width, int height, int dpi = 96)
{
    ASSERT_TRUE(surface.create(width, height, 24, dpi, dpi));
    PixelView view;
    ASSERT_TRUE(surface.lockPixels(view));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool red = x < width / 2;
            view.at(3 * x, y) = red ? 0 : 255; // blue
            view.at(3 * x + 1, y) = 0;
            view.at(3 * x + 2, y) = red ? 255 : 0;
        }
    }
    surface.unlockPixels(view);
}

} // namespace zet::test
