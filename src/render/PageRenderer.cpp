#include "render/PageRenderer.h"

#include "gfx/clsGFX_2D.h"
#include "gfx/clsGFX_API.h"
#include "layout/CheckedAccess.h"
#include "render/ObjectDrawing.h"
#include "render/Placeholders.h"
#include "render/RenderIdle.h"
#include "template/Conversions.h"

#include <QCursor>
#include <QGuiApplication>
#include <cmath>

namespace zet {

namespace {

constexpr int kWhite = 0xFFFFFF;
constexpr int kOutlineRed = 0x0000FF;
constexpr double kTwipsPerInch = 1440.0;

// Holds RenderIdle false and the busy pointer (arrow with hourglass) for one
// render; both are put back however the render ends.
class RenderScope
{
public:
    RenderScope()
        : cursorSet_(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        RenderIdle = false;
        if (cursorSet_)
            QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    }
    ~RenderScope()
    {
        if (cursorSet_)
            QGuiApplication::restoreOverrideCursor();
        RenderIdle = true;
    }
    RenderScope(const RenderScope &) = delete;
    RenderScope &operator=(const RenderScope &) = delete;

private:
    bool cursorSet_;
};

// The state of one RenderPage call.
struct PageRender
{
    ReportDocument &document;
    int pageIndex;
    bool printView;
    EditBoxes *editBoxes;
    double zoom;
    bool imageBuffer;
    int offsetX;
    int offsetY;

    clsGFX_API drawing;
    clsGFX_2D objectBitmap;
    int lastEditBox = -1;
    int usedEditBoxes = -1;

    void draw(int objectIndex, const ObjectFrame &frame)
    {
        if (imageBuffer)
            DrawObjectBuffered(document, drawing, objectIndex, frame, objectBitmap);
        else
            DrawObject(document, drawing, objectIndex, frame.Left, frame.Top, frame.Right, frame.Bottom);
    }

    ObjectFrame frameOf(int objectIndex, int bandTop) const
    {
        return ShiftedFrame(ComputeObjectFrame(document, objectIndex, bandTop), offsetX);
    }

    void drawBackground()
    {
        const int width = RoundHalfEven(document.PageWidth);
        const int height = RoundHalfEven(document.PageHeight);
        DrawShape(document, drawing, kShapeRectangle, false, false, 0, kWhite, -15, -15,
            CheckedInt(qint64(width) + 15), CheckedInt(qint64(height) + 15));
    }

    void drawBands()
    {
        const LaidPage &page = checkedAt(std::as_const(document.Pages), pageIndex, "Pages");
        for (int p = 0; p < page.PlacedBands.size(); ++p) {
            const PlacedBand &placed = page.PlacedBands.at(p);
            const ReportBand &band = checkedAt(std::as_const(document.Bands), placed.BandIndex, "Bands");
            if (!band.Visible)
                continue;
            const int bandTop = CheckedInt(qint64(placed.Top) + offsetY);
            drawFixedObjects(band, bandTop);
            drawListedObjects(placed, p, bandTop);
        }
    }

    // Objects with no data source, drawn in every view when printable.
    void drawFixedObjects(const ReportBand &band, int bandTop)
    {
        for (int objectIndex : band.ObjectIndexes) {
            const ReportObject &object = checkedAt(std::as_const(document.Objects), objectIndex, "Objects");
            if (object.DataSource.isEmpty() && object.Printable)
                draw(objectIndex, frameOf(objectIndex, bandTop));
        }
    }

    // The objects layout listed for this placement, with their page's text.
    void drawListedObjects(const PlacedBand &placed, int placedBandIndex, int bandTop)
    {
        for (int i = 0; i < placed.Items.size(); ++i) {
            const int objectIndex = placed.Items.at(i).ObjectIndex;
            const ReportObject &object = checkedAt(std::as_const(document.Objects), objectIndex, "Objects");
            if (printView && !object.Printable)
                continue;
            ResolveObjectText(document, pageIndex, placedBandIndex, i, objectIndex);
            const ObjectFrame frame = frameOf(objectIndex, bandTop);
            if (!printView && object.ControlType == kControlFramedText && lastEditBox >= 0 && zoom == 1.0)
                PlaceEditBox(document, *editBoxes, usedEditBoxes, lastEditBox, objectIndex,
                    placed.Items.at(i).ValueIndex, frame.Left, frame.Top, frame.Right, frame.Bottom);
            else
                draw(objectIndex, frame);
        }
    }

