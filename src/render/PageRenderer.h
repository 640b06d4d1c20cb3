#pragma once

#include "model/ReportDocument.h"
#include "render/EditBoxes.h"
#include "render/ObjectFrame.h"

namespace zet {

class DeviceContext;
class Canvas;
class Bitmap;

// Draws page pageIndex (0-based) of a laid-out document on destination: the
// one painting path of the preview, the printer and the page exports.
// The page is drawn in twips at its physical size; destination is left in the
// pixel mapping with the pen, brush and font it had.
//  - printView: draw as printed (listed objects that are not printable are
//    skipped; no edit boxes).
//  - editBoxes: the preview's boxes, or null. Outside print view at zoom 1.0
//    listed framed text fields get a box each instead of being painted;
//    boxes after the last one used are hidden.
//  - zoom: 1.0 draws at 100 %; any other value draws the page into a
//    bitmap at the destination's resolution and stretches it (halftone) to
//    zoom x the page size.
//  - pageBuffer: draw into a page bitmap first and copy it to the
//    destination's origin (what the offsets push outside the page is cut).
//  - imageBuffer: draw each picture object through a bitmap of its frame.
//  - offsetX, offsetY: twips added to every object and to the outlines.
//  - drawOutlines: afterwards, red ellipses on the page and margin
//    rectangles and a red margin rectangle.
// Listed objects' Value fields keep the text of this page. Raises zet::Error 9
// for a page, band, object or image index outside its list and zet::Error 6
// when a coordinate leaves 32 bits; RenderIdle is true again either way.
void renderPage(ReportDocument &document, DeviceContext &destination, int pageIndex, bool printView,
    EditBoxes *editBoxes, double zoom, bool pageBuffer, bool imageBuffer, int offsetX, int offsetY,
    bool drawOutlines);

// Draws object objectIndex into frame on context; picture objects (types 2
// and 3) go through objectBitmap, a bitmap of the frame's size at the
// context's resolution, which is then copied to the frame.
void drawObjectBuffered(ReportDocument &document, Canvas &context, int objectIndex, const ObjectFrame &frame,
    Bitmap &objectBitmap);

} // namespace zet
