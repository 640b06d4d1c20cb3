// Bit-block copies between device contexts.
#include "gfx/DeviceContext.h"

#include <QPaintEngine>
#include <cmath>

namespace zet {

namespace {

// Scaled copies up to this many pixels are made in memory (averaging when
// smoothing); larger ones are scaled by the painter as it draws.
constexpr double kMaxScaledPixels = 40e6;

// The rectangle of r (a corner and a signed size) with a positive size, and
// whether it was mirrored along x and y.
struct Span
{
    QRect rect;
    bool mirrorX = false;
    bool mirrorY = false;
};

Span positive(const QRect &r)
{
    Span s;
    int x = r.x();
    int y = r.y();
    int w = r.width();
    int h = r.height();
    if (w < 0) {
        x += w;
        w = -w;
        s.mirrorX = true;
    }
    if (h < 0) {
        y += h;
        h = -h;
        s.mirrorY = true;
    }
    s.rect = QRect(x, y, w, h);
    return s;
}

} // namespace

// The device pixels of a rectangle as an image; null when the device cannot
// be read (only images can).
QImage DeviceContext::grabDevice(const QRect &deviceRect) const
{
    if (device_ == nullptr || deviceRect.isEmpty() || device_->devType() != QInternal::Image)
        return QImage();
    const QImage *image = static_cast<const QImage *>(device_);
    if (deviceRect == image->rect())
        return *image;
    return image->copy(deviceRect);
}

void DeviceContext::stretchBlt(const QRect &destination, DeviceContext &source, const QRect &sourceRect)
{
    const Span to = positive(toDevice(destination.x(), destination.y(), destination.x() + destination.width(),
        destination.y() + destination.height()));
    if (to.rect.isEmpty())
        return;
    const Span from = positive(source.toDevice(sourceRect.x(), sourceRect.y(),
        sourceRect.x() + sourceRect.width(), sourceRect.y() + sourceRect.height()));
    if (from.rect.isEmpty())
        return;
    // Only the part of the source rectangle on the source device is copied,
    // to where that part lands in the destination rectangle.
    const QRect part = from.rect.intersected(QRect(QPoint(0, 0), source.deviceSize()));
    if (part.isEmpty())
        return;
    QImage pixels = source.grabDevice(part);
    if (pixels.isNull())
        return;
    const bool mirrorX = from.mirrorX != to.mirrorX;
    const bool mirrorY = from.mirrorY != to.mirrorY;
    if (mirrorX || mirrorY)
        pixels = pixels.mirrored(mirrorX, mirrorY);
    const double scaleX = double(to.rect.width()) / from.rect.width();
    const double scaleY = double(to.rect.height()) / from.rect.height();
    const int skipX = mirrorX ? from.rect.right() - part.right() : part.left() - from.rect.left();
    const int skipY = mirrorY ? from.rect.bottom() - part.bottom() : part.top() - from.rect.top();
    const QRectF target(to.rect.x() + skipX * scaleX, to.rect.y() + skipY * scaleY, part.width() * scaleX,
        part.height() * scaleY);

    const bool smooth = stretchMode_ == gdi::kStretchHalftone;
    if (target.width() * target.height() > kMaxScaledPixels) {
        // Too large to scale in memory: let the painter scale what it shows.
        drawScaledLarge(target, pixels, smooth);
        return;
    }
    const QRect whole(QPoint(int(std::lround(target.left())), int(std::lround(target.top()))),
        QPoint(int(std::lround(target.right())) - 1, int(std::lround(target.bottom())) - 1));
    if (whole.isEmpty())
        return;
    if (pixels.size() != whole.size()) {
        // Halftone averages the source pixels; the other mode picks the nearest.
        pixels = pixels.scaled(
            whole.size(), Qt::IgnoreAspectRatio, smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
    }
    drawCopied(whole.topLeft(), pixels);
}

void DeviceContext::drawCopied(const QPoint &topLeft, const QImage &pixels)
{
    QPainter *p = painter();
    if (p == nullptr)
        return;
    if (p->paintEngine()->hasFeature(QPaintEngine::PorterDuff))
        p->setCompositionMode(QPainter::CompositionMode_Source);
    p->drawImage(topLeft, pixels);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void DeviceContext::drawScaledLarge(const QRectF &target, const QImage &pixels, bool smooth)
{
    QPainter *p = painter();
    if (p == nullptr)
        return;
    p->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    p->drawImage(target, pixels);
}

} // namespace zet
