#include "gfx/Canvas.h"

#include "core/Rounding.h"
#include "core/Twips.h"
#include "zetview/Error.h"

#include <algorithm>
#include <cmath>

namespace zet {

namespace {

// Face names fit a 32-byte field with their terminating zero.
constexpr int kFaceNameBytes = 32;

} // namespace

Canvas::~Canvas()
{
    detach();
}

int Canvas::deviceCapability(int index) const
{
    return dc_ != nullptr ? dc_->deviceCapability(index) : 0;
}

int Canvas::setArcDirection(int direction)
{
    return dc_ != nullptr ? dc_->setArcDirection(direction) : 0;
}

int Canvas::arcDirection() const
{
    return dc_ != nullptr ? dc_->arcDirection() : 0;
}

void Canvas::setScaleMode(int mode)
{
    if (dc_ == nullptr)
        return;
    if (mode == gdi::kMapTwipsScale)
        dc_->setTwipsMapping();
    else
        dc_->setMapMode(mode);
}

void Canvas::setStretchMode(int mode)
{
    stretchMode_ = mode;
}

void Canvas::loadPicture(DeviceContext *source, int sourceX, int sourceY, int width, int height, int rasterOp)
{
    if (dc_ == nullptr || source == nullptr)
        return;
    dc_->stretchBlt(QRect(0, 0, width, height), *source, QRect(sourceX, sourceY, width, height), rasterOp);
}

void Canvas::paintPicture(
    DeviceContext *destination, int x, int y, int width, int height, int sourceX, int sourceY, int rasterOp)
{
    if (dc_ == nullptr || destination == nullptr)
        return;
    destination->stretchBlt(
        QRect(x, y, width, height), *dc_, QRect(sourceX, sourceY, width, height), rasterOp);
}

void Canvas::paintPictureTransparent(DeviceContext *destination, int x, int y, int width, int height,
    int sourceX, int sourceY, int sourceWidth, int sourceHeight, int transparentColour)
{
    if (dc_ == nullptr || destination == nullptr)
        return;
    if (width != sourceWidth && height != sourceHeight && stretchMode_ != -1
        && destination->stretchMode() != stretchMode_)
        destination->setStretchMode(stretchMode_);
    destination->stretchBlt(QRect(x, y, width, height), *dc_,
        QRect(sourceX, sourceY, sourceWidth, sourceHeight), gdi::kSrcCopy, transparentColour);
}

void Canvas::paintPictureStretched(DeviceContext *destination, int x, int y, int width, int height,
    int sourceX, int sourceY, int sourceWidth, int sourceHeight, int rasterOp)
{
    if (dc_ == nullptr || destination == nullptr)
        return;
    if (stretchMode_ != -1 && destination->stretchMode() != stretchMode_)
        destination->setStretchMode(stretchMode_);
    destination->stretchBlt(
        QRect(x, y, width, height), *dc_, QRect(sourceX, sourceY, sourceWidth, sourceHeight), rasterOp);
}

void Canvas::selectPen(int style, int width, int colour)
{
    if (dc_ == nullptr)
        return;
    restorePen();
    if (style != gdi::kPenSolid)
        dc_->setBackgroundMode(gdi::kBkTransparent);
    savedPen_ = dc_->selectPen(GdiPen { style, width, colour });
}

void Canvas::restorePen()
{
    if (dc_ == nullptr || !savedPen_)
        return;
    dc_->selectPen(*savedPen_);
    savedPen_.reset();
}

void Canvas::selectBrush(int style, int hatch, int colour)
{
    if (dc_ == nullptr)
        return;
    restoreBrush();
    savedBrush_ = dc_->selectBrush(GdiBrush { style, style == gdi::kBrushHatched ? hatch : 0, colour });
}

void Canvas::restoreBrush()
{
    if (dc_ == nullptr || !savedBrush_)
        return;
    dc_->selectBrush(*savedBrush_);
    savedBrush_.reset();
}

void Canvas::moveTo(int x, int y)
{
    if (dc_ != nullptr)
        dc_->moveTo(x, y);
}

void Canvas::lineTo(int x, int y)
{
    if (dc_ != nullptr)
        dc_->lineTo(x, y);
}

void Canvas::setFillColour(int colour)
{
    if (dc_ == nullptr)
        return;
    dc_->setBackgroundMode(gdi::kBkOpaque);
    dc_->setBackgroundColour(colour);
}

void Canvas::fillRect(int left, int top, int right, int bottom)
{
    if (dc_ != nullptr)
        dc_->fillRect(left, top, right, bottom, dc_->backgroundColour());
}

void Canvas::drawLine(int x1, int y1, int x2, int y2)
{
    if (dc_ == nullptr)
        return;
    dc_->moveTo(x1, y1);
    dc_->lineTo(x2, y2);
}

void Canvas::drawRectangle(int left, int top, int right, int bottom)
{
    if (dc_ != nullptr)
        dc_->rectangle(left, top, right, bottom);
}

void Canvas::drawRoundedRectangle(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    if (dc_ != nullptr)
        dc_->roundRect(left, top, right, bottom, cornerWidth, cornerHeight);
}

void Canvas::drawEllipse(int left, int top, int right, int bottom)
{
    if (dc_ != nullptr)
        dc_->ellipse(left, top, right, bottom);
}

void Canvas::drawPie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2)
{
    if (dc_ != nullptr)
        dc_->pie(left, top, right, bottom, x1, y1, x2, y2);
}

