// Bit-block copies between device contexts.
#include "gfx/DeviceContext.h"

#include <QPaintEngine>
#include <QPixmap>
#include <cstring>

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

// Copies source into an 8-bit image at topLeft, matching colours to its table.
void copyIntoIndexed(QImage &target, const QPoint &topLeft, const QImage &source)
{
    QImage indexed = source;
    if (source.format() != QImage::Format_Indexed8 || source.colorTable() != target.colorTable())
        indexed = source.convertToFormat(QImage::Format_Indexed8, target.colorTable());
    const QRect area = QRect(topLeft, indexed.size()).intersected(target.rect());
    if (area.isEmpty())
        return;
    const int fromX = area.x() - topLeft.x();
    const int fromY = area.y() - topLeft.y();
    for (int row = 0; row < area.height(); ++row) {
        std::memcpy(target.scanLine(area.y() + row) + area.x(), indexed.constScanLine(fromY + row) + fromX,
            size_t(area.width()));
    }
}

QPainter::CompositionMode compositionFor(int rasterOp)
{
    switch (rasterOp) {
    case gdi::kSrcPaint:
        return QPainter::RasterOp_SourceOrDestination;
    case gdi::kSrcAnd:
        return QPainter::RasterOp_SourceAndDestination;
    case gdi::kSrcInvert:
        return QPainter::RasterOp_SourceXorDestination;
    case gdi::kNotSrcCopy:
        return QPainter::RasterOp_NotSource;
    default:
        return QPainter::CompositionMode_Source;
    }
}

// The pixels with those of one colour made fully transparent.
QImage withoutColour(const QImage &pixels, int colour)
{
    QImage keyed = pixels.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = colorFromRef(colour).rgb();
    for (int y = 0; y < keyed.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
        }
    }
    return keyed;
}

} // namespace

QImage DeviceContext::grabDevice(const QRect &deviceRect)
{
    if (device_ == nullptr || deviceRect.isEmpty())
        return QImage();
    if (device_->devType() == QInternal::Image) {
        const QImage *image = static_cast<const QImage *>(device_);
        if (deviceRect == image->rect())
            return *image;
        return image->copy(deviceRect);
    }
    if (device_->devType() == QInternal::Pixmap)
        return static_cast<const QPixmap *>(device_)->toImage().copy(deviceRect);
    return QImage();
}

void DeviceContext::stretchBlt(const QRect &destination, DeviceContext &source, const QRect &sourceRect,
    int rasterOp, std::optional<int> transparentColour)
{
    const Span to = positive(toDevice(destination.x(), destination.y(), destination.x() + destination.width(),
        destination.y() + destination.height()));
    if (to.rect.isEmpty())
        return;

    if (rasterOp == gdi::kBlackness || rasterOp == gdi::kWhiteness || rasterOp == gdi::kDstInvert) {
        fillWithRasterOp(to.rect, rasterOp);
        return;
    }

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
    if (source.device() == device_)
        pixels = pixels.copy(); // painting must not change the pixels being copied
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

    const bool smooth = stretchMode_ == gdi::kStretchHalftone && !transparentColour;
    if (target.width() * target.height() > kMaxScaledPixels) {
        // Too large to scale in memory: let the painter scale what it shows.
        drawScaledLarge(target, pixels, rasterOp, smooth, transparentColour);
        return;
    }
    const QRect whole(QPoint(int(std::lround(target.left())), int(std::lround(target.top()))),
        QPoint(int(std::lround(target.right())) - 1, int(std::lround(target.bottom())) - 1));
    if (whole.isEmpty())
        return;
    if (pixels.size() != whole.size()) {
        // Halftone averages the source pixels; the other modes pick the nearest.
        pixels = pixels.scaled(
            whole.size(), Qt::IgnoreAspectRatio, smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
    }

    if (transparentColour)
        pixels = withoutColour(pixels, *transparentColour);
    drawCopied(whole.topLeft(), pixels, rasterOp, transparentColour.has_value());
}

void DeviceContext::fillWithRasterOp(const QRect &rect, int rasterOp)
{
    QPainter *p = painter();
    if (p == nullptr)
        return;
    if (rasterOp == gdi::kDstInvert) {
        if (!p->paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
            return;
        p->setCompositionMode(QPainter::RasterOp_NotDestination);
        p->fillRect(rect, Qt::black);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    p->fillRect(rect, rasterOp == gdi::kBlackness ? Qt::black : Qt::white);
}

void DeviceContext::drawCopied(const QPoint &topLeft, const QImage &pixels, int rasterOp, bool keyed)
{
    if (device_ != nullptr && device_->devType() == QInternal::Image) {
        QImage *image = static_cast<QImage *>(device_);
        if (image->format() == QImage::Format_Indexed8) {
            // No painter on 8 bits: the colours go in as table indices, and
            // transparent pixels are copied like the others.
            endPainting();
            copyIntoIndexed(*image, topLeft, keyed ? pixels.convertToFormat(QImage::Format_RGB32) : pixels);
            return;
        }
    }
    QPainter *p = painter();
    if (p == nullptr)
        return;
    if (!keyed) {
        const QPainter::CompositionMode mode = compositionFor(rasterOp);
        const bool rasterMode = mode != QPainter::CompositionMode_Source;
        if (p->paintEngine()->hasFeature(rasterMode ? QPaintEngine::RasterOpModes : QPaintEngine::PorterDuff))
            p->setCompositionMode(mode);
    }
    p->drawImage(topLeft, pixels);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void DeviceContext::drawScaledLarge(const QRectF &target, const QImage &pixels, int rasterOp, bool smooth,
    std::optional<int> transparentColour)
{
    QPainter *p = painter();
    if (p == nullptr)
        return;
    QImage shown = pixels;
    if (transparentColour)
        shown = withoutColour(pixels, *transparentColour);
    else if (rasterOp != gdi::kSrcCopy && p->paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
        p->setCompositionMode(compositionFor(rasterOp));
    p->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    p->drawImage(target, shown);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

} // namespace zet
