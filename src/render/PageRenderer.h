#pragma once

#include "model/ReportDocument.h"
#include "render/EditBoxes.h"
#include "render/ObjectFrame.h"

namespace zet {

class DeviceContext;
class Canvas;
class Bitmap;

// How the preview shows a page, or the page as printed.
enum class RenderView {
    Full, // every listed object; framed text fields may get edit boxes
    Print, // listed objects that are not printable are skipped; no edit boxes
};

// The options of one renderPage call; the defaults draw the full view at
// 100 % straight onto the destination.
struct RenderOptions
{
    RenderView view = RenderView::Full;
    // The preview's boxes, or null. In the full view at zoom 1.0 listed framed
    // text fields get a box each instead of being painted; boxes after the
    // last one used are hidden.
    EditBoxes *editBoxes = nullptr;
    // 1.0 draws at 100 %; any other value draws the page into a bitmap at the
    // destination's resolution and stretches it (halftone) to zoom x the page size.
    double zoom = 1.0;
    // Draw into a page bitmap first and copy it to the destination's origin
    // (what the offsets push outside the page is cut).
    bool pageBuffer = false;
    // Draw each picture object through a bitmap of its frame.
    bool imageBuffer = false;
    // Twips added to every object and to the outlines.
    int offsetX = 0;
    int offsetY = 0;
    // Afterwards, a red ellipse on the page edges and a red ellipse and
    // rectangle on the margins.
    bool outlines = false;
};

// Draws page pageIndex (0-based) of a laid-out document on destination: the
// one painting path of the preview, the printer and the page exports.
// The page is drawn in twips at its physical size; destination is left in the
// pixel mapping with the pen, brush and font it had. Listed objects' Value
// fields keep the text of this page. The edit boxes are told they are being
// filled for the whole call, however it ends. Raises zet::Error 9 for a page,
// band, object or image index outside its list and zet::Error 6 when a
// coordinate leaves 32 bits.
void renderPage(
    ReportDocument &document, DeviceContext &destination, int pageIndex, const RenderOptions &options = {});

// Draws object into frame on context; picture objects (types 2 and 3) go
// through objectBitmap, a bitmap of the frame's size at the context's
// resolution, which is then copied to the frame.
void drawObjectBuffered(const QList<ImageEntry> &images, Canvas &context, const ReportObject &object,
    const ObjectFrame &frame, Bitmap &objectBitmap);

} // namespace zet
