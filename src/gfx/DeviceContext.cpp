#include "gfx/DeviceContext.h"

#include "core/Twips.h"

#include "gfx/FontResolver.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace zet {

namespace {

constexpr int kDefaultDpi = 96;
// Device coordinates are kept well inside 32 bits so that sums of them
// cannot overflow.
constexpr double kCoordinateLimit = 1 << 28;
// Largest font size in logical units (about 70 inches in twips).
constexpr int kMaxFontPixels = 100000;
// Fonts kept for reuse; the set starts again when full.
constexpr std::size_t kMadeFontsKept = 64;

int roundClamped(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::lround(std::clamp(value, -kCoordinateLimit, kCoordinateLimit)));
}

int sanitiseDpi(int dpi)
{
    return dpi > 0 ? dpi : kDefaultDpi;
}

bool cannotPaint(QPaintDevice *device)
{
    if (device == nullptr)
        return true;
    if (device->devType() != QInternal::Image)
        return false;
    const QImage *image = static_cast<const QImage *>(device);
    return image->isNull() || image->format() == QImage::Format_Indexed8
        || image->format() == QImage::Format_Mono || image->format() == QImage::Format_MonoLSB;
}

} // namespace

DeviceContext::DeviceContext(QPaintDevice *device)
    : device_(device)
{
    if (device_ != nullptr)
        setLogicalDpi(device_->logicalDpiX(), device_->logicalDpiY());
}

DeviceContext::DeviceContext(QPainter *painter)
    : device_(painter != nullptr ? painter->device() : nullptr)
    , external_(painter)
{
    if (device_ != nullptr)
        setLogicalDpi(device_->logicalDpiX(), device_->logicalDpiY());
}

DeviceContext::~DeviceContext()
{
    endPainting();
}

// The active painter with its transform reset to device pixels; nullptr when
// the device cannot be painted on (an 8-bit image, say).
QPainter *DeviceContext::painter()
{
    QPainter *p = external_ != nullptr ? external_ : beginPainter();
    if (p == nullptr || !p->isActive())
        return nullptr;
    setPainterTransform(p, QTransform());
    // Each change marks the painter's state dirty, which a PDF writes out
    // again before the next drawing: change only what differs.
    constexpr QPainter::RenderHints kHints = QPainter::TextAntialiasing;
    constexpr QPainter::RenderHints kManaged
        = QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform;
    if ((p->renderHints() & kManaged) != kHints) {
        p->setRenderHints(kManaged, false);
        p->setRenderHints(kHints, true);
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setOpacity(1.0);
    return p;
}

void DeviceContext::setPainterTransform(QPainter *p, const QTransform &transform)
{
    // A window or viewport of the caller's goes; the world transform is set
    // only when it differs (in a PDF each setting writes a state block).
    if (p->viewTransformEnabled())
        p->resetTransform();
    if (p->worldTransform() != transform || (!transform.isIdentity() && !p->worldMatrixEnabled()))
        p->setTransform(transform);
}

QPainter *DeviceContext::beginPainter()
{
    if (own_ && own_->isActive())
        return own_.get();
    if (cannotPaint(device_))
        return nullptr;
    if (!own_)
        own_ = std::make_unique<QPainter>();
    if (!own_->begin(device_))
        return nullptr;
    return own_.get();
}

void DeviceContext::endPainting()
{
    if (own_ && own_->isActive())
        own_->end();
}

void DeviceContext::setLogicalDpi(int dpiX, int dpiY)
{
    dpiX_ = sanitiseDpi(dpiX);
    dpiY_ = sanitiseDpi(dpiY);
}

QSize DeviceContext::deviceSize() const
{
    if (device_ == nullptr)
        return QSize();
    return QSize(device_->width(), device_->height());
}

void DeviceContext::setMapMode(MapMode mode)
{
    mapMode_ = mode;
}

QTransform DeviceContext::transform() const
{
    if (mapMode_ == MapMode::Pixels)
        return QTransform();
    return QTransform::fromScale(double(dpiX_) / kTwipsPerInch, double(dpiY_) / kTwipsPerInch);
}

QPoint DeviceContext::toDevice(const QPoint &logical) const
{
    const QPointF p = transform().map(QPointF(logical));
    return QPoint(roundClamped(p.x()), roundClamped(p.y()));
}

QRect DeviceContext::toDevice(int left, int top, int right, int bottom) const
{
    const QPoint topLeft = toDevice(QPoint(left, top));
    const QPoint bottomRight = toDevice(QPoint(right, bottom));
    return QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()));
}

