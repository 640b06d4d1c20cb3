#include "render/ObjectDrawing.h"
#include "PixelProbe.h"
#include "gfx/Canvas.h"
#include "gfx/DeviceContext.h"
#include "template/ImageList.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

constexpr int kRed = 0x0000FF, kGreen = 0x00FF00, kYellow = 0x00FFFF, kWhite = 0xFFFFFF, kBlack = 0;
const QRgb kGrey = kCanvasGrey;

// A grey canvas drawn on in the twips mapping; image() ends the drawing.
struct TwipsCanvas
{
    TwipsCanvas(int width, int height, int dpi)
        : picture(greyCanvas(width, height, dpi))
        , context(&picture)
    {
        api.attach(&context);
        api.setScaleMode(gdi::kMapTwipsScale);
    }
    const QImage &image()
    {
        api.setScaleMode(gdi::kMapText);
        api.detach();
        context.endPainting();
        return picture;
    }
    QImage picture;
    DeviceContext context;
    Canvas api;
};

ReportObject object(ControlType type, bool border, bool transparent)
{
    ReportObject o;
    o.controlType = type;
    o.border = border, o.transparentBack = transparent;
    o.borderColour = kRed, o.backColour = kGreen, o.textColour = kBlack;
    o.font = ReportFont { .name = QStringLiteral("Arial"), .size = 10 };
    return o;
}

