#pragma once

#include "gfx/DeviceContext.h"
#include "gfx/GdiObjects.h"
#include "model/ReportFont.h"

#include <QList>
#include <QString>
#include <optional>

namespace zet {

// A thin wrapper around one DeviceContext it does not own, with named drawing
// operations. It remembers the pen, brush and font that were selected before
// it selected its own and puts them back on restore, on detach and on
// destruction, so it holds at most one pen, brush and font of its own.
// Coordinates are logical units of the context's mapping; colours are report
// colours (red in the low byte). Every operation does nothing (and returns 0)
// while no context is attached.
class Canvas
{
public:
    Canvas() = default;
    // Restores the brush, the pen, then the font (as detach).
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    // Capability value for a gdi::kCap* index (88 / 90: logical pixels per inch).
    int deviceCapability(int index) const;

    // Arc direction (1 counter-clockwise, 2 clockwise); the setter returns the previous one.
    int setArcDirection(int direction);
    int arcDirection() const;
    // -1: the twips mapping (1440 logical units per inch on every device);
    // any other value: that mapping mode, extents left as they are.
    void setScaleMode(int mode);

    // Records the stretch mode the stretch copies set on their destination;
    // no device call. -1 (the initial value) records none.
    void setStretchMode(int mode);
    // Copies (width x height) from source at (sourceX, sourceY) into this
    // context at (0, 0).
    void loadPicture(
        DeviceContext *source, int sourceX, int sourceY, int width, int height, int rasterOp = gdi::kSrcCopy);
    // Copies (width x height) from this context at (sourceX, sourceY) to the
    // destination at (x, y). Extents are logical units of each context, so a
    // copy between devices of different resolution keeps its physical size.
    void paintPicture(DeviceContext *destination, int x, int y, int width, int height, int sourceX,
        int sourceY, int rasterOp = gdi::kSrcCopy);
    // Stretch copy from this context leaving the destination unchanged where
    // the source has the transparent colour. The recorded stretch mode is set on
    // the destination first only when both extents differ from the source's.
    void paintPictureTransparent(DeviceContext *destination, int x, int y, int width, int height, int sourceX,
        int sourceY, int sourceWidth, int sourceHeight, int transparentColour);
    // Stretch copy from this context; the recorded stretch mode (4 halftone
    // smooths) is set on the destination first when one is recorded.
    void paintPictureStretched(DeviceContext *destination, int x, int y, int width, int height, int sourceX,
        int sourceY, int sourceWidth, int sourceHeight, int rasterOp = gdi::kSrcCopy);

    // Selects a pen (gdi::kPen*; width in logical units, 0 or below one device
    // pixel is one pixel). A style other than solid sets the background mode
    // transparent, so the gaps of styled lines show what is beneath.
    void selectPen(int style, int width, int colour);
    void restorePen();
    // Selects a brush (gdi::kBrush*); hatch (gdi::kHatch*) counts only for hatched brushes.
    void selectBrush(int style, int hatch, int colour);
    void restoreBrush();
    void moveTo(int x, int y);
    // Line from the current position; its end pixel is not drawn.
    void lineTo(int x, int y);
    // Background mode opaque with that background colour.
    void setFillColour(int colour);
    // Fills [left, right) x [top, bottom) with the background colour.
    void fillRect(int left, int top, int right, int bottom);
    void drawLine(int x1, int y1, int x2, int y2);
    // Shapes with the current pen and brush; as in GDI, the figure stops one
    // device pixel short of right and bottom.
    void drawRectangle(int left, int top, int right, int bottom);
    void drawRoundedRectangle(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void drawEllipse(int left, int top, int right, int bottom);
    // Pie of the ellipse in the rectangle from the radial through (x1, y1) to
    // the radial through (x2, y2), in the arc direction.
    void drawPie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
    void drawBezier(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void drawBezierTo(int x1, int y1, int x2, int y2, int x3, int y3);

    // Creates and selects the font: character height Size x 20 in the twips
    // mapping (window extent height 1440), else Size rounded half to even x
    // dpi / 72; weight 800 when bold, else 400; angle in degrees,
    // counter-clockwise. Returns false and changes nothing for a null font.
    // Raises zet::Error 9 for a face name longer than 31 characters.
    bool selectFont(const ReportFont *font, double angle = 0.0);
    bool selectFont(const ReportFont &font, double angle = 0.0);
    void restoreFont();
    // mode 1: transparent background; 2: opaque with backColour; other modes
    // leave the background. Then sets the text colour.
    void setTextColours(int textColour, int backColour, int mode);
    // Text with the top left of its first cell at (x, y).
    void textOut(int x, int y, const QString &text);
    void extTextOut(int x, int y, const QString &text, int options);
    // Formatted text in the rectangle with gdi::kDt* flags (2080 / 2082 / 2081:
    // left / right / centre, single line, no prefix; clipped to the rectangle
    // unless kDtNoClip; at the top). With kDtCalcRect (3104) nothing is drawn
    // and right / bottom receive the needed extent. Returns the text height.
    int drawText(const QString &text, int &left, int &top, int &right, int &bottom, int flags);
    // height = the font's character height, width = characters x average
    // character width; 0 x 0 before the first selectFont.
    void approximateTextExtent(const QString &text, int &width, int &height) const;
    // Measured extent of the text (multi-line, "&" as prefix), logical units.
    void textExtent(const QString &text, int &width, int &height);
    // Metrics read after the wrapper's last font change; all 0 before the first.
    const TextMetrics &textMetrics() const { return metrics_; }

    // Polygon region from paired coordinates (as many points as both lists
    // hold), alternate filling.
    void createRegion(const QList<int> &x, const QList<int> &y, GdiRegion &region);
    void freeRegion(GdiRegion &region);
    void paintRegion(const GdiRegion &region);
    void fillRegion(const GdiRegion &region, const GdiBrush &brush);

    // Stores the context; saved objects are not touched.
    void attach(DeviceContext *dc);
    // Restores the brush, then the pen, then the font; the context stays stored.
    void detach();
    DeviceContext *deviceContext() const { return dc_; }

private:
    void readMetrics();

    DeviceContext *dc_ = nullptr;
    std::optional<GdiFont> savedFont_;
    TextMetrics metrics_;
    int stretchMode_ = -1;
    std::optional<GdiPen> savedPen_;
    std::optional<GdiBrush> savedBrush_;
};

} // namespace zet
