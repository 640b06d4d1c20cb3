#include "gfx/Canvas.h"

#include "core/Rounding.h"
#include "zetview/Error.h"

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

int Canvas::logicalDpiX() const
{
    return dc_ != nullptr ? dc_->logicalDpiX() : 0;
}

int Canvas::logicalDpiY() const
{
    return dc_ != nullptr ? dc_->logicalDpiY() : 0;
}

void Canvas::setMapMode(MapMode mode)
{
    if (dc_ != nullptr)
        dc_->setMapMode(mode);
}

void Canvas::setStretchMode(int mode)
{
    stretchMode_ = mode;
}

void Canvas::copyTo(DeviceContext *destination, const QRect &target)
{
    if (dc_ != nullptr && destination != nullptr)
        destination->stretchBlt(target, *dc_, QRect(QPoint(0, 0), target.size()));
}

void Canvas::stretchTo(DeviceContext *destination, const QRect &target, const QRect &source)
{
    if (dc_ == nullptr || destination == nullptr)
        return;
    if (stretchMode_ != -1 && destination->stretchMode() != stretchMode_)
        destination->setStretchMode(stretchMode_);
    destination->stretchBlt(target, *dc_, source);
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

void Canvas::selectBrush(int style, int colour)
{
    if (dc_ == nullptr)
        return;
    restoreBrush();
    savedBrush_ = dc_->selectBrush(GdiBrush { style, colour });
}

void Canvas::restoreBrush()
{
    if (dc_ == nullptr || !savedBrush_)
        return;
    dc_->selectBrush(*savedBrush_);
    savedBrush_.reset();
}

void Canvas::drawLine(int x1, int y1, int x2, int y2)
{
    if (dc_ != nullptr)
        dc_->drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

void Canvas::drawRectangle(int left, int top, int right, int bottom)
{
    if (dc_ != nullptr)
        dc_->drawRectangle(left, top, right, bottom);
}

void Canvas::drawEllipse(int left, int top, int right, int bottom)
{
    if (dc_ != nullptr)
        dc_->drawEllipse(left, top, right, bottom);
}

bool Canvas::selectFont(const ReportFont *font)
{
    if (font == nullptr)
        return false;
    // Face names travel as single-byte characters with a terminating zero.
    if (font->name.toUcs4().size() + 1 > kFaceNameBytes)
        throw Error::subscriptOutOfRange();
    if (dc_ == nullptr)
        return false;

    GdiFont logical;
    logical.faceName = font->name;
    if (dc_->mapMode() == MapMode::Twips) {
        // Twips: 20 per point, the size taken with four decimals.
        const double size = roundedHalfEven(font->size * 10000.0) / 10000.0;
        logical.height = -clampToInt(roundedHalfEven(size * 20.0));
    } else {
        // Device pixels: whole points times pixels per inch / 72, rounded to nearest.
        const double points = roundedHalfEven(font->size);
        logical.height = -clampToInt(std::round(points * dc_->logicalDpiY() / 72.0));
    }
    logical.weight = font->bold() ? gdi::kWeightBold : gdi::kWeightNormal;
    logical.italic = font->italic;
    logical.underline = font->underline;
    logical.strikeOut = font->strikethrough;

    restoreFont();
    savedFont_ = dc_->selectFont(logical);
    return true;
}

void Canvas::restoreFont()
{
    if (dc_ == nullptr || !savedFont_)
        return;
    dc_->selectFont(*savedFont_);
    savedFont_.reset();
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

void Canvas::drawText(const QRect &rect, Qt::Alignment alignment, const QString &text)
{
    if (dc_ != nullptr)
        dc_->drawText(rect, alignment, text);
}

int Canvas::textWidth(const QString &text) const
{
    return dc_ != nullptr ? dc_->textWidth(text) : 0;
}

} // namespace zet
