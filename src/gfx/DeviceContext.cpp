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
// Fonts kept for reuse (UI thread only); the set starts again when full.
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
    applyFont();
}

DeviceContext::DeviceContext(QPainter *painter)
    : device_(painter != nullptr ? painter->device() : nullptr)
    , external_(painter)
{
    if (device_ != nullptr)
        setLogicalDpi(device_->logicalDpiX(), device_->logicalDpiY());
    applyFont();
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
    p->resetTransform();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setRenderHint(QPainter::TextAntialiasing, true);
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setOpacity(1.0);
    return p;
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
    GdiFont previous = std::exchange(font_, font);
    applyFont();
    return previous;
}

void DeviceContext::applyFont()
{
    // A new QFont loads its font engine again on first use, which costs more
    // than the text drawn with it, and a report selects the same few fonts
    // over and over: hand out copies of one QFont per selection instead.
    static std::map<std::tuple<QString, int, int, bool, bool, bool, long>, QFont> made;
    const auto key = std::make_tuple(font_.faceName, font_.height, font_.weight, font_.italic,
        font_.underline, font_.strikeOut, font_.height == 0 ? std::lround(16.0 * logicalPerDeviceY()) : 0L);
    const auto known = made.find(key);
    if (known != made.end()) {
        qfont_ = known->second;
        return;
    }
    if (made.size() >= kMadeFontsKept)
        made.clear();

    QFont f(resolveFontFamily(font_.faceName));
    f.setKerning(false); // glyphs advance one by one, so a text is as wide as its characters
    f.setItalic(font_.italic);
    f.setUnderline(font_.underline);
    f.setStrikeOut(font_.strikeOut);
    f.setWeight(QFont::Weight(std::clamp(font_.weight > 0 ? font_.weight : gdi::kWeightNormal, 1, 1000)));

    double pixels = 0;
    if (font_.height < 0) {
        pixels = -double(font_.height);
    } else if (font_.height > 0) {
        // A positive height is the cell (ascent + descent): scale the em to it.
        QFont probe(f);
        probe.setPixelSize(1000);
        const QFontMetricsF fm(probe);
        const double cell = fm.ascent() + fm.descent();
        pixels = cell > 0 ? font_.height * 1000.0 / cell : font_.height;
    } else {
        pixels = 16.0 * logicalPerDeviceY(); // the default: 12 points on a 96 dpi device
    }
    f.setPixelSize(std::clamp(int(std::lround(pixels)), 1, kMaxFontPixels));
    qfont_ = f;
    made.emplace(key, f);
}

// The height of a text cell (ascent + descent, each rounded up) in logical units.
int DeviceContext::cellHeight() const
{
    const QFontMetricsF fm(qfont_);
    return qCeil(fm.ascent()) + qCeil(fm.descent());
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
