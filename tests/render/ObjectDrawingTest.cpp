#include "render/ObjectDrawing.h"
#include "support/PixelProbe.h"
#include "template/ImageList.h"

#include <QBuffer>
#include <QPainter>
#include <QPicture>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

constexpr int kRed = 0x0000FF, kGreen = 0x00FF00, kWhite = 0xFFFFFF, kBlack = 0;
const QRgb kGrey = kCanvasGrey, kLine = pixel(kRed), kFill = pixel(kGreen), kInk = pixel(kBlack);

// A grey canvas of width x height pixels at dpi after draw(canvas) in twips.
template <typename Draw> QImage drawnOn(int width, int height, int dpi, Draw &&draw)
{
    TwipsCanvas canvas(width, height, dpi);
    draw(canvas.api);
    return canvas.image();
}

// Red border, green back, black 10-point Arial text.
ReportObject object(ControlType type, bool border, bool transparent)
{
    ReportObject o;
    o.controlType = type, o.border = border, o.transparentBack = transparent;
    o.borderColour = kRed, o.backColour = kGreen, o.textColour = kBlack;
    o.font = ReportFont { .name = QStringLiteral("Arial"), .size = 10 };
    return o;
}

// At 1440 dpi, one pixel per twip, in the frame (100, 100)-(300, 205): the
// middle row is 152 (truncated), the middle column 200.
TEST(DrawShape, EachStylePaintsExactlyItsFigure)
{
    using enum ShapeStyle;
    const std::tuple<const char *, ShapeStyle, bool, bool, std::vector<Probe>> rows[] = {
        { "horizontal line, even without border", HorizontalLine, false, false,
            { { 200, 152, kLine }, { 200, 151, kGrey }, { 200, 153, kGrey } } },
        { "vertical line", VerticalLine, false, true, { { 200, 150, kLine }, { 199, 150, kGrey } } },
        { "rising diagonal", RisingDiagonal, true, false, { near(200, 152, kLine), { 120, 120, kGrey } } },
        { "falling diagonal", FallingDiagonal, true, false, { near(200, 152, kLine), { 280, 120, kGrey } } },
        { "filled rectangle", Rectangle, true, false,
            { { 100, 150, kLine }, { 299, 150, kLine }, { 200, 204, kLine }, { 200, 150, kFill },
                { 300, 150, kGrey } } },
        { "filled ellipse", Ellipse, true, false,
            { near(100, 152, kLine), { 200, 152, kFill }, { 105, 105, kGrey } } },
        { "unknown style", ShapeStyle(6), true, false, { { 100, 150, kGrey }, { 200, 152, kGrey } } },
    };
    for (const auto &[name, style, border, transparent, probes] : rows) {
        SCOPED_TRACE(name);
        ReportObject shape = object(ControlType::Shape, border, transparent);
        shape.style = style;
        const auto draw = [&](Canvas &c) { drawShape(c, shape, { 100, 100, 300, 205 }); };
        expectProbes(drawnOn(400, 250, 1440, draw), probes);
    }
}

// Text (or another type) at 96 dpi on white: the frame (1500, 1500, 5985,
// 1815) covers pixels 100..398 across and 100..120 down.
const QRect kTextFramePixels(100, 100, 299, 21);

QImage drawnText(const QString &text, TextAlignment alignment, bool border = false, bool transparent = false,
    int right = 5985, ControlType type = ControlType::Text)
{
    ReportObject o = object(type, border, transparent);
    o.value = text, o.alignment = alignment, o.backColour = kWhite;
    return drawnOn(450, 200, 96, [&](Canvas &c) { drawObject({}, c, o, { 1500, 1500, right, 1815 }); });
}

QRect ink(const QString &text, TextAlignment alignment, int right = 5985)
{
    return inkBox(drawnText(text, alignment, false, false, right), kTextFramePixels);
}

TEST(DrawTextObject, AlignmentPlacesTheInkInTheFrame)
{
    const QRect left = ink(QStringLiteral("Ciao"), TextAlignment::Left);
    EXPECT_NEAR(left.left(), 101, 2);
    EXPECT_NEAR(left.top(), 102, 2);
    EXPECT_NEAR(ink(QStringLiteral("Ciao"), TextAlignment::Right).right(), 397, 2);
    const QRect centre = ink(QStringLiteral("Ciao"), TextAlignment::Centre);
    EXPECT_NEAR((centre.left() + centre.right()) / 2.0, 249, 2);
    // Justified: from the left edge to two twips before the right one; eight W
    // in 40 pixels (overlapping by far more than 10 twips a gap) are left-aligned.
    const QRect two = ink(QStringLiteral("AB"), TextAlignment::Justified);
    EXPECT_TRUE(std::abs(two.left() - 100) <= 2 && std::abs(two.right() - 397) <= 2)
        << two.left() << two.right();
    const QString wide(8, u'W');
    EXPECT_EQ(ink(wide, TextAlignment::Justified, 2100), ink(wide, TextAlignment::Left, 2100));
}

