#pragma once

#include "gfx/GdiObjects.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QTransform>
#include <memory>
#include <tuple>

class QPaintDevice;

namespace zet {

// Our device context: a QPainter on any paint device (QImage, QPixmap,
// QPrinter, QPdfWriter) plus the state a GDI device context keeps. All
// coordinates taken are logical units of the current mapping; colours are
// report colours (red in the low byte). Shapes, lines and copies are placed on
// whole device pixels the way GDI places them (a rectangle stops one pixel
// short of its right and bottom edges); text is laid out in logical units, so
// a measured width does not depend on the device.
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

    // Ends a painter of our own so the device's pixels may be read or written
    // directly; the next drawing call begins it again. No effect on a
    // caller's painter.
    void endPainting();

    // Pixels per inch of the device: a QImage's dots per metre (96 when it
    // has none), a printer's resolution. setLogicalDpi overrides them.
    int logicalDpiX() const { return dpiX_; }
    int logicalDpiY() const { return dpiY_; }
    void setLogicalDpi(int dpiX, int dpiY);

    MapMode mapMode() const { return mapMode_; }
    void setMapMode(MapMode mode);

    // Selected objects. Each select returns what was selected before.
    GdiPen pen() const { return pen_; }
    GdiPen selectPen(const GdiPen &pen);
    GdiBrush brush() const { return brush_; }
    GdiBrush selectBrush(const GdiBrush &brush);
    GdiFont font() const { return font_; }
    GdiFont selectFont(const GdiFont &font);

    // Background mode (gdi::kBk*) and colour of text cells.
    void setBackgroundMode(int mode);
    void setBackgroundColour(int colour);
    void setTextColour(int colour);
    // Stretch mode of the copies into this context (gdi::kStretch*); other
    // values are ignored.
    int stretchMode() const { return stretchMode_; }
    void setStretchMode(int mode);

    // Drawing with the selected pen and brush. A line leaves its end pixel out.
    void drawLine(const QPoint &from, const QPoint &to);
    void drawRectangle(int left, int top, int right, int bottom);
    void drawEllipse(int left, int top, int right, int bottom);

    // One line of text (line breaks show as spaces) in the selected font and
    // text colour, at the top of the rectangle, aligned left, right or
    // centred (Qt::AlignRight, Qt::AlignHCenter; anything else is left). It
    // is clipped to the rectangle where it leaves it. The background behind
    // the glyph cells is filled with the background colour when the mode is
    // opaque. The rectangle may have a negative size.
    void drawText(const QRect &rect, Qt::Alignment alignment, const QString &text);
    // Width of the text as drawText draws it, rounded up to whole logical
    // units. A long text is measured once for its next drawings too.
    int textWidth(const QString &text) const;
    // Height of a text cell in the selected font (ascent and descent, each
    // rounded up), in logical units.
    int textHeight() const;

    // The device's surface in logical units of the current mapping; empty
    // without a device.
    QRectF surfaceArea() const;

    // Bit-block copy from source to this context. Both rectangles are in the
    // logical units of their own context; the source is scaled when their
    // device sizes differ (so a copy between devices of different resolution
    // keeps physical size), with smoothing when this context's stretch mode is
    // halftone. A negative extent mirrors. A source that cannot be read (a
    // printer) copies nothing; only the part of the source rectangle on its
    // device is copied, to where that part lands.
    void stretchBlt(const QRect &destination, DeviceContext &source, const QRect &sourceRect);

private:
    QPainter *painter();
    QPainter *beginPainter();
    // A selected font as drawn: the QFont and its measures in logical units.
    // The serial tells fonts apart (0: none made yet).
    struct MadeFont
    {
        QFont font;
        double ascent = 0;
        int cellHeight = 0;
        quint64 serial = 0;
    };
    using FontKey = std::tuple<QString, int, int, bool, bool, bool, long>;
    FontKey fontKey() const;
    const MadeFont &currentFont() const;
    static MadeFont madeFont(const FontKey &key);
    static void setPainterTransform(QPainter *p, const QTransform &transform);
    // Gives the painter the current font unless it still has it from us.
    void setPainterFont(QPainter *p);
    QTransform transform() const;
    QPoint toDevice(const QPoint &logical) const;
    // A rectangle given by its logical edges as device edges (not normalised).
    QRect toDevice(int left, int top, int right, int bottom) const;
    double logicalPerDeviceX() const;
    double logicalPerDeviceY() const;
    QSize deviceSize() const;
    double advance(const QString &text) const;
    // True when line, drawn in the current font, is certainly at most room wide.
    bool advanceAtMost(const QString &line, double room) const;
    void strokeAndFill(const QPainterPath &devicePath, bool closed);
    QPen devicePen() const;
    void fillDeviceRect(const QRect &rect);
    void drawTextLine(const QString &line, const QPointF &topLeft, double width);
    void drawLongLine(const QString &text, Qt::Alignment alignment, int left, int top, int right, int bottom);
    QImage grabDevice(const QRect &deviceRect) const;
    void drawCopied(const QPoint &topLeft, const QImage &pixels);
    void drawScaledLarge(const QRectF &target, const QImage &pixels, bool smooth);

    QPaintDevice *device_ = nullptr;
    QPainter *external_ = nullptr;
    std::unique_ptr<QPainter> own_;
    int dpiX_ = 96;
    int dpiY_ = 96;
    MapMode mapMode_ = MapMode::Pixels;

    GdiPen pen_;
    GdiBrush brush_;
    GdiFont font_;
    mutable MadeFont madeFont_;
    mutable FontKey madeKey_;
    // The font last given to the painter, and the painter's copy of it.
    QFont fontGiven_;
    QFont painterFont_;
    int backgroundMode_ = gdi::kBkOpaque;
    int backgroundColour_ = 0xFFFFFF;
    int textColour_ = 0;
    int stretchMode_ = gdi::kStretchBlackOnWhite;
};

} // namespace zet
