#include "render/ObjectDrawing.h"

#include "core/Twips.h"

#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "model/DocumentAccess.h"
#include "template/Conversions.h"

#include <QStringList>
#include <cmath>

namespace zet {

namespace {

constexpr int kBlack = 0;
constexpr int kFramedTextInset = 45; // twips
constexpr double kLeftAlignBelowGap = -10.0; // twips per gap

// Text is one line at the top of its rectangle, aligned horizontally.
constexpr Qt::Alignment kTextLeft = Qt::AlignLeft;
constexpr Qt::Alignment kTextRight = Qt::AlignRight;
constexpr Qt::Alignment kTextCentre = Qt::AlignHCenter;

// A picture of the image list, ready to be copied in twips: its surface's
// context switched to the twips mapping for the life of this object, so one
// picture pixel covers 1440 / (the picture's pixels per inch) twips.
class PictureSource
{
public:
    PictureSource(const ReportDocument &document, int imageIndex)
    {
        surface_.create(checkedAt(std::as_const(document.images), imageIndex, "Images").surface);
        context_.attach(surface_.deviceContext());
        context_.setMapMode(MapMode::Twips);
    }
    ~PictureSource()
    {
        context_.setMapMode(MapMode::Pixels);
        context_.detach();
    }

    // The picture's own size in twips: its pixels at its own resolution, so it
    // keeps its physical size on every device. (Taking the pixel count itself
    // as twips would show a corner of one fifteenth of a 96-dpi picture.)
    int widthTwips() const { return twips(surface_.width(), context_.logicalDpiX()); }
    int heightTwips() const { return twips(surface_.height(), context_.logicalDpiY()); }

    // Copies the picture's top left part, cut to width x height twips, to
    // (x, y). Where the extent is larger than the picture the destination
    // keeps what it had.
    void copyTo(Canvas &destination, int x, int y, int width, int height)
    {
        context_.copyTo(
            destination.deviceContext(), QRect(x, y, qMin(width, widthTwips()), qMin(height, heightTwips())));
    }

    // Stretches the whole picture (halftone) into width x height twips at (x, y).
    void stretchTo(Canvas &destination, int x, int y, int width, int height)
    {
        context_.setStretchMode(gdi::kStretchHalftone);
        context_.stretchTo(destination.deviceContext(), QRect(x, y, width, height),
            QRect(0, 0, widthTwips(), heightTwips()));
    }

private:
    static int twips(int pixels, int dpi) { return dpi > 0 ? roundHalfEven(pixelsToTwips(pixels, dpi)) : 0; }

    Bitmap surface_;
    Canvas context_;
};

// The text split into characters, a surrogate pair counting as one.
QStringList charactersOf(const QString &text)
{
    QStringList characters;
    characters.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        characters.append(text.mid(i, length));
        i += length - 1;
    }
    return characters;
}

// Halfway between two edges, truncated toward zero.
int middle(int a, int b)
{
    return int((qint64(a) + b) / 2);
}

void drawAligned(
    Canvas &context, const QString &text, Qt::Alignment alignment, int left, int top, int right, int bottom)
{
    context.drawText(QRect(left, top, right - left, bottom - top), alignment, text);
}

// Spreads the characters so the first starts at left and the last ends 2 twips
// before right; left-aligned when they would overlap by more than 10 twips
// per gap.
void drawJustified(Canvas &context, const QString &text, int left, int top, int right, int bottom)
{
    const QStringList characters = charactersOf(text);
    if (characters.size() == 1) {
        drawAligned(context, text, kTextLeft, left, top, right, bottom);
        return;
    }
    double sum = 0;
    for (const QString &character : characters)
        sum += context.textWidth(character);
    const double gap = ((right - left) - sum - 2) / double(characters.size() - 1);
    if (gap < kLeftAlignBelowGap) {
        drawAligned(context, text, kTextLeft, left, top, right, bottom);
        return;
    }
    double x = left;
    for (const QString &character : characters) {
        drawAligned(context, character, kTextLeft, roundHalfEven(x), top, right, bottom);
        x += context.textWidth(character) + gap;
    }
}

} // namespace

void drawObject(
    ReportDocument &document, Canvas &context, int objectIndex, int left, int top, int right, int bottom)
{
    const ReportObject &object = checkedAt(std::as_const(document.objects), objectIndex, "Objects");
    const ReportFont *font = object.font ? &*object.font : nullptr;
    switch (object.controlType) {
    case kControlPicture:
        drawPicture(document, context, object.fitToImage, object.border, object.backColour, object.imageIndex,
            left, top, right, bottom);
        break;
    case kControlStretchedPicture:
        drawStretchedPicture(document, context, object.fitToControl, object.border, object.imageIndex, left,
            top, right, bottom);
        break;
    case kControlFramedText:
        drawFramedText(document, context, object.value, font, object.alignment, object.textColour,
            object.backColour, left, top, right, bottom);
        break;
    case kControlText:
        drawTextObject(document, context, object.value, font, object.alignment, object.border,
            object.transparentBack, object.textColour, object.backColour, left, top, right, bottom);
        break;
    case kControlShape:
        drawShape(document, context, object.style, object.border, object.transparentBack, object.borderColour,
            object.backColour, left, top, right, bottom);
        break;
    default:
        break;
    }
}

