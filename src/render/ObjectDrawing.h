#pragma once

#include "model/ReportDocument.h"

namespace zet {

class Canvas;

// Drawing one report object into its frame on a context in the twips
// mapping. Frames are given by their edges in twips; right and bottom are
// exclusive. Colours hold RGB with red in the low byte.

enum ShapeStyle : int {
    kShapeHorizontalLine = 0, // through the middle row, (top + bottom) / 2
    kShapeVerticalLine = 1, // through the middle column, (left + right) / 2
    kShapeRisingDiagonal = 2, // (right, top) to (left, bottom)
    kShapeFallingDiagonal = 3,
    kShapeRectangle = 4,
    kShapeEllipse = 5,
};

enum TextAlignment : int {
    kAlignLeft = 0,
    kAlignRight = 1,
    kAlignCentre = 2,
    kAlignJustified = 3, // characters spread over the width
};

// Draws object objectIndex by its ControlType; types other than 2 to 6 draw
// nothing. Raises zet::Error 9 for an index outside Objects or, for pictures,
// outside Images.
void drawObject(
    ReportDocument &document, Canvas &context, int objectIndex, int left, int top, int right, int bottom);

// A picture at its own physical size (fitToImage, inside a black border 2
// twips larger when border) or cut to the frame over backColour.
void drawPicture(ReportDocument &document, Canvas &context, bool fitToImage, bool border, int backColour,
    int imageIndex, int left, int top, int right, int bottom);

// A picture stretched to the frame (fitToControl, halftone) or cut to it;
// border draws a black frame and insets the picture by one twip.
void drawStretchedPicture(ReportDocument &document, Canvas &context, bool fitToControl, bool border,
    int imageIndex, int left, int top, int right, int bottom);

// A framed text field: the frame filled with backColour, no border, the text
// inset 45 twips from the left, top and right edges.
void drawFramedText(ReportDocument &document, Canvas &context, const QString &value, const ReportFont *font,
    int alignment, int textColour, int backColour, int left, int top, int right, int bottom);

// One line of text at the top of the frame, clipped to it, never wrapped;
// "&" is an ordinary character. The background (unless transparentBack) and a
// black border (when border, which also insets the text by one twip) come
// first. Alignments other than 0 to 3 draw no text. font may be null: the
// context's current font is used.
void drawTextObject(ReportDocument &document, Canvas &context, const QString &text, const ReportFont *font,
    int alignment, bool border, bool transparentBack, int textColour, int backColour, int left, int top,
    int right, int bottom);

// A line, rectangle or ellipse by ShapeStyle. Lines always use a solid pen in
// borderColour; rectangles and ellipses have that border only when border and
// are filled with backColour unless transparent. Other styles draw nothing.
// The pen and brush stay selected in context.
void drawShape(ReportDocument &document, Canvas &context, int style, bool border, bool transparent,
    int borderColour, int backColour, int left, int top, int right, int bottom);

} // namespace zet
