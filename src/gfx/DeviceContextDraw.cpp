// Lines, shapes and fills of DeviceContext, placed on whole device pixels.
#include "gfx/DeviceContext.h"

#include <QPainterPath>
#include <QVector>
#include <cmath>

namespace zet {

namespace {

// Dash patterns of the styled one-pixel pens, in pixels (on, off, ...).
QList<qreal> dashPattern(int style)
{
    switch (style) {
    case gdi::kPenDash:
        return { 18, 6 };
    case gdi::kPenDot:
        return { 3, 3 };
    case gdi::kPenDashDot:
        return { 9, 6, 3, 6 };
    case gdi::kPenDashDotDot:
        return { 9, 3, 3, 3, 3, 3 };
    default:
        return {};
    }
}

Qt::BrushStyle hatchStyle(int hatch)
{
    switch (hatch) {
    case gdi::kHatchHorizontal:
        return Qt::HorPattern;
    case gdi::kHatchVertical:
        return Qt::VerPattern;
    case gdi::kHatchForwardDiagonal:
        return Qt::FDiagPattern;
    case gdi::kHatchBackwardDiagonal:
        return Qt::BDiagPattern;
    case gdi::kHatchCross:
        return Qt::CrossPattern;
    case gdi::kHatchDiagonalCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

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
    const QColor colour = colorFromRef(pen_.colour);
    const long pixels = std::lround(pen_.width / logicalPerDeviceX());
    if (pixels <= 1) {
        // A hairline: one device pixel whatever the mapping.
        QPen pen(colour, 1);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        const QList<qreal> dashes = dashPattern(pen_.style);
        if (!dashes.isEmpty())
            pen.setDashPattern(dashes);
        return pen;
    }
    // Wide pens are always solid, with round ends.
    return QPen(colour, double(std::min(pixels, 1L << 16)), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DeviceContext::fillDeviceRect(const QRect &rect, const GdiBrush &brush)
{
    if (brush.style == gdi::kBrushHollow || rect.isEmpty())
        return;
    QPainterPath path;
    path.addRect(rect);
    QPainter *p = painter();
    if (p == nullptr)
        return;
    if (!fillHatched(p, path, brush))
        p->fillRect(rect, colorFromRef(brush.colour));
}

bool DeviceContext::fillHatched(QPainter *p, const QPainterPath &path, const GdiBrush &brush)
{
    if (brush.style != gdi::kBrushHatched)
        return false;
    if (bkMode_ == gdi::kBkOpaque)
        p->fillPath(path, colorFromRef(bkColour_));
    p->fillPath(path, QBrush(colorFromRef(brush.colour), hatchStyle(brush.hatch)));
    return true;
}

void DeviceContext::strokeAndFill(const QPainterPath &devicePath, bool closed)
{
    QPainter *p = painter();
    if (p == nullptr)
        return;
    if (closed && brush_.style != gdi::kBrushHollow && !fillHatched(p, devicePath, brush_))
        p->fillPath(devicePath, colorFromRef(brush_.colour));
    QPen pen = devicePen();
    if (pen.style() == Qt::NoPen)
        return;
    p->setBrush(Qt::NoBrush);
    if (pen.style() == Qt::CustomDashLine && bkMode_ == gdi::kBkOpaque) {
        // The gaps of a styled line show the background colour.
        QPen gaps(pen);
        gaps.setStyle(Qt::SolidLine);
        gaps.setColor(colorFromRef(bkColour_));
        p->setPen(gaps);
        p->drawPath(devicePath);
    }
    p->setPen(pen);
    p->drawPath(devicePath);
}

void DeviceContext::lineTo(int x, int y)
{
    const QPoint from = toDevice(position_);
    const QPoint to = toDevice(QPoint(x, y));
    position_ = QPoint(x, y);
    if (from == to)
        return;
    // A one-pixel pen with flat ends leaves the end pixel out, as GDI does.
    QPainterPath path(from);
    path.lineTo(to);
    strokeAndFill(path, false);
}

void DeviceContext::rectangle(int left, int top, int right, int bottom)
{
    const Edges e = normalised(toDevice(left, top, right, bottom));
    const bool outlined = pen_.style != gdi::kPenNull;
    if (!outlined) {
        // Without a pen the figure is one pixel smaller: left .. right - 2.
        fillDeviceRect(QRect(e.left, e.top, std::max(0, e.width() - 1), std::max(0, e.height() - 1)), brush_);
        return;
    }
    QPainterPath path;
    path.addRect(figureRect(e, 1));
    strokeAndFill(path, true);
}

void DeviceContext::roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    const Edges e = normalised(toDevice(left, top, right, bottom));
    const bool outlined = pen_.style != gdi::kPenNull;
    const double rx = std::abs(cornerWidth / logicalPerDeviceX()) / 2.0;
    const double ry = std::abs(cornerHeight / logicalPerDeviceY()) / 2.0;
    QPainterPath path;
    path.addRoundedRect(figureRect(e, outlined ? 0.5 : 1.5), rx, ry);
    strokeAndFill(path, true);
}

void DeviceContext::ellipse(int left, int top, int right, int bottom)
{
    const Edges e = normalised(toDevice(left, top, right, bottom));
    QPainterPath path;
    path.addEllipse(figureRect(e, pen_.style != gdi::kPenNull ? 0.5 : 1.5));
    strokeAndFill(path, true);
}

void DeviceContext::pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2)
{
    const Edges e = normalised(toDevice(left, top, right, bottom));
    const QRectF box = figureRect(e, pen_.style != gdi::kPenNull ? 0.5 : 1.5);
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const QPointF centre = box.center();
    // Angles of the radials on the ellipse, counter-clockwise as seen on the device.
    auto angleOf = [&](int x, int y) {
        const QPointF p = toDevice(QPoint(x, y));
        return qRadiansToDegrees(
            std::atan2(-(p.y() - centre.y()) / box.height(), (p.x() - centre.x()) / box.width()));
    };
    const double start = angleOf(x1, y1);
    double sweep = angleOf(x2, y2) - start;
    // The arc direction is counted in logical space; a flipped y axis turns it round.
    const bool yFlipped = transform().m22() < 0;
    const bool counterClockwise = (arcDirection_ == gdi::kArcCounterClockwise) != yFlipped;
    if (counterClockwise) {
        while (sweep <= 0)
            sweep += 360;
    } else {
        while (sweep >= 0)
            sweep -= 360;
    }
    QPainterPath path(centre);
    path.arcTo(box, start, sweep);
    path.closeSubpath();
    strokeAndFill(path, true);
}

void DeviceContext::polyBezier(const QPolygon &points)
{
    if (points.size() < 4 || (points.size() - 1) % 3 != 0)
        return;
    QPainterPath path(toDevice(points.first()));
    for (int i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(toDevice(points[i]), toDevice(points[i + 1]), toDevice(points[i + 2]));
    strokeAndFill(path, false);
}

void DeviceContext::polyBezierTo(const QPolygon &points)
{
    if (points.isEmpty() || points.size() % 3 != 0)
        return;
    QPolygon all;
    all.reserve(points.size() + 1);
    all << position_ << points;
    polyBezier(all);
    position_ = points.last();
}

void DeviceContext::fillRect(int left, int top, int right, int bottom, int colour)
{
    const Edges e = normalised(toDevice(left, top, right, bottom));
    GdiBrush solid { gdi::kBrushSolid, 0, colour };
    fillDeviceRect(QRect(e.left, e.top, e.width(), e.height()), solid);
}

void DeviceContext::fillPolygon(const QPolygon &points, const GdiBrush &brush)
{
    if (points.size() < 3 || brush.style == gdi::kBrushHollow)
        return;
    QPolygon device;
    device.reserve(points.size());
    for (const QPoint &p : points)
        device << toDevice(p);
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(device);
    QPainter *p = painter();
    if (p == nullptr)
        return;
    if (!fillHatched(p, path, brush))
        p->fillPath(path, colorFromRef(brush.colour));
}

} // namespace zet