// At 96 dpi one pixel is 15 twips: the frame (1500, 1500, 3000, 2985) covers
// pixels 100..199 across and 100..198 down. Border red, back green.
TEST(DrawShape, EachStylePaintsExactlyItsFigure)
{
    const QRgb line = pixel(kRed), fill = pixel(kGreen);
    using enum ShapeStyle;
    const struct
    {
        const char *name;
        ShapeStyle style;
        bool border, transparent;
        std::vector<Probe> probes;
    } rows[] = {
        { "horizontal line, even without border", HorizontalLine, false, false,
            { near(150, 149, line), { 150, 120, kGrey } } },
        { "vertical line", VerticalLine, false, true, { near(150, 150, line), { 120, 150, kGrey } } },
        { "rising diagonal", RisingDiagonal, true, false, { near(190, 110, line), { 110, 110, kGrey } } },
        { "falling diagonal", FallingDiagonal, true, false, { near(110, 110, line), { 190, 110, kGrey } } },
        { "filled rectangle with border", Rectangle, true, false,
            { { 100, 150, line }, { 150, 100, line }, near(199, 150, line), near(150, 198, line),
                { 150, 150, fill }, { 205, 150, kGrey } } },
        { "filled rectangle without border", Rectangle, false, false,
            { { 100, 150, fill }, { 150, 150, fill }, { 205, 150, kGrey } } },
        { "hollow rectangle", Rectangle, true, true, { { 100, 150, line }, { 150, 150, kGrey } } },
        { "neither border nor fill", Rectangle, false, true, { { 100, 150, kGrey }, { 150, 150, kGrey } } },
        { "filled ellipse", Ellipse, true, false,
            { near(100, 149, line), { 150, 150, fill }, { 102, 102, kGrey } } },
        { "hollow ellipse", Ellipse, true, true, { near(100, 149, line), { 150, 150, kGrey } } },
        { "unknown style", ShapeStyle(6), true, false, { { 100, 150, kGrey }, { 150, 149, kGrey } } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ReportObject shape = object(ControlType::Shape, row.border, row.transparent);
        shape.style = row.style;
        TwipsCanvas c(300, 300, 96);
        drawShape(c.api, shape, { 1500, 1500, 3000, 2985 });
        expectProbes(c.image(), row.probes);
    }
}

TEST(DrawShape, HorizontalLineOfAnOddHeightFrameSitsOnTheTruncatedMiddleRow)
{
    TwipsCanvas c(400, 200, 1440); // one pixel per twip
    drawFigure(c.api, ShapeStyle::HorizontalLine, { .borderColour = kRed }, { 100, 100, 300, 105 });
    expectProbes(c.image(), { { 200, 102, pixel(kRed) }, { 200, 101, kGrey }, { 200, 103, kGrey } });
}

// Text at 96 dpi in 10-point Arial, black on white: the frame (1500, 1500,
// 5985, 1815) covers pixels 100..398 across and 100..120 down.
const QRect kTextFramePixels(100, 100, 299, 21);

QImage drawText(const QString &text, TextAlignment alignment, bool border = false, bool transparent = false,
    int right = 5985, int bottom = 1815)
{
    ReportObject o = object(ControlType::Text, border, transparent);
    o.value = text, o.alignment = alignment, o.backColour = kWhite;
    TwipsCanvas c(450, 200, 96);
    drawTextObject(c.api, o, { 1500, 1500, right, bottom });
    return c.image();
}

TEST(DrawTextObject, AlignmentPlacesTheInkInTheFrame)
{
    const QRect left = inkBox(drawText(QStringLiteral("Ciao"), TextAlignment::Left), kTextFramePixels);
    const QRect right = inkBox(drawText(QStringLiteral("Ciao"), TextAlignment::Right), kTextFramePixels);
    const QRect centre = inkBox(drawText(QStringLiteral("Ciao"), TextAlignment::Centre), kTextFramePixels);
    ASSERT_FALSE(left.isEmpty() || right.isEmpty() || centre.isEmpty());
    EXPECT_NEAR(left.left(), 101, 2);
    EXPECT_NEAR(right.right(), 397, 2);
    EXPECT_NEAR((centre.left() + centre.right()) / 2.0, 249, 2);
    EXPECT_NEAR(left.width(), centre.width(), 1);
    EXPECT_NEAR(left.top(), 102, 2);
    EXPECT_NEAR(left.top(), right.top(), 1);
}

TEST(DrawTextObject, JustifiedTextSpreadsFromTheLeftEdgeToTwoTwipsBeforeTheRight)
{
    const QRect two = inkBox(drawText(QStringLiteral("AB"), TextAlignment::Justified), kTextFramePixels);
    EXPECT_NEAR(two.left(), 100, 2);
    EXPECT_NEAR(two.right(), 397, 2);
    // Every character of a longer text lands in its own slot: four ink runs.
    const QImage image = drawText(QStringLiteral("IIII"), TextAlignment::Justified);
    int runs = 0;
    for (int x = 100, inInk = 0; x < 399; ++x) {
        const bool ink = !inkBox(image, QRect(x, 100, 1, 21)).isEmpty();
        runs += ink && !inInk ? 1 : 0;
        inInk = ink;
    }
    EXPECT_EQ(runs, 4);
    // One character, or eight W in 40 pixels (overlapping by far more than 10
    // twips a gap), are left-aligned.
    EXPECT_EQ(drawText(QStringLiteral("W"), TextAlignment::Justified),
        drawText(QStringLiteral("W"), TextAlignment::Left));
    const QString wide = QStringLiteral("WWWWWWWW");
    EXPECT_EQ(drawText(wide, TextAlignment::Justified, false, false, 2100),
        drawText(wide, TextAlignment::Left, false, false, 2100));
}

TEST(DrawTextObject, TextIsClippedToItsFrame)
{
    const QImage narrow
        = drawText(QStringLiteral("MMMMMMMMMMMMMMMMMMMM"), TextAlignment::Left, false, true, 2250);
    EXPECT_FALSE(inkBox(narrow, QRect(100, 100, 50, 21)).isEmpty());
    EXPECT_TRUE(inkBox(narrow, QRect(150, 90, 300, 40)).isEmpty());
    const QImage low = drawText(QStringLiteral("MMMM"), TextAlignment::Left, false, true, 5985, 1575);
    EXPECT_TRUE(inkBox(low, QRect(90, 105, 350, 40)).isEmpty()) << "a frame 5 pixels high";
}

TEST(DrawTextObject, BackgroundAndBorderFollowTheirFlagsWhateverTheAlignment)
{
    const QImage unknownAlignment = drawText(QStringLiteral("Ciao"), TextAlignment(7), true, false);
    expectProbes(unknownAlignment, { { 100, 110, pixel(kBlack) }, { 150, 110, pixel(kWhite) } });
    EXPECT_TRUE(inkBox(unknownAlignment, QRect(102, 102, 290, 17)).isEmpty()) << "no text";
    const QImage transparent = drawText(QStringLiteral("Ciao"), TextAlignment::Left, false, true);
    EXPECT_FALSE(inkBox(transparent, kTextFramePixels).isEmpty());
    expectProbes(transparent, { { 300, 110, kGrey }, { 100, 110, kGrey } });
    expectProbes(drawText(QStringLiteral("Ciao"), TextAlignment::Left), { { 300, 110, pixel(kWhite) } });
}

// Each control type on the text frame, back colour yellow.
TEST(DrawObject, DrawsEachControlTypeItsOwnWay)
{
    const QRgb black = pixel(kBlack), back = pixel(kYellow);
    const struct
    {
        const char *name;
        ControlType type;
        std::vector<Probe> probes;
        int inkFrom; // where framed text starts, inset by 45 twips
    } rows[] = {
        // (The opaque text cell may cover the left border where the text starts.)
        { "text: the border is black", ControlType::Text,
            { { 398, 110, black }, { 300, 100, black }, { 300, 120, black }, { 300, 110, back } }, 0 },
        { "framed text: filled, no border", ControlType::FramedText,
            { { 100, 110, back }, { 150, 100, back }, { 390, 118, back } }, 103 },
        { "unknown type 0", ControlType::None, { { 100, 110, kGrey }, { 300, 110, kGrey } }, 0 },
        { "unknown type 7", ControlType(7), { { 100, 110, kGrey }, { 300, 110, kGrey } }, 0 },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ReportObject o = object(row.type, true, row.type == ControlType::FramedText);
        o.value = QStringLiteral("Rossi"), o.backColour = kYellow;
        TwipsCanvas c(450, 200, 96);
        drawObject({}, c.api, o, { 1500, 1500, 5985, 1815 });
        const QImage &image = c.image();
        expectProbes(image, row.probes);
        if (row.inkFrom > 0) {
            const QRect ink = inkBox(image, kTextFramePixels);
            EXPECT_TRUE(ink.left() >= row.inkFrom && ink.left() <= row.inkFrom + 2 && ink.top() >= 104)
                << ink.left();
        }
    }
}

QImage halvesPicture(int dotsPerMetre)
{
    QImage picture(20, 10, QImage::Format_BGR888);
    picture.fill(QColor(0, 0, 255));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    return picture;
}

// Pictures at 1440 dpi, one pixel per twip. The picture is 20 x 10 pixels
// (300 x 150 twips), its left half red, its right half blue; the object's
// back colour is green.
TEST(DrawPicture, OwnSizeCutOrStretchedWithOrWithoutBorder)
{
    const QImage picture = halvesPicture(3780);
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), back = pixel(kGreen), black = pixel(kBlack);
    const QRect frame(100, 100, 400, 200);
    const struct
    {
        const char *name;
        bool stretched, fit, border;
        QRect frame;
        std::vector<Probe> probes;
    } rows[] = {
        { "own size whatever the frame", false, true, false, QRect(100, 100, 50, 50),
            { { 100, 100, red }, { 245, 200, red }, { 255, 200, blue }, { 399, 249, blue },
                { 400, 200, kGrey }, { 300, 250, kGrey } } },
        { "own size in a black border two twips larger", false, true, true, QRect(100, 100, 50, 50),
            { { 100, 200, black }, { 401, 200, black }, { 200, 251, black }, { 101, 101, red },
                { 400, 250, blue }, { 402, 200, kGrey } } },
        { "cut at a smaller frame", false, false, false, QRect(100, 100, 150, 100),
            { { 249, 150, red }, { 250, 150, kGrey }, { 150, 200, kGrey } } },
        { "a larger frame shows the back colour", false, false, false, frame,
            { { 100, 100, red }, { 300, 150, blue }, { 450, 150, back }, { 150, 280, back } } },
        { "cut in a border, inset by one twip", false, false, true, frame,
            { { 100, 150, black }, { 499, 150, black }, { 101, 101, red }, { 450, 150, back } } },
        { "stretched over the frame", true, true, false, frame,
            { { 110, 110, red, 8 }, { 280, 290, red, 8 }, { 320, 110, blue, 8 }, { 495, 295, blue, 8 },
                { 505, 200, kGrey } } },
        { "stretched in a border", true, true, true, frame,
            { { 100, 200, black }, { 499, 200, black }, { 105, 200, red, 8 }, { 494, 200, blue, 8 } } },
        { "not stretched: cut without background", true, false, false, frame,
            { { 380, 200, blue }, { 450, 200, kGrey }, { 200, 280, kGrey } } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ReportObject o
            = object(row.stretched ? ControlType::StretchedPicture : ControlType::Picture, row.border, false);
        o.fitToImage = o.fitToControl = row.fit;
        TwipsCanvas c(600, 400, 1440);
        const ObjectFrame edges { row.frame.left(), row.frame.top(), row.frame.left() + row.frame.width(),
            row.frame.top() + row.frame.height() };
        drawObject({ ImageEntry { QStringLiteral("logo"), QString(), picture } }, c.api, o, edges);
        expectProbes(c.image(), row.probes);
    }
}

QString fileBytes(const QImage &picture, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return QString::fromLatin1(bytes);
}

// One picture pixel is 15 twips whatever resolution the file or the surface
// states: the 20 x 10 picture is 300 x 150 twips (pixels at 1440 dpi).
TEST(DrawPicture, SizeDoesNotDependOnTheStatedResolution)
{
    const QString bmp96 = fileBytes(halvesPicture(3780), "BMP"),
                  bmp300 = fileBytes(halvesPicture(11811), "BMP");
    ASSERT_EQ(bmp96.size(), bmp300.size());
    int differing = 0;
    for (qsizetype i = 0; i < bmp96.size(); ++i)
        differing += bmp96[i] != bmp300[i] ? 1 : 0;
    ASSERT_TRUE(differing > 0 && differing <= 8) << "the files differ in their resolution alone";
    const struct
    {
        const char *name;
        QImage picture;
    } rows[] = {
        { "BMP at 96 dpi", pictureFromImageBytes(bmp96) },
        { "BMP stating 300 dpi", pictureFromImageBytes(bmp300) },
        { "JPEG stating 72 dpi", pictureFromImageBytes(fileBytes(halvesPicture(2835), "JPEG")) },
        { "surface stating 300 dpi", halvesPicture(11811) },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ReportObject o = object(ControlType::Picture, false, false);
        o.fitToImage = true;
        TwipsCanvas c(400, 200, 1440);
        drawObject({ ImageEntry { QString(), QString(), row.picture } }, c.api, o, { 0, 0, 10, 10 });
        expectProbes(c.image(),
            { { 75, 75, qRgb(255, 0, 0), 24 }, { 299, 149, qRgb(0, 0, 255), 24 }, { 300, 100, kGrey },
                { 100, 150, kGrey } });
    }
}

} // namespace
