#pragma once

#include <QColor>
#include <QImage>

namespace zet::test {

// A white 24-bit canvas of w x h pixels at the given dots per inch.
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

// The first and last columns in [0, width) with ink in any row of [top, bottom); -1 when none.
inline std::pair<int, int> inkColumns(const QImage &image, int top, int bottom)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = top; y < bottom; ++y) {
            if (hasInk(image, x, y)) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return { first, last };
}

// The first and last rows with ink in any column; -1 when none.
inline std::pair<int, int> inkRows(const QImage &image)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (hasInk(image, x, y)) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
        }
    }
    return { first, last };
}

} // namespace zet::test