QRectF DeviceContext::surfaceArea() const
{
    const QSize size = deviceSize();
    return QRectF(0, 0, size.width() * logicalPerDeviceX(), size.height() * logicalPerDeviceY());
}

double DeviceContext::logicalPerDeviceX() const
{
    return 1.0 / std::abs(transform().m11());
}

double DeviceContext::logicalPerDeviceY() const
{
    return 1.0 / std::abs(transform().m22());
}

GdiPen DeviceContext::selectPen(const GdiPen &pen)
{
    return std::exchange(pen_, pen);
}

GdiBrush DeviceContext::selectBrush(const GdiBrush &brush)
{
    return std::exchange(brush_, brush);
}

GdiFont DeviceContext::selectFont(const GdiFont &font)
{
    return std::exchange(font_, font);
}

DeviceContext::FontKey DeviceContext::fontKey() const
{
    return std::make_tuple(font_.faceName, font_.height, font_.weight, font_.italic, font_.underline,
        font_.strikeOut, font_.height == 0 ? std::lround(16.0 * logicalPerDeviceY()) : 0L);
}

// The QFont of the selected font, made when the selection last changed. A
// selection is resolved only when text is measured or drawn, so putting the
// previous font back after each object costs nothing.
const DeviceContext::MadeFont &DeviceContext::currentFont() const
{
    FontKey key = fontKey();
    if (madeFont_.serial == 0 || key != madeKey_) {
        madeFont_ = madeFont(key);
        madeKey_ = std::move(key);
    }
    return madeFont_;
}

DeviceContext::MadeFont DeviceContext::madeFont(const FontKey &key)
{
    // A new QFont loads its font engine again on first use, which costs more
    // than the text drawn with it, and a report selects the same few fonts
    // over and over: hand out copies of one QFont per selection instead (UI
    // thread only; the set starts again when full).
    static std::map<FontKey, MadeFont> made;
    static quint64 serials = 0;
    const auto known = made.find(key);
    if (known != made.end())
        return known->second;
    if (made.size() >= kMadeFontsKept)
        made.clear();

    const auto &[faceName, height, weight, italic, underline, strikeOut, defaultPixels] = key;
    QFont f(resolveFontFamily(faceName));
    f.setKerning(false); // glyphs advance one by one, so a text is as wide as its characters
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeOut);
    f.setWeight(QFont::Weight(std::clamp(weight > 0 ? weight : gdi::kWeightNormal, 1, 1000)));

    double pixels = 0;
    if (height < 0) {
        pixels = -double(height);
    } else if (height > 0) {
        // A positive height is the cell (ascent + descent): scale the em to it.
        QFont probe(f);
        probe.setPixelSize(1000);
        const QFontMetricsF fm(probe);
        const double cell = fm.ascent() + fm.descent();
        pixels = cell > 0 ? height * 1000.0 / cell : height;
    } else {
        pixels = double(defaultPixels); // the default: 12 points on a 96 dpi device
    }
    f.setPixelSize(std::clamp(int(std::lround(pixels)), 1, kMaxFontPixels));
    const QFontMetricsF fm(f);
    const MadeFont entry { f, fm.ascent(), qCeil(fm.ascent()) + qCeil(fm.descent()), ++serials };
    made.emplace(key, entry);
    return entry;
}

int DeviceContext::textHeight() const
{
    return currentFont().cellHeight;
}

void DeviceContext::setBackgroundMode(int mode)
{
    if (mode == gdi::kBkTransparent || mode == gdi::kBkOpaque)
        backgroundMode_ = mode;
}

void DeviceContext::setBackgroundColour(int colour)
{
    backgroundColour_ = colour;
}

void DeviceContext::setTextColour(int colour)
{
    textColour_ = colour;
}

void DeviceContext::setStretchMode(int mode)
{
    if (mode == gdi::kStretchBlackOnWhite || mode == gdi::kStretchHalftone)
        stretchMode_ = mode;
}

} // namespace zet
