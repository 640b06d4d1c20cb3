#pragma once

#include "gfx/DeviceContext.h"
#include "gfx/GdiObjects.h"
#include "model/ReportFont.h"

#include <QRect>
#include <QString>
#include <optional>

namespace zet {

// A thin wrapper around one DeviceContext it does not own, with the drawing
// operations of the report. It remembers the pen, brush and font that were
// selected before it selected its own and puts them back on restore, on
// detach and on destruction, so it holds at most one pen, brush and font of
// its own. Coordinates are logical units of the context's mapping; colours
// are report colours (red in the low byte). Every operation does nothing (and
// returns 0 or false) while no context is attached.
class Canvas
{
public:
    Canvas() = default;
    // Restores the brush, the pen, then the font (as detach).
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    // Stores the context; saved objects are not touched.
    void attach(DeviceContext *dc);
    // Restores the brush, then the pen, then the font; the context stays stored.
    void detach();
    DeviceContext *deviceContext() const { return dc_; }

    // Logical pixels per inch of the context's device.
    int logicalDpiX() const;
    int logicalDpiY() const;
    // Pixels, or twips (1440 logical units per inch on every device).
    void setMapMode(MapMode mode);

    // Records the stretch mode the stretched copies set on their destination;
    // no device call. -1 (the initial value) records none.
    void setStretchMode(int mode);
    // Copies from this context, starting at its origin, into target on the
    // destination; the source rectangle has the target's logical extent, so
    // a copy between devices of different resolution keeps its physical size.
    void copyTo(DeviceContext *destination, const QRect &target);
    // Stretches source of this context into target on the destination; the
    // recorded stretch mode (halftone smooths) is set on the destination first
    // when one is recorded.
    void stretchTo(DeviceContext *destination, const QRect &target, const QRect &source);

    // Selects a pen (gdi::kPen*; width in logical units, a hairline when it
    // rounds to one device pixel or less). A style other than solid sets the
    // background mode transparent.
    void selectPen(int style, int width, int colour);
    void restorePen();
    // Selects a brush (gdi::kBrush*).
    void selectBrush(int style, int colour);
    void restoreBrush();
    // Line from (x1, y1) to (x2, y2); its end pixel is not drawn.
    void drawLine(int x1, int y1, int x2, int y2);
    // Shapes with the current pen and brush; as in GDI, the figure stops one
    // device pixel short of right and bottom.
    void drawRectangle(int left, int top, int right, int bottom);
    void drawEllipse(int left, int top, int right, int bottom);

    // Creates and selects the font: character height Size x 20 in the twips
    // mapping, else Size rounded half to even x dpi / 72; weight 800 when
    // bold, else 400. Returns false and changes nothing for a null font.
    // Raises zet::Error 9 for a face name longer than 31 characters.
    bool selectFont(const ReportFont *font);
    void restoreFont();
    // mode gdi::kBkTransparent: transparent background; gdi::kBkOpaque: opaque
    // with backColour; other modes leave the background. Then sets the text colour.
    void setTextColours(int textColour, int backColour, int mode);
    // One line of text at the top of the rectangle (see DeviceContext::drawText).
    void drawText(const QRect &rect, Qt::Alignment alignment, const QString &text);
    // Width of the text as drawText draws it, whole logical units.
    int textWidth(const QString &text) const;

private:
    DeviceContext *dc_ = nullptr;
    int stretchMode_ = -1;
    std::optional<GdiPen> savedPen_;
    std::optional<GdiBrush> savedBrush_;
    std::optional<GdiFont> savedFont_;
};

} // namespace zet
