#include "render/PageRenderer.h"

#include "core/Twips.h"
#include "core/WaitCursor.h"

#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "model/DocumentAccess.h"
#include "render/ObjectDrawing.h"
#include "render/Placeholders.h"
#include "template/Conversions.h"
#include "template/Vocabulary.h"

#include <cmath>
#include <limits>

namespace zet {

namespace {

constexpr int kWhite = 0xFFFFFF;
constexpr int kOutlineRed = 0x0000FF;

// The page measures and the zoom as errors name them.
const QString kPageWidth = key::kLarghezza;
const QString kPageHeight = key::kAltezza;
const QString kZoom = QStringLiteral("zoom");

// A page measure rounded half to even; zet::Error 6 naming it when it leaves
// the range of frame edges.
int pageExtent(double twips, const QString &what)
{
    const double rounded = roundedHalfEven(twips);
    if (!(std::abs(rounded) <= kLargestFrameEdge)) // NaN fails too
        throw drawingOverflow(what, twips, kLargestFrameEdge);
    return int(rounded);
}

// The state of one RenderPage call.
struct PageRender
{
    ReportDocument &document;
    int pageIndex;
    const RenderOptions &options;

    Canvas drawing;
    Bitmap objectBitmap;
    int lastEditBox = -1;
    int usedEditBoxes = -1;

    void draw(const ReportObject &object, const ObjectFrame &frame)
    {
        if (options.imageBuffer)
            drawObjectBuffered(document.images, drawing, object, frame, objectBitmap);
        else
            drawObject(document.images, drawing, object, frame);
    }

    ObjectFrame frameOf(int objectIndex, int bandTop) const
    {
        return shiftedFrame(computeObjectFrame(document, objectIndex, bandTop), options.offsetX);
    }

    void drawBackground()
    {
        const int width = pageExtent(document.pageWidth, kPageWidth);
        const int height = pageExtent(document.pageHeight, kPageHeight);
        drawFigure(drawing, ShapeStyle::Rectangle, { false, false, 0, kWhite },
            { -15, -15, width + 15, height + 15 });
    }

    void drawBands()
    {
        const LaidPage &page = checkedAt(std::as_const(document.pages), pageIndex, "Pages");
        for (int p = 0; p < page.placedBands.size(); ++p) {
            const PlacedBand &placed = page.placedBands.at(p);
            const ReportBand &band = checkedAt(std::as_const(document.bands), placed.bandIndex, "Bands");
            if (!band.visible)
                continue;
            const int bandTop = checkedInt(qint64(placed.top) + options.offsetY);
            drawFixedObjects(band, bandTop);
            drawListedObjects(placed, p, bandTop);
        }
    }

    // Objects with no data source, drawn in every view when printable.
    void drawFixedObjects(const ReportBand &band, int bandTop)
    {
        for (int objectIndex : band.objectIndexes) {
            const ReportObject &object = checkedAt(std::as_const(document.objects), objectIndex, "Objects");
            if (object.dataSource.isEmpty() && object.printable)
                namingObject(document, objectIndex, [&] { draw(object, frameOf(objectIndex, bandTop)); });
        }
    }

    // The objects layout listed for this placement, with their page's text.
    void drawListedObjects(const PlacedBand &placed, int placedBandIndex, int bandTop)
    {
        const bool printView = options.view == RenderView::Print;
        for (int i = 0; i < placed.items.size(); ++i) {
            const int objectIndex = placed.items.at(i).objectIndex;
            const ReportObject &object = checkedAt(std::as_const(document.objects), objectIndex, "Objects");
            if (printView && !object.printable)
                continue;
            namingObject(document, objectIndex, [&] {
                resolveObjectText(document, pageIndex, placedBandIndex, i, objectIndex);
                const ObjectFrame frame = frameOf(objectIndex, bandTop);
                if (!printView && object.controlType == ControlType::FramedText && lastEditBox >= 0
                    && options.zoom == 1.0)
                    placeEditBox(*options.editBoxes, usedEditBoxes, lastEditBox, object,
                        placed.items.at(i).valueIndex, frame);
                else
                    draw(object, frame);
            });
        }
    }

