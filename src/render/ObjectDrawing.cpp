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

// A picture ready to be copied in twips: its surface's context switched to
// the twips mapping for the life of this object. The surface is made at 96
// dpi whatever resolution the picture states, so one picture pixel covers
// kTwipsPerPicturePixel twips.
class PictureSource
{
public:
    explicit PictureSource(const QImage &picture)
    {
        QImage surface = picture; // shares the pixels: setting the resolution copies only when it differs
        surface.setDotsPerMeterX(kPictureDotsPerMetre);
        surface.setDotsPerMeterY(kPictureDotsPerMetre);
        surface_.create(surface);
        context_.attach(surface_.deviceContext());
        context_.setMapMode(MapMode::Twips);
    }
    ~PictureSource()
    {
        context_.setMapMode(MapMode::Pixels);
        context_.detach();
    }

    // The picture's own size in twips.
    int widthTwips() const { return checkedInt(qint64(surface_.width()) * kTwipsPerPicturePixel); }
    int heightTwips() const { return checkedInt(qint64(surface_.height()) * kTwipsPerPicturePixel); }

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

// The object's text, font, alignment and colours in frame, with the border
// and background flags given.
void drawText(
    Canvas &context, const ReportObject &object, bool border, bool transparentBack, ObjectFrame frame)
{
    if (border || !transparentBack) {
        drawFigure(
            context, ShapeStyle::Rectangle, { border, transparentBack, kBlack, object.backColour }, frame);
        if (border)
            frame = { frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1 };
    }
    context.setTextColours(
        object.textColour, object.backColour, transparentBack ? gdi::kBkTransparent : gdi::kBkOpaque);
    context.selectFont(object.font ? &*object.font : nullptr);
    const auto &[left, top, right, bottom] = frame;
    switch (object.alignment) {
    case TextAlignment::Left:
        drawAligned(context, object.value, kTextLeft, left, top, right, bottom);
        break;
    case TextAlignment::Right:
        drawAligned(context, object.value, kTextRight, left, top, right, bottom);
        break;
    case TextAlignment::Centre:
        drawAligned(context, object.value, kTextCentre, left, top, right, bottom);
        break;
    case TextAlignment::Justified:
        drawJustified(context, object.value, left, top, right, bottom);
        break;
    default:
        break;
    }
    context.restoreFont();
}

} // namespace

void drawObject(
    const QList<ImageEntry> &images, Canvas &context, const ReportObject &object, const ObjectFrame &frame)
{
    const auto picture = [&] { return checkedAt(images, object.imageIndex, "Images").surface; };
    switch (object.controlType) {
    case ControlType::Picture:
        drawPicture(context, object, picture(), frame);
        break;
    case ControlType::StretchedPicture:
        drawStretchedPicture(context, object, picture(), frame);
        break;
    case ControlType::FramedText:
        drawFramedText(context, object, frame);
        break;
    case ControlType::Text:
        drawTextObject(context, object, frame);
        break;
    case ControlType::Shape:
        drawShape(context, object, frame);
        break;
    default:
        break;
    }
}

void drawPicture(Canvas &context, const ReportObject &object, const QImage &picture, const ObjectFrame &frame)
{
    PictureSource source(picture);
    const auto &[left, top, right, bottom] = frame;
    if (object.fitToImage) {
        const int width = source.widthTwips();
        const int height = source.heightTwips();
        if (object.border) {
            drawFigure(context, ShapeStyle::Rectangle, { true, true, kBlack, object.backColour },
                { left, top, left + width + 2, top + height + 2 });
            source.copyTo(context, left + 1, top + 1, width, height);
        } else {
            source.copyTo(context, left, top, width, height);
        }
    } else if (object.border) {
        drawFigure(context, ShapeStyle::Rectangle, { true, false, kBlack, object.backColour }, frame);
        source.copyTo(context, left + 1, top + 1, right - 1 - (left + 1), bottom - 1 - (top + 1));
    } else {
        drawFigure(context, ShapeStyle::Rectangle, { false, false, kBlack, object.backColour }, frame);
        source.copyTo(context, left, top, right - left, bottom - top);
    }
}

void drawStretchedPicture(
    Canvas &context, const ReportObject &object, const QImage &picture, const ObjectFrame &frame)
{
    PictureSource source(picture);
    ObjectFrame inner = frame;
    if (object.border) {
        drawFigure(context, ShapeStyle::Rectangle, { true, true, kBlack, kBlack }, frame);
        inner = { frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1 };
    }
    const auto &[left, top, right, bottom] = inner;
    if (object.fitToControl)
        source.stretchTo(context, left, top, right - left, bottom - top);
    else
        source.copyTo(context, left, top, right - left, bottom - top);
}

void drawFramedText(Canvas &context, const ReportObject &object, const ObjectFrame &frame)
{
    drawFigure(context, ShapeStyle::Rectangle, { false, false, kBlack, object.backColour }, frame);
    drawText(context, object, false, false,
        { frame.left + kFramedTextInset, frame.top + kFramedTextInset, frame.right - kFramedTextInset,
            frame.bottom });
}

void drawTextObject(Canvas &context, const ReportObject &object, const ObjectFrame &frame)
{
    drawText(context, object, object.border, object.transparentBack, frame);
}

void drawShape(Canvas &context, const ReportObject &object, const ObjectFrame &frame)
{
    drawFigure(context, object.style,
        { object.border, object.transparentBack, object.borderColour, object.backColour }, frame);
}

void drawFigure(Canvas &context, ShapeStyle style, const ShapePaint &paint, const ObjectFrame &frame)
{
    switch (style) {
    case ShapeStyle::HorizontalLine:
    case ShapeStyle::VerticalLine:
    case ShapeStyle::RisingDiagonal:
    case ShapeStyle::FallingDiagonal:
        context.selectPen(gdi::kPenSolid, 1, paint.borderColour);
        break;
    case ShapeStyle::Rectangle:
    case ShapeStyle::Ellipse:
        if (paint.border)
            context.selectPen(gdi::kPenSolid, 1, paint.borderColour);
        else
            context.selectPen(gdi::kPenNull, 1, 0);
        if (paint.transparent)
            context.selectBrush(gdi::kBrushHollow, 0);
        else
            context.selectBrush(gdi::kBrushSolid, paint.backColour);
        break;
    default:
        return;
    }
    const auto &[left, top, right, bottom] = frame;
    switch (style) {
    case ShapeStyle::HorizontalLine:
        context.drawLine(left, middle(top, bottom), right, middle(top, bottom));
        break;
    case ShapeStyle::VerticalLine:
        context.drawLine(middle(left, right), top, middle(left, right), bottom);
        break;
    case ShapeStyle::RisingDiagonal:
        context.drawLine(right, top, left, bottom);
        break;
    case ShapeStyle::FallingDiagonal:
        context.drawLine(left, top, right, bottom);
        break;
    case ShapeStyle::Rectangle:
        context.drawRectangle(left, top, right, bottom);
        break;
    default: // ShapeStyle::Ellipse
        context.drawEllipse(left, top, right, bottom);
        break;
    }
}

} // namespace zet
