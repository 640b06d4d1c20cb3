#include "render/ObjectDrawing.h"
#include "TestDocument.h"
#include "support/PixelProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

constexpr int kRed = 0x0000FF;
constexpr int kGreen = 0x00FF00;
constexpr int kYellow = 0x00FFFF;
constexpr int kWhite = 0xFFFFFF;
constexpr int kBlack = 0;
const QRgb kGrey = kCanvasGrey;

// At 96 dpi one pixel is 15 twips: the frame (1500, 1500, 3000, 2985) covers
// pixels 100..199 across and 100..198 down. Border red, back green.
TEST(DrawShape, EachStylePaintsExactlyItsFigure)
{
    const QRgb line = pixel(kRed);
    const QRgb fill = pixel(kGreen);
    const struct
    {
        const char *name;
        int style;
        bool border, transparent;
        std::vector<Probe> probes;
    } rows[] = {
        { "horizontal line, even without border", kShapeHorizontalLine, false, false,
            { near(150, 149, line), { 150, 120, kGrey }, { 150, 180, kGrey } } },
        { "vertical line", kShapeVerticalLine, false, true, { near(150, 150, line), { 120, 150, kGrey } } },
        { "rising diagonal", kShapeRisingDiagonal, true, false,
            { near(150, 150, line), near(190, 110, line), { 110, 110, kGrey } } },
        { "falling diagonal", kShapeFallingDiagonal, true, false,
            { near(150, 150, line), near(110, 110, line), { 190, 110, kGrey } } },
        { "filled rectangle with border", kShapeRectangle, true, false,
            { { 100, 150, line }, { 150, 100, line }, near(199, 150, line), near(150, 198, line),
                { 150, 150, fill }, { 102, 102, fill }, { 95, 150, kGrey }, { 205, 150, kGrey } } },
        { "filled rectangle without border", kShapeRectangle, false, false,
            { { 100, 150, fill }, { 150, 100, fill }, { 150, 150, fill }, { 205, 150, kGrey } } },
        { "hollow rectangle", kShapeRectangle, true, true, { { 100, 150, line }, { 150, 150, kGrey } } },
        { "rectangle without border or fill", kShapeRectangle, false, true,
            { { 100, 150, kGrey }, { 150, 100, kGrey }, { 150, 150, kGrey } } },
        { "filled ellipse", kShapeEllipse, true, false,
            { near(100, 149, line), near(150, 100, line), { 150, 150, fill }, { 102, 102, kGrey },
                { 197, 196, kGrey } } },
        { "hollow ellipse", kShapeEllipse, true, true, { near(100, 149, line), { 150, 150, kGrey } } },
        { "unknown style", 6, true, false, { { 100, 150, kGrey }, { 150, 149, kGrey } } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TestDocument t;
        TwipsCanvas c(300, 300, 96);
        drawShape(t.doc, c.api, row.style, row.border, row.transparent, kRed, kGreen, 1500, 1500, 3000, 2985);
        expectProbes(c.image(), row.probes);
    }
}

TEST(DrawShape, HorizontalLineOfAnOddHeightFrameSitsOnTheTruncatedMiddleRow)
{
    TestDocument t;
    TwipsCanvas c(400, 200, 1440); // one pixel per twip
    drawShape(t.doc, c.api, kShapeHorizontalLine, true, false, kRed, kGreen, 100, 100, 300, 105);
    expectProbes(c.image(), { { 200, 102, pixel(kRed) }, { 200, 101, kGrey }, { 200, 103, kGrey } });
}

// Text at 96 dpi in 10-point Arial: the frame (1500, 1500, 5985, 1815)
// covers pixels 100..398 across and 100..120 down.
const QRect kTextFramePixels(100, 100, 299, 21);

QImage drawText(const QString &text, int alignment, bool border = false, bool transparent = false,
    int right = 5985, int bottom = 1815)
{
    TestDocument t;
    ReportFont font;
    font.name = QStringLiteral("Arial");
    font.size = 10;
    TwipsCanvas c(450, 200, 96);
    drawTextObject(
        t.doc, c.api, text, &font, alignment, border, transparent, kBlack, kWhite, 1500, 1500, right, bottom);
    return c.image();
}

TEST(DrawTextObject, AlignmentPlacesTheInkInTheFrame)
{
    const QRect left = inkBox(drawText(QStringLiteral("Ciao"), kAlignLeft), kTextFramePixels);
    const QRect right = inkBox(drawText(QStringLiteral("Ciao"), kAlignRight), kTextFramePixels);
    const QRect centre = inkBox(drawText(QStringLiteral("Ciao"), kAlignCentre), kTextFramePixels);
    ASSERT_FALSE(left.isEmpty() || right.isEmpty() || centre.isEmpty());
    EXPECT_NEAR(left.left(), 101, 2);
    EXPECT_NEAR(right.right(), 397, 2);
    EXPECT_NEAR((centre.left() + centre.right()) / 2.0, 249, 2);
    // The same ink, up to a pixel of anti-aliasing, at the top of the rectangle.
    EXPECT_NEAR(left.width(), right.width(), 1);
    EXPECT_NEAR(left.width(), centre.width(), 1);
    EXPECT_NEAR(left.top(), 102, 2);
    EXPECT_NEAR(left.top(), right.top(), 1);
}

TEST(DrawTextObject, JustifiedTextSpreadsFromTheLeftEdgeToTwoTwipsBeforeTheRight)
{
    const QRect two = inkBox(drawText(QStringLiteral("AB"), kAlignJustified), kTextFramePixels);
    ASSERT_FALSE(two.isEmpty());
    EXPECT_NEAR(two.left(), 100, 2);
    EXPECT_NEAR(two.right(), 397, 2);

    // Every character of a longer text lands in its own slot: four ink runs.
    const QImage image = drawText(QStringLiteral("IIII"), kAlignJustified);
    int runs = 0;
    bool inInk = false;
    for (int x = 100; x < 399; ++x) {
        const bool ink = !inkBox(image, QRect(x, 100, 1, 21)).isEmpty();
        runs += ink && !inInk ? 1 : 0;
        inInk = ink;
    }
    EXPECT_EQ(runs, 4);

    // One character, or eight W in 40 pixels (overlapping by far more than 10
    // twips a gap), are left-aligned.
    EXPECT_EQ(drawText(QStringLiteral("W"), kAlignJustified), drawText(QStringLiteral("W"), kAlignLeft));
    const QString wide = QStringLiteral("WWWWWWWW");
    EXPECT_EQ(
        drawText(wide, kAlignJustified, false, false, 2100), drawText(wide, kAlignLeft, false, false, 2100));
}

TEST(DrawTextObject, TextIsClippedToItsRectangle)
{
    const QImage narrow = drawText(QStringLiteral("MMMMMMMMMMMMMMMMMMMM"), kAlignLeft, false, true, 2250);
    EXPECT_FALSE(inkBox(narrow, QRect(100, 100, 50, 21)).isEmpty());
    EXPECT_TRUE(inkBox(narrow, QRect(150, 90, 300, 40)).isEmpty());

    const QImage low = drawText(QStringLiteral("MMMM"), kAlignLeft, false, true, 5985, 1575); // 5 pixels high
    EXPECT_TRUE(inkBox(low, QRect(90, 105, 350, 40)).isEmpty());
}

TEST(DrawTextObject, BackgroundAndBorderFollowTheirFlagsWhateverTheAlignment)
{
    const QImage unknownAlignment = drawText(QStringLiteral("Ciao"), 7, true, false);
    expectProbes(unknownAlignment, { { 100, 110, pixel(kBlack) }, { 150, 110, pixel(kWhite) } });
    EXPECT_TRUE(inkBox(unknownAlignment, QRect(102, 102, 290, 17)).isEmpty()) << "no text";

    const QImage transparent = drawText(QStringLiteral("Ciao"), kAlignLeft, false, true);
    EXPECT_FALSE(inkBox(transparent, kTextFramePixels).isEmpty());
    expectProbes(transparent, { { 300, 110, kGrey }, { 100, 110, kGrey } });
    expectProbes(drawText(QStringLiteral("Ciao"), kAlignLeft), { { 300, 110, pixel(kWhite) } });
}

// Each control type through DrawObject, on the text frame, with a red
// border colour and a yellow back colour.
TEST(DrawObject, DrawsEachControlTypeItsOwnWay)
{
    const QRgb black = pixel(kBlack), back = pixel(kYellow);
    const struct
    {
        const char *name;
        int type;
        bool border, transparent;
        std::vector<Probe> probes;
        QPoint inkFrom; // where framed text starts, inset by 45 twips
    } rows[] = {
        // (The opaque text cell may cover the left border where the text starts.)
        { "text: the border is black", kControlText, true, false,
            { { 398, 110, black }, { 300, 100, black }, { 300, 120, black }, { 300, 110, back } }, {} },
        { "framed text: filled, no border, either flag", kControlFramedText, true, true,
            { { 100, 110, back }, { 150, 100, back }, { 390, 118, back } }, QPoint(103, 104) },
        { "unknown type 0", 0, true, false, { { 100, 110, kGrey }, { 300, 110, kGrey } }, {} },
        { "unknown type 7", 7, true, false, { { 100, 110, kGrey }, { 300, 110, kGrey } }, {} },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TestDocument t;
        ReportObject &o = t.addText(t.addBand(), QStringLiteral("Rossi"), 1500, 1500, 4485, 315);
        o.controlType = row.type;
        o.border = row.border;
        o.transparentBack = row.transparent;
        o.borderColour = kRed;
        o.backColour = kYellow;
        TwipsCanvas c(450, 200, 96);
        drawObject(t.doc, c.api, t.lastObject, 1500, 1500, 5985, 1815);
        const QImage &image = c.image();
        expectProbes(image, row.probes);
        if (!row.inkFrom.isNull()) {
            const QRect ink = inkBox(image, kTextFramePixels);
            EXPECT_GE(ink.left(), row.inkFrom.x());
            EXPECT_LE(ink.left(), row.inkFrom.x() + 2);
            EXPECT_GE(ink.top(), row.inkFrom.y());
        }
    }
}

// Pictures at 1440 dpi, one pixel per twip. The picture is 20 x 10 pixels at
// 96 dpi (300 x 150 twips), its left half red, its right half blue; the
// object's back colour is green.
TEST(DrawPicture, OwnSizeCutOrStretchedWithOrWithoutBorder)
{
    QImage picture(20, 10, QImage::Format_RGB32);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y)
            picture.setPixel(x, y, x < 10 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    picture = picture.convertToFormat(QImage::Format_BGR888);
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
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
            { { 100, 200, black }, { 200, 100, black }, { 401, 200, black }, { 200, 251, black },
                { 101, 101, red }, { 400, 250, blue }, { 402, 200, kGrey } } },
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
        TestDocument doc;
        doc.doc.images.append(ImageEntry { QStringLiteral("logo"), QString(), picture });
        TwipsCanvas c(600, 400, 1440);
        const int l = row.frame.left(), t = row.frame.top(), r = l + row.frame.width(),
                  b = t + row.frame.height();
        if (row.stretched)
            drawStretchedPicture(doc.doc, c.api, row.fit, row.border, 0, l, t, r, b);
        else
            drawPicture(doc.doc, c.api, row.fit, row.border, kGreen, 0, l, t, r, b);
        expectProbes(c.image(), row.probes);
    }
}

} // namespace