// Justified characters never pile up: with more gaps than the frame has twips
// the text is left-aligned, and only characters that start in the frame and
// can reach the device are drawn. A huge text is then a few drawing commands
// (recorded here), not one per character.
TEST(DrawTextObject, AHugeJustifiedTextDrawsOnlyWhatCanShow)
{
    const std::tuple<const char *, QString, double, int> rows[] = { // text, font size, frame width (twips)
        { "more gaps than twips", QString(20000, u'l'), 0.5, 3000 },
        { "spread far beyond the device", QString(3000, u'x'), 8, 1000000 }
    };
    for (const auto &[name, text, size, width] : rows) {
        ReportObject o = object(ControlType::Text, false, true);
        o.value = text, o.alignment = TextAlignment::Justified, o.font->size = size;
        QPicture recording;
        recording.setBoundingRect(QRect(0, 0, 300, 100));
        {
            DeviceContext context(&recording);
            Canvas canvas;
            canvas.attach(&context);
            canvas.setMapMode(MapMode::Twips);
            drawObject({}, canvas, o, { 0, 0, width, 1500 });
        }
        EXPECT_LT(recording.size(), 40000) << name << ": bytes of drawing commands";
    }
}

TEST(DrawObject, TextFlagsFramedTextAndUnknownCodes)
{
    const QString text = QStringLiteral("Ciao");
    const QImage clipped = drawnText(QString(20, u'M'), TextAlignment::Left, false, true, 2250);
    EXPECT_TRUE(inkBox(clipped, QRect(150, 90, 300, 40)).isEmpty()) << "clipped to the frame";
    expectProbes(drawnText(text, TextAlignment::Left, false, true), { { 300, 110, kGrey } }); // transparent
    // A black border whatever the border colour; an unknown alignment draws no text.
    const QImage unknownAlignment = drawnText(text, TextAlignment(7), true, false);
    expectProbes(unknownAlignment, { { 100, 110, kInk }, { 150, 110, pixel(kWhite) } });
    EXPECT_TRUE(inkBox(unknownAlignment, QRect(102, 102, 290, 17)).isEmpty());
    // Framed text: filled, no border even when asked for, inset by 45 twips.
    const QImage framed = drawnText(text, TextAlignment::Left, true, true, 5985, ControlType::FramedText);
    expectProbes(framed, { { 100, 110, pixel(kWhite) }, { 150, 100, pixel(kWhite) } });
    const QRect ink = inkBox(framed, kTextFramePixels);
    EXPECT_TRUE(ink.left() >= 103 && ink.left() <= 105 && ink.top() >= 104) << ink.left() << " " << ink.top();
    expectProbes(
        drawnText(text, TextAlignment::Left, true, false, 5985, ControlType(7)), { { 100, 110, kGrey } });
}

// 20 x 10 pixels, the left half red, the right half blue, stating a
// resolution; with a format, written to a file and read back as a template's
// image list reads it.
QImage halves(int dotsPerMetre, const char *format = nullptr)
{
    QImage picture(20, 10, QImage::Format_BGR888);
    picture.fill(Qt::blue);
    QPainter(&picture).fillRect(0, 0, 10, 10, Qt::red);
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return format && picture.save(&buffer, format) ? pictureFromImageBytes(QString::fromLatin1(bytes))
                                                   : picture;
}

// At 1440 dpi, one pixel per twip: one picture pixel is 15 twips whatever
// resolution the file or the surface states, so the picture is 300 x 150.
TEST(DrawPicture, OwnSizeCutOrStretchedWithOrWithoutBorder)
{
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    const QImage at96 = halves(3780);
    const std::vector<Probe> ownSize { { 175, 200, red, 24 }, { 325, 200, blue, 24 }, { 399, 249, blue, 24 },
        { 400, 200, kGrey }, { 300, 250, kGrey } };
    const QRect small(100, 100, 50, 50), large(100, 100, 400, 200);
    using enum ControlType;
    const std::tuple<const char *, QImage, ControlType, bool, bool, QRect, std::vector<Probe>> rows[] = {
        { "own size, BMP file stating 300 dpi", halves(11811, "BMP"), Picture, true, false, small, ownSize },
        { "own size, surface stating 300 dpi", halves(11811), Picture, true, false, small, ownSize },
        { "own size in a black border two twips larger", at96, Picture, true, true, small,
            { { 100, 200, kInk }, { 401, 200, kInk }, { 200, 251, kInk }, { 101, 101, red },
                { 402, 200, kGrey } } },
        { "cut at a smaller frame", at96, Picture, false, false, QRect(100, 100, 150, 100),
            { { 249, 150, red }, { 250, 150, kGrey }, { 150, 200, kGrey } } },
        { "cut in a border, inset by one twip", at96, Picture, false, true, large,
            { { 100, 150, kInk }, { 499, 150, kInk }, { 101, 101, red }, { 450, 150, kFill } } },
        { "stretched over the frame", at96, StretchedPicture, true, false, large,
            { { 280, 290, red, 8 }, { 320, 110, blue, 8 }, { 495, 295, blue, 8 }, { 505, 200, kGrey } } },
        { "stretched in a border", at96, StretchedPicture, true, true, large,
            { { 100, 200, kInk }, { 499, 200, kInk }, { 105, 200, red, 8 }, { 494, 200, blue, 8 } } },
        { "not stretched: cut without background", at96, StretchedPicture, false, false, large,
            { { 380, 200, blue }, { 450, 200, kGrey }, { 200, 280, kGrey } } },
    };
    for (const auto &[name, picture, type, fit, border, frame, probes] : rows) {
        SCOPED_TRACE(name);
        ReportObject o = object(type, border, false);
        o.fitToImage = o.fitToControl = fit;
        const ObjectFrame edges { frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1 };
        const QList<ImageEntry> images { { {}, {}, picture } };
        expectProbes(drawnOn(600, 400, 1440, [&](Canvas &c) { drawObject(images, c, o, edges); }), probes);
    }
}

} // namespace