    void hideUnusedEditBoxes()
    {
        if (!editBoxes)
            return;
        const int upper = editBoxes->upperBound();
        for (int box = usedEditBoxes + 1; box <= upper; ++box)
            editBoxes->setVisible(box, false);
    }
};

// Red ellipse on the page edges, red ellipse and rectangle on the margins,
// each coordinate c placed at (c rounded + offset) x zoom, rounded.
void drawPageOutlines(
    const ReportDocument &document, clsGFX_API &destination, int offsetX, int offsetY, double zoom)
{
    const auto x = [&](double c) { return RoundHalfEven((RoundHalfEven(c) + double(offsetX)) * zoom); };
    const auto y = [&](double c) { return RoundHalfEven((RoundHalfEven(c) + double(offsetY)) * zoom); };
    destination.Draw_SelectPen(gdi::kPenSolid, 1, kOutlineRed);
    destination.Draw_SelectBrush(gdi::kBrushHollow, 8, kOutlineRed);
    destination.Draw_Ellipse(x(0), y(0), x(document.PageWidth), y(document.PageHeight));
    destination.Draw_SelectPen(gdi::kPenSolid, 1, kOutlineRed);
    const int left = x(document.MarginLeft);
    const int top = y(document.MarginTop);
    const int right = x(document.PageWidth - document.MarginRight);
    const int bottom = y(document.PageHeight - document.MarginBottom);
    destination.Draw_Ellipse(left, top, right, bottom);
    destination.Draw_Rectangle(left, top, right, bottom);
    destination.Draw_RestoreBrush();
    destination.Draw_RestorePen();
}

int truncated(double value)
{
    if (!std::isfinite(value) || std::abs(value) >= 2147483648.0)
        throw Error::overflow();
    return int(value);
}

} // namespace

void RenderPage(ReportDocument &document, DeviceContext &destination, int pageIndex, bool printView,
    EditBoxes *editBoxes, double zoom, bool pageBuffer, bool imageBuffer, int offsetX, int offsetY,
    bool drawOutlines)
{
    RenderScope scope;
    // Declared before the contexts that attach to it, so that on every path
    // they let go of its device context before it goes away.
    clsGFX_2D pageBitmap;
    PageRender render { document, pageIndex, printView, editBoxes, zoom, imageBuffer, offsetX, offsetY, {},
        {} };
    if (editBoxes)
        render.lastEditBox = editBoxes->upperBound();

    clsGFX_API target;
    target.HDC_Attach(&destination);
    target.Config_SetScaleMode(gdi::kMapTwipsScale);

    const int pageWidth = RoundHalfEven(document.PageWidth);
    const int pageHeight = RoundHalfEven(document.PageHeight);
    const bool buffered = zoom != 1.0 || pageBuffer;
    clsGFX_API copy;
    if (buffered) {
        const int dpiX = target.HDC_GetDeviceCapability(gdi::kCapLogPixelsX);
        const int dpiY = target.HDC_GetDeviceCapability(gdi::kCapLogPixelsY);
        // A size the surface refuses leaves it empty: the page then draws into nothing.
        pageBitmap.Create(RoundHalfEven(dpiX * document.PageWidth / kTwipsPerInch),
            RoundHalfEven(dpiY * document.PageHeight / kTwipsPerInch), 24, dpiX, dpiY);
        render.drawing.HDC_Attach(pageBitmap.Get_hDC());
        copy.HDC_Attach(pageBitmap.Get_hDC());
        copy.Config_SetScaleMode(gdi::kMapTwipsScale);
    } else {
        render.drawing.HDC_Attach(&destination);
    }

    render.drawBackground();
    render.drawBands();
    render.drawing.HDC_Detach();

    if (buffered) {
        if (zoom != 1.0) {
            copy.BitBlt_SetStretchMode(gdi::kStretchHalftone);
            copy.BitBlt_PaintPictureStretch(&destination, offsetX, offsetY,
                truncated(zoom * document.PageWidth), truncated(zoom * document.PageHeight), 0, 0, pageWidth,
                pageHeight, gdi::kSrcCopy);
        } else {
            // The offsets were applied inside the bitmap.
            copy.BitBlt_PaintPicture(&destination, 0, 0, pageWidth, pageHeight, 0, 0, gdi::kSrcCopy);
        }
        copy.Config_SetScaleMode(gdi::kMapText);
    }

    if (drawOutlines)
        drawPageOutlines(document, target, offsetX, offsetY, zoom);
    target.Config_SetScaleMode(gdi::kMapText);
    target.HDC_Detach();
    render.hideUnusedEditBoxes();
}

void DrawObjectBuffered(ReportDocument &document, clsGFX_API &context, int objectIndex,
    const ObjectFrame &frame, clsGFX_2D &objectBitmap)
{
    const int type = checkedAt(std::as_const(document.Objects), objectIndex, "Objects").ControlType;
    if (type != kControlPicture && type != kControlStretchedPicture) {
        DrawObject(document, context, objectIndex, frame.Left, frame.Top, frame.Right, frame.Bottom);
        return;
    }
    const int width = frame.Right - frame.Left;
    const int height = frame.Bottom - frame.Top;
    const int dpiX = context.HDC_GetDeviceCapability(gdi::kCapLogPixelsX);
    const int dpiY = context.HDC_GetDeviceCapability(gdi::kCapLogPixelsY);
    // An empty frame makes no surface; the picture then draws into nothing.
    objectBitmap.Create(int(qint64(width) * dpiX / 1440), int(qint64(height) * dpiY / 1440), 24, dpiX, dpiY);
    const int pixelsX = objectBitmap.Get_Width();
    const int pixelsY = objectBitmap.Get_Height();

    clsGFX_API picture;
    picture.HDC_Attach(objectBitmap.Get_hDC());
    DrawShape(document, picture, kShapeRectangle, true, false, kWhite, kWhite, -10, -10, pixelsX + 10,
        pixelsY + 10);
    picture.Config_SetScaleMode(gdi::kMapTwipsScale);
    DrawObject(document, picture, objectIndex, 0, 0, width, height);
    picture.BitBlt_PaintPicture(context.HDC_Get(), frame.Left, frame.Top, width, height, 0, 0, gdi::kSrcCopy);
    picture.Config_SetScaleMode(gdi::kMapText);
    picture.HDC_Detach();
}

} // namespace zet