    void hideUnusedEditBoxes()
    {
        if (!options.editBoxes)
            return;
        const int upper = options.editBoxes->upperBound();
        for (int box = usedEditBoxes + 1; box <= upper; ++box)
            options.editBoxes->setVisible(box, false);
    }
};

// Red ellipse on the page edges, red ellipse and rectangle on the margins,
// each coordinate c placed at (c rounded + offset) x zoom, rounded. A
// coordinate outside 32 bits raises zet::Error 6 naming the page key it comes from.
void drawPageOutlines(
    const ReportDocument &document, Canvas &destination, int offsetX, int offsetY, double zoom)
{
    const auto placed = [&](double c, int offset, const QString &what, double value) {
        const double rounded = roundedHalfEven((roundedHalfEven(c) + double(offset)) * zoom);
        if (!(std::abs(rounded) <= std::numeric_limits<int>::max()))
            throw drawingOverflow(what, value);
        return int(rounded);
    };
    const auto x
        = [&](double c, const QString &what, double value) { return placed(c, offsetX, what, value); };
    const auto y
        = [&](double c, const QString &what, double value) { return placed(c, offsetY, what, value); };
    destination.selectPen(gdi::kPenSolid, 1, kOutlineRed);
    destination.selectBrush(gdi::kBrushHollow, kOutlineRed);
    destination.drawEllipse(x(0, kZoom, zoom), y(0, kZoom, zoom),
        x(document.pageWidth, kPageWidth, document.pageWidth),
        y(document.pageHeight, kPageHeight, document.pageHeight));
    destination.selectPen(gdi::kPenSolid, 1, kOutlineRed);
    const int left = x(document.marginLeft, key::kMargineSinistro, document.marginLeft);
    const int top = y(document.marginTop, key::kMargineSuperiore, document.marginTop);
    const int right = x(document.pageWidth - document.marginRight, key::kMargineDestro, document.marginRight);
    const int bottom
        = y(document.pageHeight - document.marginBottom, key::kMargineInferiore, document.marginBottom);
    destination.drawEllipse(left, top, right, bottom);
    destination.drawRectangle(left, top, right, bottom);
    destination.restoreBrush();
    destination.restorePen();
}

// Puts a context back in the pixel mapping when it goes out of scope.
class PixelMappingOnExit
{
public:
    explicit PixelMappingOnExit(DeviceContext &context)
        : context_(context)
    { }
    ~PixelMappingOnExit() { context_.setMapMode(MapMode::Pixels); }
    PixelMappingOnExit(const PixelMappingOnExit &) = delete;
    PixelMappingOnExit &operator=(const PixelMappingOnExit &) = delete;

private:
    DeviceContext &context_;
};

// The zoomed page measure, truncated; zet::Error 6 when it leaves 32 bits.
int zoomed(double zoom, double twips)
{
    const double value = zoom * twips;
    if (!std::isfinite(value) || std::abs(value) >= 2147483648.0)
        throw drawingOverflow(kZoom, zoom);
    return int(value);
}

} // namespace

void renderPage(
    ReportDocument &document, DeviceContext &destination, int pageIndex, const RenderOptions &options)
{
    // The busy pointer (arrow with hourglass) and the boxes' filling state
    // are put back however the render ends.
    const WaitCursor busy(Qt::BusyCursor);
    const EditBoxes::Filling filling(options.editBoxes);
    // Declared before the contexts that attach to it, so that on every path
    // they let go of its device context before it goes away.
    Bitmap pageBitmap;
    PageRender render { document, pageIndex, options, {}, {} };
    if (options.editBoxes)
        render.lastEditBox = options.editBoxes->upperBound();

    Canvas target;
    target.attach(&destination);
    target.setMapMode(MapMode::Twips);
    // Also when an error ends the render, the destination goes back to the
    // pixel mapping before target restores its pen, brush and font.
    const PixelMappingOnExit pixelsAgain(destination);

    const int pageWidth = pageExtent(document.pageWidth, kPageWidth);
    const int pageHeight = pageExtent(document.pageHeight, kPageHeight);
    const double zoom = options.zoom;
    const bool buffered = zoom != 1.0 || options.pageBuffer;
    Canvas copy;
    if (buffered) {
        const int dpiX = target.logicalDpiX();
        const int dpiY = target.logicalDpiY();
        // A size the surface refuses leaves it empty: the page then draws into nothing.
        pageBitmap.create(QSize(clampToInt(roundedHalfEven(dpiX * document.pageWidth / kTwipsPerInch)),
                              clampToInt(roundedHalfEven(dpiY * document.pageHeight / kTwipsPerInch))),
            dpiX, dpiY);
        render.drawing.attach(pageBitmap.deviceContext());
        copy.attach(pageBitmap.deviceContext());
        copy.setMapMode(MapMode::Twips);
    } else {
        render.drawing.attach(&destination);
    }

    render.drawBackground();
    render.drawBands();
    render.drawing.detach();

    if (buffered) {
        if (zoom != 1.0) {
            copy.setStretchMode(gdi::kStretchHalftone);
            copy.stretchTo(&destination,
                QRect(options.offsetX, options.offsetY, zoomed(zoom, document.pageWidth),
                    zoomed(zoom, document.pageHeight)),
                QRect(0, 0, pageWidth, pageHeight));
        } else {
            // The offsets were applied inside the bitmap.
            copy.copyTo(&destination, QRect(0, 0, pageWidth, pageHeight));
        }
        copy.setMapMode(MapMode::Pixels);
    }

    if (options.outlines)
        drawPageOutlines(document, target, options.offsetX, options.offsetY, zoom);
    target.setMapMode(MapMode::Pixels);
    target.detach();
    render.hideUnusedEditBoxes();
}

void drawObjectBuffered(const QList<ImageEntry> &images, Canvas &context, const ReportObject &object,
    const ObjectFrame &frame, Bitmap &objectBitmap)
{
    if (object.controlType != ControlType::Picture && object.controlType != ControlType::StretchedPicture) {
        drawObject(images, context, object, frame);
        return;
    }
    if (objectPicture(images, object) == nullptr)
        return; // no picture: nothing at all, not even the white bitmap
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int dpiX = context.logicalDpiX();
    const int dpiY = context.logicalDpiY();
    // An empty frame, or one the surface refuses, makes no surface; the picture then draws into nothing.
    objectBitmap.create(QSize(clampToInt(std::trunc(twipsToPixels(width, dpiX))),
                            clampToInt(std::trunc(twipsToPixels(height, dpiY)))),
        dpiX, dpiY);
    const int pixelsX = objectBitmap.width();
    const int pixelsY = objectBitmap.height();

    Canvas picture;
    picture.attach(objectBitmap.deviceContext());
    drawFigure(picture, ShapeStyle::Rectangle, { true, false, kWhite, kWhite },
        { -10, -10, pixelsX + 10, pixelsY + 10 });
    picture.setMapMode(MapMode::Twips);
    drawObject(images, picture, object, { 0, 0, width, height });
    picture.copyTo(context.deviceContext(), QRect(frame.left, frame.top, width, height));
    picture.setMapMode(MapMode::Pixels);
    picture.detach();
}

} // namespace zet
