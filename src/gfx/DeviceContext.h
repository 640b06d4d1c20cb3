#pragma once

#include "gfx/GdiObjects.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTransform>
#include <memory>
#include <optional>

class QPaintDevice;

namespace zet {

// Our device context: a QPainter on any paint device (QImage, QPixmap,
// QPrinter, QPdfWriter) plus the state a GDI device context keeps. All
// coordinates taken and returned are logical units of the current mapping
// unless a name says "device"; colours are report colours (red in the low
// byte). Shapes, lines and copies are placed on whole device pixels the way
// GDI places them (a rectangle stops one pixel short of its right and bottom
// edges); text is laid out in logical units, so a measured width does not
// depend on the device.
//
// Not copyable; several Canvas wrappers may refer to one context at once.
// The context never owns its device. It must outlive the wrappers attached to it.
class DeviceContext
{
public:
    // Paints on device with a painter of its own, begun when first needed and
    // ended by endPainting() or destruction. Do not use for printers: ending
    // the painter ends the print job; give the job's painter instead.
    explicit DeviceContext(QPaintDevice *device);
    // Paints through a painter the caller has begun and keeps owning (a
    // printer's or a widget's paint event). The painter's state is changed.
    explicit DeviceContext(QPainter *painter);
    ~DeviceContext();
    DeviceContext(const DeviceContext &) = delete;
    DeviceContext &operator=(const DeviceContext &) = delete;

    QPaintDevice *device() const { return device_; }
    // The active painter with its transform reset to device pixels; nullptr
    // when the device cannot be painted on (an 8-bit image, say).
    QPainter *painter();
    // Ends a painter of our own so the device's pixels may be read or written
    // directly; the next drawing call begins it again. No effect on a
    // caller's painter.
    void endPainting();

    // Pixels per inch of the device: a QImage's dots per metre (96 when it
    // has none), a printer's resolution. setLogicalDpi overrides them.
    int logicalDpiX() const { return dpiX_; }
    int logicalDpiY() const { return dpiY_; }
    void setLogicalDpi(int dpiX, int dpiY);
    // The device's size in pixels.
    QSize deviceSize() const;
    // The sheet and the printable area's offset on it, in device pixels,
    // for printers (the print layer sets them). Default: the device itself.
    void setPhysicalPage(const QSize &sheet, const QPoint &offset);
    // The capability with that index (gdi::kCap*), 0 for unknown indices.
    int deviceCapability(int index) const;

    // Mapping. A fixed mode (1..6) sets its own extents; modes 7 and 8 keep
    // the extents set for them. The window extent's height is what font
    // selection tests for the twips mapping.
    int mapMode() const { return mapMode_; }
    void setMapMode(int mode);
    // The twips mapping: anisotropic, window 1440 x 1440, viewport = logical dpi.
    void setTwipsMapping();
    QSize windowExtent() const { return windowExtent_; }
    QSize viewportExtent() const { return viewportExtent_; }
    QPoint windowOrigin() const { return windowOrigin_; }
    QPoint viewportOrigin() const { return viewportOrigin_; }
    void setWindowExtent(const QSize &extent);
    void setViewportExtent(const QSize &extent);
    void setWindowOrigin(const QPoint &origin);
    void setViewportOrigin(const QPoint &origin);
    // Logical to device transform of the current mapping.
    QTransform transform() const;
    // A logical point on its device pixel (rounded to nearest).
    QPoint toDevice(const QPoint &logical) const;
    // A logical rectangle given by its edges as device edges (not normalised).
    QRect toDevice(int left, int top, int right, int bottom) const;
    // A device distance in logical units along x / y (fractional).
    double logicalPerDeviceX() const;
    double logicalPerDeviceY() const;

    // Selected objects. Each select returns what was selected before.
    GdiPen pen() const { return pen_; }
    GdiPen selectPen(const GdiPen &pen);
    GdiBrush brush() const { return brush_; }
    GdiBrush selectBrush(const GdiBrush &brush);
    GdiFont font() const { return font_; }
    GdiFont selectFont(const GdiFont &font);
    // The selected font as a QFont sized in logical units (pixel size).
    QFont qfont() const { return qfont_; }
    // Metrics of the selected font in logical units.
    TextMetrics textMetrics() const;

