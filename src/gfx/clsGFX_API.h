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
// it selected its own and puts them back on restore, on HDC_Detach and on
// destruction, so it holds at most one pen, brush and font of its own.
// Coordinates are logical units of the context's mapping; colours are report
// colours (red in the low byte). Every operation does nothing (and returns 0)
// while no context is attached.
class clsGFX_API
{
public:
    clsGFX_API() = default;
    // Restores the brush, the pen, then the font (as HDC_Detach).
    ~clsGFX_API();
    clsGFX_API(const clsGFX_API &) = delete;
    clsGFX_API &operator=(const clsGFX_API &) = delete;

    // Capability value for a gdi::kCap* index (88 / 90: logical pixels per inch).
    int HDC_GetDeviceCapability(int index) const;

    // Arc direction (1 counter-clockwise, 2 clockwise); the setter returns the previous one.
    int Config_SetArcDirection(int direction);
    int Config_GetArcDirection() const;
    // -1: the twips mapping (1440 logical units per inch on every device);
    // any other value: that mapping mode, extents left as they are.
    void Config_SetScaleMode(int mode);

    // Records the stretch mode the stretch copies set on their destination;
    // no device call. -1 (the initial value) records none.
    void BitBlt_SetStretchMode(int mode);
    // Copies (width x height) from source at (sourceX, sourceY) into this
    // context at (0, 0).
    void BitBlt_LoadPicture(
        DeviceContext *source, int sourceX, int sourceY, int width, int height, int rasterOp = gdi::kSrcCopy);
    // Copies (width x height) from this context at (sourceX, sourceY) to the
    // destination at (x, y). Extents are logical units of each context, so a
    // copy between devices of different resolution keeps its physical size.
    void BitBlt_PaintPicture(DeviceContext *destination, int x, int y, int width, int height, int sourceX,
        int sourceY, int rasterOp = gdi::kSrcCopy);
    // Stretch copy from this context leaving the destination unchanged where
    // the source has the transparent colour. The recorded stretch mode is set on
    // the destination first only when both extents differ from the source's.
    void BitBlt_PaintPictureTransparent(DeviceContext *destination, int x, int y, int width, int height,
        int sourceX, int sourceY, int sourceWidth, int sourceHeight, int transparentColour);
    // Stretch copy from this context; the recorded stretch mode (4 halftone
    // smooths) is set on the destination first when one is recorded.
    void BitBlt_PaintPictureStretch(DeviceContext *destination, int x, int y, int width, int height,
        int sourceX, int sourceY, int sourceWidth, int sourceHeight, int rasterOp = gdi::kSrcCopy);

    // Selects a pen (gdi::kPen*; width in logical units, 0 or below one device
    // pixel is one pixel). A style other than solid sets the background mode
    // transparent, so the gaps of styled lines show what is beneath.
    void Draw_SelectPen(int style, int width, int colour);
    void Draw_RestorePen();
    // Selects a brush (gdi::kBrush*); hatch (gdi::kHatch*) counts only for hatched brushes.
    void Draw_SelectBrush(int style, int hatch, int colour);
    void Draw_RestoreBrush();
    void Draw_MoveTo(int x, int y);
    // Line from the current position; its end pixel is not drawn.
    void Draw_LineTo(int x, int y);
    // Background mode opaque with that background colour.
    void Draw_FillRect_SetColor(int colour);
    // Fills [left, right) x [top, bottom) with the background colour.
    void Draw_FillRect(int left, int top, int right, int bottom);
    void Draw_Line(int x1, int y1, int x2, int y2);
    // Shapes with the current pen and brush; as in GDI, the figure stops one
    // device pixel short of right and bottom.
    void Draw_Rectangle(int left, int top, int right, int bottom);
    void Draw_RectangleRounded(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Draw_Ellipse(int left, int top, int right, int bottom);
    // Pie of the ellipse in the rectangle from the radial through (x1, y1) to
    // the radial through (x2, y2), in the arc direction.
    void Draw_Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
    void Draw_Bezier(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Draw_BezierTo(int x1, int y1, int x2, int y2, int x3, int y3);

    // Creates and selects the font: character height Size x 20 in the twips
    // mapping (window extent height 1440), else Size rounded half to even x
    // dpi / 72; weight 800 when bold, else 400; angle in degrees,
    // counter-clockwise. Returns false and changes nothing for a null font.
    // Raises zet::Error 9 for a face name longer than 31 characters.
    bool Text_SetFont(const ReportFont *font, double angle = 0.0);
    bool Text_SetFont(const ReportFont &font, double angle = 0.0);
    void Text_RestoreFont();
    // mode 1: transparent background; 2: opaque with backColour; other modes
    // leave the background. Then sets the text colour.
    void Text_SetColor(int textColour, int backColour, int mode);
    // Text with the top left of its first cell at (x, y).
    void Text_TextOut(int x, int y, const QString &text);
    void Text_ExtTextOut(int x, int y, const QString &text, int options);
    // Formatted text in the rectangle with gdi::kDt* flags (2080 / 2082 / 2081:
    // left / right / centre, single line, no prefix; clipped to the rectangle
    // unless kDtNoClip; at the top). With kDtCalcRect (3104) nothing is drawn
    // and right / bottom receive the needed extent. Returns the text height.
    int Text_DrawText(const QString &text, int &left, int &top, int &right, int &bottom, int flags);
    // height = the font's character height, width = characters x average
    // character width; 0 x 0 before the first Text_SetFont.
    void Text_GetSizeApprox(const QString &text, int &width, int &height) const;
    // Measured extent of the text (multi-line, "&" as prefix), logical units.
    void Text_GetSize(const QString &text, int &width, int &height);
    // Metrics read after the wrapper's last font change; all 0 before the first.
    const TextMetrics &Text_GetMetrics() const { return metrics_; }

    // Polygon region from paired coordinates (as many points as both lists
    // hold), alternate filling.
    void Region_Create(const QList<int> &x, const QList<int> &y, GdiRegion &region);
    void Region_Free(GdiRegion &region);
    void Draw_PaintRegion(const GdiRegion &region);
    void Draw_FillRegion(const GdiRegion &region, const GdiBrush &brush);

    // Stores the context; saved objects are not touched.
    void HDC_Attach(DeviceContext *dc);
    // Restores the brush, then the pen, then the font; the context stays stored.
    void HDC_Detach();
    DeviceContext *HDC_Get() const { return dc_; }

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
