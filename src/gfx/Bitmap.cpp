#include "gfx/Bitmap.h"

#include <cmath>

namespace zet {

namespace {

constexpr qint64 kMaxSurfaceBytes = qint64(1) << 30;
constexpr double kInchesPerMetre = 1.0 / 0.0254;

int dotsPerMetre(int dpi)
{
    return int(std::lround(dpi * kInchesPerMetre));
}

} // namespace

Bitmap::Bitmap() = default;

Bitmap::~Bitmap()
{
    release();
}

void Bitmap::release()
{
    dc_.reset();
    image_ = QImage();
}

void Bitmap::adopt(QImage image)
{
    image_ = std::move(image);
    dc_ = std::make_unique<DeviceContext>(&image_);
}

const QImage &Bitmap::image()
{
    if (dc_)
        dc_->endPainting();
    return image_;
}

bool Bitmap::create(const QImage &picture)
{
    release();
    if (picture.isNull())
        return false;
    QImage surface = picture.format() == QImage::Format_BGR888
        ? picture
        : picture.convertToFormat(QImage::Format_BGR888);
    if (surface.isNull())
        return false;
    adopt(std::move(surface));
    return true;
}

bool Bitmap::create(const QSize &size, int dpiX, int dpiY)
{
    release();
    if (size.width() < 1 || size.height() < 1)
        return false;
    const qint64 bytes = ((3 * qint64(size.width()) + 3) & ~qint64(3)) * size.height();
    if (bytes > kMaxSurfaceBytes)
        return false;
    QImage image(size, QImage::Format_BGR888);
    if (image.isNull())
        return false;
    image.fill(0); // a new section holds zero bytes: black
    image.setDotsPerMeterX(dotsPerMetre(dpiX > 0 ? dpiX : 96));
    image.setDotsPerMeterY(dotsPerMetre(dpiY > 0 ? dpiY : 96));
    adopt(std::move(image));
    return true;
}

} // namespace zet
