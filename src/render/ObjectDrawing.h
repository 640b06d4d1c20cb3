#pragma once

#include "model/ReportDocument.h"
#include "render/ObjectFrame.h"

namespace zet {

class Canvas;

// Drawing one report object into its frame on a context in the twips
// mapping. Frames are in twips; right and bottom are exclusive. Colours hold
// RGB with red in the low byte.

// How a figure is painted: lines always take a solid pen in borderColour;
// rectangles and ellipses have that outline only when border and are filled
// with backColour unless transparent.
struct ShapePaint
{
    bool border = false;
    bool transparent = false;
    int borderColour = 0;
    int backColour = 0;
};

// Draws object by its control type; an unknown type draws nothing. A picture
// takes its image from images and raises zet::Error 9 when its ImageIndex is
// outside that list.
void drawObject(
    const QList<ImageEntry> &images, Canvas &context, const ReportObject &object, const ObjectFrame &frame);

// A picture at its own size, one picture pixel to 15 twips (fitToImage,
// inside a black border 2 twips larger when border), or cut to the frame over
// backColour.
void drawPicture(
    Canvas &context, const ReportObject &object, const QImage &picture, const ObjectFrame &frame);

// A picture stretched to the frame (fitToControl, halftone) or cut to it;
// border draws a black frame and insets the picture by one twip.
void drawStretchedPicture(
    Canvas &context, const ReportObject &object, const QImage &picture, const ObjectFrame &frame);

// A framed text field: the frame filled with backColour, no border (whatever
// the object says), the text inset 45 twips from the left, top and right edges.
void drawFramedText(Canvas &context, const ReportObject &object, const ObjectFrame &frame);

// One line of the object's Value at the top of the frame, clipped to it, never
// wrapped; "&" is an ordinary character. The background (unless
// transparentBack) and a black border (when border, which also insets the
// text by one twip) come first. An unknown alignment draws no text. Without a
// font the context's current font is used.
void drawTextObject(Canvas &context, const ReportObject &object, const ObjectFrame &frame);

// The object's figure by its style, painted with its border, transparency
// and colours. The pen and brush stay selected in context.
void drawShape(Canvas &context, const ReportObject &object, const ObjectFrame &frame);

// A figure of style in frame; an unknown style draws nothing. The pen and
// brush stay selected in context.
void drawFigure(Canvas &context, ShapeStyle style, const ShapePaint &paint, const ObjectFrame &frame);

} // namespace zet