void drawPicture(ReportDocument &document, Canvas &context, bool fitToImage, bool border, int backColour,
    int imageIndex, int left, int top, int right, int bottom)
{
    PictureSource picture(document, imageIndex);
    if (fitToImage) {
        const int width = picture.widthTwips();
        const int height = picture.heightTwips();
        if (border) {
            drawShape(document, context, kShapeRectangle, true, true, kBlack, backColour, left, top,
                left + width + 2, top + height + 2);
            picture.copyTo(context, left + 1, top + 1, width, height);
        } else {
            picture.copyTo(context, left, top, width, height);
        }
    } else if (border) {
        drawShape(
            document, context, kShapeRectangle, true, false, kBlack, backColour, left, top, right, bottom);
        picture.copyTo(context, left + 1, top + 1, right - 1 - (left + 1), bottom - 1 - (top + 1));
    } else {
        drawShape(
            document, context, kShapeRectangle, false, false, kBlack, backColour, left, top, right, bottom);
        picture.copyTo(context, left, top, right - left, bottom - top);
    }
}

void drawStretchedPicture(ReportDocument &document, Canvas &context, bool fitToControl, bool border,
    int imageIndex, int left, int top, int right, int bottom)
{
    PictureSource picture(document, imageIndex);
    if (border) {
        drawShape(document, context, kShapeRectangle, true, true, kBlack, kBlack, left, top, right, bottom);
        ++left;
        ++top;
        --right;
        --bottom;
    }
    if (fitToControl)
        picture.stretchTo(context, left, top, right - left, bottom - top);
    else
        picture.copyTo(context, left, top, right - left, bottom - top);
}

void drawFramedText(ReportDocument &document, Canvas &context, const QString &value, const ReportFont *font,
    int alignment, int textColour, int backColour, int left, int top, int right, int bottom)
{
    drawShape(document, context, kShapeRectangle, false, false, kBlack, backColour, left, top, right, bottom);
    drawTextObject(document, context, value, font, alignment, false, false, textColour, backColour,
        left + kFramedTextInset, top + kFramedTextInset, right - kFramedTextInset, bottom);
}

void drawTextObject(ReportDocument &document, Canvas &context, const QString &text, const ReportFont *font,
    int alignment, bool border, bool transparentBack, int textColour, int backColour, int left, int top,
    int right, int bottom)
{
    if (border || !transparentBack) {
        drawShape(document, context, kShapeRectangle, border, transparentBack, kBlack, backColour, left, top,
            right, bottom);
        if (border) {
            ++left;
            ++top;
            --right;
            --bottom;
        }
    }
    context.setTextColours(textColour, backColour, transparentBack ? gdi::kBkTransparent : gdi::kBkOpaque);
    context.selectFont(font);
    switch (alignment) {
    case kAlignLeft:
        drawAligned(context, text, kTextLeft, left, top, right, bottom);
        break;
    case kAlignRight:
        drawAligned(context, text, kTextRight, left, top, right, bottom);
        break;
    case kAlignCentre:
        drawAligned(context, text, kTextCentre, left, top, right, bottom);
        break;
    case kAlignJustified:
        drawJustified(context, text, left, top, right, bottom);
        break;
    default:
        break;
    }
    context.restoreFont();
}

void drawShape(ReportDocument &, Canvas &context, int style, bool border, bool transparent, int borderColour,
    int backColour, int left, int top, int right, int bottom)
{
    switch (style) {
    case kShapeHorizontalLine:
    case kShapeVerticalLine:
    case kShapeRisingDiagonal:
    case kShapeFallingDiagonal:
        context.selectPen(gdi::kPenSolid, 1, borderColour);
        break;
    case kShapeRectangle:
    case kShapeEllipse:
        if (border)
            context.selectPen(gdi::kPenSolid, 1, borderColour);
        else
            context.selectPen(gdi::kPenNull, 1, 0);
        if (transparent)
            context.selectBrush(gdi::kBrushHollow, 0);
        else
            context.selectBrush(gdi::kBrushSolid, backColour);
        break;
    default:
        return;
    }
    switch (style) {
    case kShapeHorizontalLine:
        context.drawLine(left, middle(top, bottom), right, middle(top, bottom));
        break;
    case kShapeVerticalLine:
        context.drawLine(middle(left, right), top, middle(left, right), bottom);
        break;
    case kShapeRisingDiagonal:
        context.drawLine(right, top, left, bottom);
        break;
    case kShapeFallingDiagonal:
        context.drawLine(left, top, right, bottom);
        break;
    case kShapeRectangle:
        context.drawRectangle(left, top, right, bottom);
        break;
    default: // kShapeEllipse
        context.drawEllipse(left, top, right, bottom);
        break;
    }
}

} // namespace zet
