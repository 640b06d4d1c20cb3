#pragma once

#include "gfx/DeviceContext.h"

#include <QImage>
#include <QSize>
#include <memory>

namespace zet {

// An off-screen bitmap: a 24-bit QImage (blue, green, red bytes per pixel)
// with its own DeviceContext. Its logical dpi is the image's dots per metre.
// Sizes are pixels. An empty surface has no context (deviceContext is
// nullptr), so drawing on it or copying from it has no effect.
class Bitmap
{
public:
    Bitmap();
    ~Bitmap();
    Bitmap(const Bitmap &) = delete;
    Bitmap &operator=(const Bitmap &) = delete;

    // Builds a surface of zero bytes (black) at the given resolution,
    // replacing any previous one. False, with the surface left empty, for a
    // size below 1 pixel or a picture over 1 GiB.
    bool create(const QSize &size, int dpiX, int dpiY);
    // Builds the surface from a picture, converted to 24 bits unless it has
    // them (transparency is dropped); the picture's dots per metre are kept.
    // The pixels of a 24-bit picture are shared until either side changes
    // them. False for a null picture.
    bool create(const QImage &picture);

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    // The surface's context; nullptr while the surface is empty.
    DeviceContext *deviceContext() { return dc_.get(); }
    // The surface's image, with any pending painting finished. Copies of it
    // are independent of the surface.
    const QImage &image();

private:
    void release();
    void adopt(QImage image);

    QImage image_;
    std::unique_ptr<DeviceContext> dc_;
};

} // namespace zet
