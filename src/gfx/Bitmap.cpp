#include "gfx/Bitmap.h"

#include <QPainter>
#include <limits>

namespace zet {

namespace {

constexpr qint64 kMaxSurfaceBytes = qint64(1) << 30;
constexpr double kInchesPerMetre = 1.0 / 0.0254;

QList<QRgb> greyRamp()
{
    QList<QRgb> table;
    table.reserve(256);
    for (int i = 0; i < 256; ++i)
        table << qRgb(i, i, i);
    return table;
}

int dotsPerMetre(int dpi)
{
    return int(std::lround(dpi * kInchesPerMetre));
}

// The picture as one of the surface formats (8-bit, 24-bit, 32-bit).
QImage asSurfaceFormat(const QImage &picture, int backColour)
{
    switch (picture.format()) {
    case QImage::Format_Indexed8:
    case QImage::Format_BGR888:
    case QImage::Format_RGB32:
        return picture;
    case QImage::Format_Grayscale8:
        return picture.convertToFormat(QImage::Format_Indexed8, greyRamp());
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return picture.convertToFormat(QImage::Format_Indexed8);
    default:
        break;
    }
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_BGR888);
    // Transparent parts show the background colour, white when none is given.
    QImage flat(picture.size(), QImage::Format_BGR888);
    flat.fill(backColour >= 0 ? colorFromRef(backColour) : QColor(Qt::white));
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
    if (sessionActive_)
        endSession();
    dc_.reset();
    image_ = QImage();
    bytesPerPixel_ = 0;
    viewX1_ = viewY1_ = 0;
    viewX2_ = viewY2_ = -1;
}

bool Bitmap::adopt(QImage image)
{
    if (image.dotsPerMeterX() <= 0 || image.dotsPerMeterY() <= 0) {
        image.setDotsPerMeterX(dotsPerMetre(96));
        image.setDotsPerMeterY(dotsPerMetre(96));
    }
    image_ = std::move(image);
    bytesPerPixel_ = image_.depth() / 8;
    dc_ = std::make_unique<DeviceContext>(&image_);
    setViewport(0, 0, image_.width() - 1, image_.height() - 1);
    return true;
}

void Bitmap::loadPicture(DeviceContext *source, int sourceX, int sourceY, int width, int height, int rasterOp)
{
    if (!dc_ || source == nullptr)
        return;
    if (width < 0)
        width = image_.width();
    if (height < 0)
        height = image_.height();
    dc_->stretchBlt(QRect(0, 0, width, height), *source, QRect(sourceX, sourceY, width, height), rasterOp);
}

void Bitmap::paintPicture(
    DeviceContext *destination, int x, int y, int width, int height, int sourceX, int sourceY, int rasterOp)
{
    if (!dc_ || destination == nullptr)
        return;
    if (width < 0)
        width = image_.width();
    if (height < 0)
        height = image_.height();
    destination->stretchBlt(
        QRect(x, y, width, height), *dc_, QRect(sourceX, sourceY, width, height), rasterOp);
}

int Bitmap::bytesPerScanLine() const
{
    return (bytesPerPixel_ * image_.width() + 3) & ~3;
}

int Bitmap::width() const
{
    return image_.width();
}

int Bitmap::height() const
{
    return image_.height();
}

const QImage &Bitmap::image()
{
    if (dc_)
        dc_->endPainting();
    return image_;
}

uchar *Bitmap::bits()
{
    if (image_.isNull())
        return nullptr;
    dc_->endPainting();
    return image_.bits();
}

QImage Bitmap::picture()
{
    if (image_.width() < 1) {
        lastError_ = QStringLiteral("Image has width=0");
        return QImage();
    }
    if (bytesPerPixel_ != 3) {
        lastError_ = QStringLiteral("Picture property is only for 24bit depth images");
        return QImage();
    }
    const bool ownSession = !sessionActive_;
    if (ownSession)
        beginSession();
    QImage picture = image_.copy();
    if (ownSession)
        endSession();
    return picture;
}

bool Bitmap::createFromPicture(const QImage &bitmap, int backColour)
{
    release();
    if (bitmap.isNull())
        return false;
    QImage surface = asSurfaceFormat(bitmap, backColour);
    if (surface.isNull())
        return false;
    if (surface.dotsPerMeterX() != bitmap.dotsPerMeterX()
        || surface.dotsPerMeterY() != bitmap.dotsPerMeterY()) {
        surface.setDotsPerMeterX(bitmap.dotsPerMeterX());
        surface.setDotsPerMeterY(bitmap.dotsPerMeterY());
    }
    return adopt(std::move(surface));
}

bool Bitmap::createFromPicture(const IconPicture &icon, int backColour)
{
    release();
    if (icon.image.isNull())
        return false;
    const qint64 width = qint64(icon.hotSpot.x()) * 2;
    const qint64 height = qint64(icon.hotSpot.y()) * 2;
    if (width > std::numeric_limits<int>::max() || height > std::numeric_limits<int>::max())
        return false;
    if (!create(int(width), int(height), 24))
        return false;
    if (backColour >= 0)
        fill(backColour);
    QPainter *painter = dc_->painter();
    if (painter == nullptr)
        return false;
    painter->drawImage(0, 0, icon.image);
    return true;
}

bool Bitmap::create(int width, int height, int bitsPerPixel, int dpiX, int dpiY)
{
    release();
    QImage::Format format = QImage::Format_Invalid;
    switch (bitsPerPixel) {
    case 8:
        format = QImage::Format_Indexed8;
        break;
    case 24:
        format = QImage::Format_BGR888;
        break;
    case 32:
        format = QImage::Format_RGB32;
        break;
    default:
        lastError_ = QStringLiteral("Unsupported bit count");
        return false;
    }
    if (width < 1 || height < 1) {
        lastError_ = QStringLiteral("Invalid size");
        return false;
    }
    const qint64 bytes = qint64((qint64(bitsPerPixel / 8) * width + 3) & ~qint64(3)) * height;
    if (bytes > kMaxSurfaceBytes) {
        lastError_ = QStringLiteral("Image too large");
        return false;
    }
    QImage image(width, height, format);
    if (image.isNull()) {
        lastError_ = QStringLiteral("Out of memory");
        return false;
    }
    if (format == QImage::Format_Indexed8)
        image.setColorTable(greyRamp());
    image.fill(0); // a new section holds zero bytes: black
    image.setDotsPerMeterX(dotsPerMetre(dpiX > 0 ? dpiX : 96));
    image.setDotsPerMeterY(dotsPerMetre(dpiY > 0 ? dpiY : 96));
    return adopt(std::move(image));
}

PixelView Bitmap::ownView()
{
    if (image_.isNull())
        return PixelView();
    dc_->endPainting();
    return PixelView(image_.bits(), int(image_.bytesPerLine()), image_.height());
}

bool Bitmap::lockPixels(PixelView &view)
{
    if (sessionActive_ || image_.isNull())
        return false;
    view = ownView();
    return true;
}

void Bitmap::unlockPixels(PixelView &view)
{
    view = PixelView();
}

void Bitmap::beginSession()
{
    sessionView_ = ownView();
    sessionActive_ = true;
}

void Bitmap::endSession()
{
    sessionView_ = PixelView();
    sessionActive_ = false;
}

void Bitmap::setViewport(int x1, int y1, int x2, int y2)
{
    auto clamp = [](int &from, int &to, int size) {
        if (from < 0)
            from = 0;
        if (from >= size)
            from = size - 1;
        if (to == -1)
            to = size - 1;
        if (to < from)
            to = from;
        if (to >= size)
            to = size - 1;
    };
    clamp(x1, x2, image_.width());
    clamp(y1, y2, image_.height());
    viewX1_ = x1;
    viewY1_ = y1;
    viewX2_ = x2;
    viewY2_ = y2;
}

void Bitmap::fill(int colour)
{
    if (image_.isNull())
        return;
    dc_->endPainting();
    const QColor wanted = colorFromRef(colour);
    if (image_.format() != QImage::Format_Indexed8) {
        image_.fill(wanted);
        return;
    }
    // The nearest entry of the colour table.
    const QList<QRgb> table = image_.colorTable();
    uint best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (qsizetype i = 0; i < table.size(); ++i) {
        const int dr = qRed(table[i]) - wanted.red();
        const int dg = qGreen(table[i]) - wanted.green();
        const int db = qBlue(table[i]) - wanted.blue();
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = uint(i);
        }
    }
    image_.fill(best);
}

} // namespace zet
