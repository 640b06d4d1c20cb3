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

void DeviceContext::setPhysicalPage(const QSize &sheet, const QPoint &offset)
{
    sheet_ = sheet;
    sheetOffset_ = offset;
}

int DeviceContext::deviceCapability(int index) const
{
    if (device_ == nullptr)
        return 0;
    switch (index) {
    case gdi::kCapHorzSize:
        return device_->widthMM();
    case gdi::kCapVertSize:
        return device_->heightMM();
    case gdi::kCapHorzRes:
        return device_->width();
    case gdi::kCapVertRes:
        return device_->height();
    case gdi::kCapBitsPixel:
        return device_->depth();
    case gdi::kCapLogPixelsX:
        return dpiX_;
    case gdi::kCapLogPixelsY:
        return dpiY_;
    case gdi::kCapPhysicalWidth:
        return sheet_ ? sheet_->width() : device_->width();
    case gdi::kCapPhysicalHeight:
        return sheet_ ? sheet_->height() : device_->height();
    case gdi::kCapPhysicalOffsetX:
        return sheetOffset_.x();
    case gdi::kCapPhysicalOffsetY:
        return sheetOffset_.y();
    default:
        return 0;
    }
}

void DeviceContext::setMapMode(int mode)
{
    // Logical units per inch of the fixed metric and English modes; their y
    // axis points up, as on paper.
    int unitsPerInch = 0;
    switch (mode) {
    case gdi::kMapText:
        windowExtent_ = viewportExtent_ = QSize(1, 1);
        break;
    case gdi::kMapLoMetric:
        unitsPerInch = 254;
        break;
    case gdi::kMapHiMetric:
        unitsPerInch = 2540;
        break;
    case gdi::kMapLoEnglish:
        unitsPerInch = 100;
        break;
    case gdi::kMapHiEnglish:
        unitsPerInch = 1000;
        break;
    case gdi::kMapTwips:
        unitsPerInch = kTwipsPerInch;
        break;
    case gdi::kMapIsotropic:
    case gdi::kMapAnisotropic:
        break;
    default:
        return; // not a mapping mode: the context keeps its mapping
    }
    if (unitsPerInch > 0) {
        windowExtent_ = QSize(unitsPerInch, unitsPerInch);
        viewportExtent_ = QSize(dpiX_, -dpiY_);
    }
    mapMode_ = mode;
}

void DeviceContext::setTwipsMapping()
{
    mapMode_ = gdi::kMapAnisotropic;
    windowExtent_ = QSize(kTwipsPerInch, kTwipsPerInch);
    viewportExtent_ = QSize(dpiX_, dpiY_);
}

void DeviceContext::setWindowExtent(const QSize &extent)
{
    // Only the scalable modes take extents, and never a zero one.
    if (extent.width() == 0 || extent.height() == 0)
        return;
    if (mapMode_ == gdi::kMapIsotropic || mapMode_ == gdi::kMapAnisotropic)
        windowExtent_ = extent;
}

void DeviceContext::setViewportExtent(const QSize &extent)
{
    if (extent.width() == 0 || extent.height() == 0)
        return;
    if (mapMode_ == gdi::kMapIsotropic || mapMode_ == gdi::kMapAnisotropic)
        viewportExtent_ = extent;
}

void DeviceContext::setWindowOrigin(const QPoint &origin)
{
    windowOrigin_ = origin;
}

void DeviceContext::setViewportOrigin(const QPoint &origin)
{
    viewportOrigin_ = origin;
}

QTransform DeviceContext::transform() const
{
    double sx = 1.0;
    double sy = 1.0;
    if (mapMode_ != gdi::kMapText) {
        sx = double(viewportExtent_.width()) / windowExtent_.width();
        sy = double(viewportExtent_.height()) / windowExtent_.height();
        if (mapMode_ == gdi::kMapIsotropic) {
            const double s = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(s, sx);
            sy = std::copysign(s, sy);
        }
    }
    return QTransform(sx, 0, 0, sy, viewportOrigin_.x() - windowOrigin_.x() * sx,
        viewportOrigin_.y() - windowOrigin_.y() * sy);
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
    static std::map<std::tuple<QString, int, int, int, bool, bool, bool, long>, QFont> made;
    const auto key = std::make_tuple(font_.faceName, font_.height, font_.width, font_.weight, font_.italic,
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

    if (font_.width > 0) {
        const double natural = QFontMetricsF(f).averageCharWidth();
        if (natural > 0)
            f.setStretch(std::clamp(int(std::lround(100.0 * font_.width / natural)), 1, 4000));
    }
    qfont_ = f;
    made.emplace(key, f);
}

TextMetrics DeviceContext::textMetrics() const
{
    const QFontMetricsF fm(qfont_);
    TextMetrics m;
    m.ascent = qCeil(fm.ascent());
    m.descent = qCeil(fm.descent());
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(0, m.height - qfont_.pixelSize());
    m.externalLeading = std::max(0, int(std::lround(fm.leading())));
    m.aveCharWidth = int(std::lround(fm.averageCharWidth()));
    m.maxCharWidth = qCeil(fm.maxWidth());
    m.weight = font_.weight;
    m.italic = font_.italic;
    m.underlined = font_.underline;
    m.struckOut = font_.strikeOut;
    return m;
}

int DeviceContext::setBackgroundMode(int mode)
{
    if (mode != gdi::kBkTransparent && mode != gdi::kBkOpaque)
        return bkMode_;
    return std::exchange(bkMode_, mode);
}

int DeviceContext::setBackgroundColour(int colour)
{
    return std::exchange(bkColour_, colour);
}

int DeviceContext::setTextColour(int colour)
{
    return std::exchange(textColour_, colour);
}

int DeviceContext::setStretchMode(int mode)
{
    if (mode < gdi::kStretchBlackOnWhite || mode > gdi::kStretchHalftone)
        return stretchMode_;
    return std::exchange(stretchMode_, mode);
}

int DeviceContext::setArcDirection(int direction)
{
    if (direction != gdi::kArcCounterClockwise && direction != gdi::kArcClockwise)
        return arcDirection_;
    return std::exchange(arcDirection_, direction);
}

void DeviceContext::moveTo(int x, int y)
{
    position_ = QPoint(x, y);
}

} // namespace zet
