// Lines and shapes of DeviceContext, placed on whole device pixels.
#include "gfx/DeviceContext.h"

#include <QPainterPath>
#include <cmath>

namespace zet {

namespace {

// The device rectangle spanned by two corners, as edges: pixels left..right-1.
struct Edges
{
    int left, top, right, bottom;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

Edges normalised(const QRect &r)
{
    // r holds (left, top) and a signed size; the size may be negative.
    const int x2 = r.x() + r.width();
    const int y2 = r.y() + r.height();
    return { std::min(r.x(), x2), std::min(r.y(), y2), std::max(r.x(), x2), std::max(r.y(), y2) };
}

// The box of a figure whose outline runs through the pixels left .. right - 1
// (shrink 1 for straight edges, 0.5 for curves, which the rasteriser covers
// up to their rounded extent); without a pen, one pixel less.
QRectF figureRect(const Edges &e, double shrink)
{
    return QRectF(e.left, e.top, std::max(0.0, e.width() - shrink), std::max(0.0, e.height() - shrink));
}

} // namespace

QPen DeviceContext::devicePen() const
{
    if (pen_.style == gdi::kPenNull)
        return QPen(Qt::NoPen);
    const QColor colour = toQColor(pen_.colour);
    const long pixels = std::lround(pen_.width / logicalPerDeviceX());
    if (pixels <= 1) {
        // A hairline: one device pixel whatever the mapping.
        QPen pen(colour, 1);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }
    // Wide pens have round ends.
    return QPen(colour, double(std::min(pixels, 1L << 16)), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DeviceContext::fillDeviceRect(const QRect &rect)
{
    if (brush_.style == gdi::kBrushHollow || rect.isEmpty())
        return;
    QPainter *p = painter();
    if (p != nullptr)
        p->fillRect(rect, toQColor(brush_.colour));
}

void DeviceContext::strokeAndFill(const QPainterPath &devicePath, bool closed)
{
    QPainter *p = painter();
    if (p == nullptr)
        return;
    if (closed && brush_.style != gdi::kBrushHollow)
        p->fillPath(devicePath, toQColor(brush_.colour));
    const QPen pen = devicePen();
    if (pen.style() == Qt::NoPen)
        return;
    p->setBrush(Qt::NoBrush);
    p->setPen(pen);
    p->drawPath(devicePath);
}

void DeviceContext::drawLine(const QPoint &from, const QPoint &to)
{
    const QPoint start = toDevice(from);
    const QPoint end = toDevice(to);
    if (start == end)
        return;
    // A one-pixel pen with flat ends leaves the end pixel out, as GDI does.
    QPainterPath path(start);
    path.lineTo(end);
    strokeAndFill(path, false);
}

void DeviceContext::drawRectangle(int left, int top, int right, int bottom)
{
    const Edges e = normalised(toDevice(left, top, right, bottom));
    if (pen_.style == gdi::kPenNull) {
        // Without a pen the figure is one pixel smaller: left .. right - 2.
        fillDeviceRect(QRect(e.left, e.top, std::max(0, e.width() - 1), std::max(0, e.height() - 1)));
        return;
    }
    QPainterPath path;
    path.addRect(figureRect(e, 1));
    strokeAndFill(path, true);
}

void DeviceContext::drawEllipse(int left, int top, int right, int bottom)
{
    const Edges e = normalised(toDevice(left, top, right, bottom));
    QPainterPath path;
    path.addEllipse(figureRect(e, pen_.style != gdi::kPenNull ? 0.5 : 1.5));
    strokeAndFill(path, true);
}

} // namespace zet
