#pragma once

#include "gfx/DeviceContext.h"
#include "gfx/GdiConstants.h"
#include "gfx/PixelView.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <memory>

namespace zet {

// An icon as a picture: its image and hot spot (in pixels).
struct IconPicture
{
    QImage image;
    QPoint hotSpot;
};

// An off-screen bitmap: a QImage (24-bit blue-green-red rows, or 8-bit with a
// grey ramp) with its own DeviceContext. Its logical dpi is the image's dots
// per metre (96 unless created otherwise). Sizes are pixels. An empty surface
// has no context (deviceContext is nullptr), so drawing on it has no effect.
// Drawing shapes or text needs a 24- or 32-bit surface; an 8-bit surface takes
// bit-block copies, fills and pixel access.
class Bitmap
{
public:
    Bitmap();
    ~Bitmap();
    Bitmap(const Bitmap &) = delete;
    Bitmap &operator=(const Bitmap &) = delete;

    // Copies from source at (sourceX, sourceY) into the surface at (0, 0); a
    // negative width or height means the surface's own.
    void loadPicture(
        DeviceContext *source, int sourceX, int sourceY, int width, int height, int rasterOp = gdi::kSrcCopy);
    // Copies from the surface at (sourceX, sourceY) to the destination at
    // (x, y); a negative width or height means the surface's own. Extents are
    // logical units of each context.
    void paintPicture(DeviceContext *destination, int x, int y, int width, int height, int sourceX,
        int sourceY, int rasterOp = gdi::kSrcCopy);

    // (bytes per pixel x width + 3) rounded down to a multiple of 4.
    int bytesPerScanLine() const;
    int width() const;
    int height() const;
    // The surface's context; nullptr while the surface is empty.
    DeviceContext *deviceContext() { return dc_.get(); }
    // The surface's image, with any pending painting finished. Copies of it
    // are independent of the surface.
    const QImage &image();
    // First byte of the pixel memory (the image's top line); nullptr when empty.
    uchar *bits();
    quint8 Get_BytesPerPixel() const { return quint8(bytesPerPixel_); }
    QString lastError() const { return lastError_; }
    // An independent 24-bit copy of the pixels; a null image (and the last
    // error set) for an empty or 8-bit surface.
    QImage picture();

    // Builds the surface from a bitmap picture: 8-bit (its colour table
    // kept), 24-bit and 32-bit images keep their depth, others become 24-bit
    // drawn over white; the image's dots per metre are kept. The pixels are
    // shared until either side changes them. False for a null image.
    bool createFromPicture(const QImage &bitmap, int backColour = -1);
    // Builds a 24-bit surface of twice the hot spot, filled with backColour
    // when it is 0 or more, and draws the icon at (0, 0) in its own size.
    // True when the icon was drawn.
    bool createFromPicture(const IconPicture &icon, int backColour = -1);
    // Builds an empty surface (zero bytes, black; bits 8, 24 or 32) at the given
    // resolution, replacing any previous one. False, with the surface left
    // empty, for a size below 1 pixel, an unsupported depth or a picture over
    // 1 GiB.
    bool create(int width, int height, int bitsPerPixel, int dpiX = 96, int dpiY = 96);

    // Points view at the pixel memory (rows as in PixelView); false, leaving
    // view alone, while a drawing session is active.
    bool lockPixels(PixelView &view);
    // Empties the view; the memory stays with the surface.
    void unlockPixels(PixelView &view);

    void beginSession();
    void endSession();
    bool sessionActive() const { return sessionActive_; }
    // Sets the clip rectangle of the pixel drawing operations, clamped to the
    // surface (x2 = -1 means the last column, y2 = -1 the last row).
    void setViewport(int x1, int y1, int x2, int y2);
    // The clip rectangle, corners inclusive.
    QRect viewport() const { return QRect(QPoint(viewX1_, viewY1_), QPoint(viewX2_, viewY2_)); }

    // Fills the whole surface with a colour (an 8-bit surface with the
    // nearest entry of its colour table).
    void fill(int colour);

private:
    void release();
    bool adopt(QImage image);
    PixelView ownView();

    QImage image_;
    std::unique_ptr<DeviceContext> dc_;
    int bytesPerPixel_ = 0;
    bool sessionActive_ = false;
    PixelView sessionView_;
    QString lastError_;
    int viewX1_ = 0;
    int viewY1_ = 0;
    int viewX2_ = -1;
    int viewY2_ = -1;
};

} // namespace zet