void Canvas::drawBezier(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    if (dc_ != nullptr)
        dc_->polyBezier(QPolygon({ QPoint(x1, y1), QPoint(x2, y2), QPoint(x3, y3), QPoint(x4, y4) }));
}

void Canvas::drawBezierTo(int x1, int y1, int x2, int y2, int x3, int y3)
{
    if (dc_ != nullptr)
        dc_->polyBezierTo(QPolygon({ QPoint(x1, y1), QPoint(x2, y2), QPoint(x3, y3) }));
}

bool Canvas::selectFont(const ReportFont *font, double angle)
{
    if (font == nullptr)
        return false;
    return selectFont(*font, angle);
}

bool Canvas::selectFont(const ReportFont &font, double angle)
{
    // Face names travel as single-byte characters with a terminating zero.
    if (font.name.toUcs4().size() + 1 > kFaceNameBytes)
        throw Error::subscriptOutOfRange();
    if (dc_ == nullptr)
        return false;

    GdiFont logical;
    logical.faceName = font.name;
    if (std::abs(dc_->windowExtent().height()) == kTwipsPerInch) {
        // Twips: 20 per point, the size taken with four decimals.
        const double size = roundedHalfEven(font.size * 10000.0) / 10000.0;
        logical.height = -clampToInt(roundedHalfEven(size * 20.0));
    } else {
        // Device pixels: whole points times pixels per inch / 72, rounded to nearest.
        const double points = roundedHalfEven(font.size);
        logical.height = -clampToInt(std::round(points * dc_->logicalDpiY() / 72.0));
    }
    const int tenths = clampToInt(roundedHalfEven(angle * 10.0));
    logical.escapement = tenths;
    logical.orientation = tenths;
    logical.weight = font.bold() ? gdi::kWeightBold : gdi::kWeightNormal;
    logical.italic = font.italic;
    logical.underline = font.underline;
    logical.strikeOut = font.strikethrough;

    restoreFont();
    savedFont_ = dc_->selectFont(logical);
    readMetrics();
    return true;
}

void Canvas::restoreFont()
{
    if (dc_ == nullptr || !savedFont_)
        return;
    dc_->selectFont(*savedFont_);
    savedFont_.reset();
    readMetrics();
}

void Canvas::setTextColours(int textColour, int backColour, int mode)
{
    if (dc_ == nullptr)
        return;
    if (mode == gdi::kBkTransparent) {
        dc_->setBackgroundMode(gdi::kBkTransparent);
    } else if (mode == gdi::kBkOpaque) {
        dc_->setBackgroundMode(gdi::kBkOpaque);
        dc_->setBackgroundColour(backColour);
    }
    dc_->setTextColour(textColour);
}

void Canvas::textOut(int x, int y, const QString &text)
{
    if (dc_ != nullptr)
        dc_->textOut(x, y, text);
}

void Canvas::extTextOut(int x, int y, const QString &text, int options)
{
    // Without a rectangle the clipping and opaque options have nothing to act on.
    Q_UNUSED(options);
    if (dc_ != nullptr)
        dc_->textOut(x, y, text);
}

int Canvas::drawText(const QString &text, int &left, int &top, int &right, int &bottom, int flags)
{
    if (dc_ == nullptr)
        return 0;
    QRect rect(QPoint(left, top), QSize(right - left, bottom - top));
    const int height = dc_->drawText(text, rect, flags);
    left = rect.x();
    top = rect.y();
    right = rect.x() + rect.width();
    bottom = rect.y() + rect.height();
    return height;
}

void Canvas::approximateTextExtent(const QString &text, int &width, int &height) const
{
    height = metrics_.height;
    width = int(std::min<qsizetype>(text.size() * qsizetype(metrics_.aveCharWidth), 2147483647));
}

void Canvas::textExtent(const QString &text, int &width, int &height)
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    drawText(text, left, top, right, bottom, gdi::kDtCalcRect);
    width = right;
    height = bottom;
}

void Canvas::createRegion(const QList<int> &x, const QList<int> &y, GdiRegion &region)
{
    QPolygon polygon;
    const qsizetype count = std::min(x.size(), y.size());
    polygon.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        polygon << QPoint(x[i], y[i]);
    region.polygon = polygon;
}

void Canvas::freeRegion(GdiRegion &region)
{
    region.polygon.clear();
}

void Canvas::paintRegion(const GdiRegion &region)
{
    if (dc_ != nullptr)
        dc_->fillPolygon(region.polygon, dc_->brush());
}

void Canvas::fillRegion(const GdiRegion &region, const GdiBrush &brush)
{
    if (dc_ != nullptr)
        dc_->fillPolygon(region.polygon, brush);
}

void Canvas::attach(DeviceContext *dc)
{
    dc_ = dc;
}

void Canvas::detach()
{
    restoreBrush();
    restorePen();
    restoreFont();
}

void Canvas::readMetrics()
{
    metrics_ = dc_ != nullptr ? dc_->textMetrics() : TextMetrics();
}

} // namespace zet
