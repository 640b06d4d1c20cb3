#include "gfx/Bitmap.h"

#include <QPainter>
#include <cmath>

namespace zet {

namespace {

constexpr qint64 kMaxSurfaceBytes = qint64(1) << 30;
constexpr double kInchesPerMetre = 1.0 / 0.0254;

int dotsPerMetre(int dpi)
{
    return int(std::lround(dpi * kInchesPerMetre));
}

// The picture as a surface format (24-bit, or 32-bit as it stands).
QImage asSurfaceFormat(const QImage &picture)
{
    if (picture.format() == QImage::Format_BGR888 || picture.format() == QImage::Format_RGB32)
        return picture;
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_BGR888);
    QImage flat(picture.size(), QImage::Format_BGR888);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    painter.end();
    return flat;
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
    if (image.dotsPerMeterX() <= 0 || image.dotsPerMeterY() <= 0) {
        image.setDotsPerMeterX(dotsPerMetre(96));
        image.setDotsPerMeterY(dotsPerMetre(96));
    }
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
    QImage surface = asSurfaceFormat(picture);
    if (surface.isNull())
        return false;
    surface.setDotsPerMeterX(picture.dotsPerMeterX());
    surface.setDotsPerMeterY(picture.dotsPerMeterY());
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