    // Attributes. Each setter returns the previous value.
    int backgroundMode() const { return bkMode_; }
    int setBackgroundMode(int mode);
    int backgroundColour() const { return bkColour_; }
    int setBackgroundColour(int colour);
    int textColour() const { return textColour_; }
    int setTextColour(int colour);
    int stretchMode() const { return stretchMode_; }
    int setStretchMode(int mode);
    int arcDirection() const { return arcDirection_; }
    int setArcDirection(int direction);
    QPoint currentPosition() const { return position_; }
    void moveTo(int x, int y);

    // Drawing with the selected pen and brush.
    void lineTo(int x, int y); // the end pixel is not drawn
    void rectangle(int left, int top, int right, int bottom);
    void roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void ellipse(int left, int top, int right, int bottom);
    void pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
    // Cubic Beziers: 1 + 3n points; polyBezierTo starts at the current
    // position, takes 3n points and moves the current position to the last.
    void polyBezier(const QPolygon &points);
    void polyBezierTo(const QPolygon &points);
    // Fills the rectangle [left, right) x [top, bottom) with a colour.
    void fillRect(int left, int top, int right, int bottom, int colour);
    // Fills a polygon (even-odd) with a brush; no outline.
    void fillPolygon(const QPolygon &points, const GdiBrush &brush);

    // Text in the selected font and text colour; the background behind the
    // glyph cells is filled with the background colour when the mode is opaque.
    // (x, y) is the top left of the first character cell.
    void textOut(int x, int y, const QString &text);
    // Formatted text in the rectangle (gdi::kDt* flags). With kDtCalcRect
    // nothing is drawn and right / bottom are set to the needed size. Returns
    // the height of the text.
    int drawText(const QString &text, QRect &rect, int flags);
    // Advance width of a text in logical units, without prefix processing.
    double textWidth(const QString &text) const;

    // Bit-block copy from source to this context. Both rectangles are in the
    // logical units of their own context; the source is scaled when their
    // device sizes differ (so a copy between devices of different resolution
    // keeps physical size), with smoothing when this context's stretch mode is
    // halftone. A negative extent mirrors. A source that cannot be read (a
    // printer) copies nothing. With a transparent colour, source pixels of
    // that colour leave the destination as it was.
    void stretchBlt(const QRect &destination, DeviceContext &source, const QRect &sourceRect, int rasterOp,
        std::optional<int> transparentColour = std::nullopt);
    // The device pixels of a rectangle as an image; null when the device
    // cannot be read.
    QImage grabDevice(const QRect &deviceRect);

private:
    QPainter *beginPainter();
    void applyFont();
    void strokeAndFill(const QPainterPath &devicePath, bool closed);
    QPen devicePen() const;
    void fillDeviceRect(const QRect &rect, const GdiBrush &brush);
    // Fills a device path with a hatched brush, over the background colour
    // when the background mode is opaque; false for any other brush.
    bool fillHatched(QPainter *p, const QPainterPath &path, const GdiBrush &brush);
    void drawTextLine(const QString &line, const QPointF &topLeft, double width);
    void drawVisiblePieces(const QString &line, const QPointF &topLeft, double clipLeft, double clipRight);
    void fillWithRasterOp(const QRect &rect, int rasterOp);
    void drawCopied(const QPoint &topLeft, const QImage &pixels, int rasterOp, bool keyed);
    void drawScaledLarge(const QRectF &target, const QImage &pixels, int rasterOp, bool smooth,
        std::optional<int> transparentColour);

    QPaintDevice *device_ = nullptr;
    QPainter *external_ = nullptr;
    std::unique_ptr<QPainter> own_;
    int dpiX_ = 96;
    int dpiY_ = 96;
    std::optional<QSize> sheet_;
    QPoint sheetOffset_;

    int mapMode_ = gdi::kMapText;
    QSize windowExtent_ { 1, 1 };
    QSize viewportExtent_ { 1, 1 };
    QPoint windowOrigin_;
    QPoint viewportOrigin_;

    GdiPen pen_;
    GdiBrush brush_;
    GdiFont font_;
    QFont qfont_;
    int bkMode_ = gdi::kBkOpaque;
    int bkColour_ = 0xFFFFFF;
    int textColour_ = 0;
    int stretchMode_ = gdi::kStretchBlackOnWhite;
    int arcDirection_ = gdi::kArcCounterClockwise;
    QPoint position_;
};

} // namespace zet
