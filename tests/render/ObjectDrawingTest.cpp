#include "render/ObjectDrawing.h"
#include "PixelProbe.h"
#include "TestDocument.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

constexpr int kRed = 0x0000FF;
constexpr int kGreen = 0x00FF00;
constexpr int kBlue = 0xFF0000;
constexpr int kYellow = 0x00FFFF;
constexpr int kWhite = 0xFFFFFF;
constexpr int kBlack = 0;

// ---- Shapes, at 96 dpi: one pixel is 15 twips. The frame (1500, 1500,
// 3000, 2985) covers pixels 100..199 across and 100..198 down.

enum class Expect { Border, Back, Untouched };

struct Probe
{
    int x, y;
    Expect expect;
    bool near = false; // thin lines: somewhere within one pixel
};

struct ShapeCase
{
    const char *name;
    int style;
    bool border;
    bool transparent;
    std::vector<Probe> probes;
};

class Shapes : public ::testing::TestWithParam<ShapeCase>
{
};

TEST_P(Shapes, PaintExactlyTheirFigure)
{
    const ShapeCase &c = GetParam();
    TestDocument t;
    TwipsCanvas canvas(300, 300, 96);
    DrawShape(t.doc, canvas.api, c.style, c.border, c.transparent, kRed, kGreen, 1500, 1500, 3000, 2985);
    const QImage &image = canvas.finish();
    for (const Probe &p : c.probes) {
        SCOPED_TRACE(::testing::Message() << "probe (" << p.x << "," << p.y << ")");
        const QRgb expected = p.expect == Expect::Border ? Pixel(kRed)
            : p.expect == Expect::Back                   ? Pixel(kGreen)
                                                         : kCanvasGrey;
        if (p.near)
            EXPECT_TRUE(PixelNear(image, p.x, p.y, expected));
        else
            EXPECT_TRUE(PixelIs(image, p.x, p.y, expected));
    }
}

const Probe kOutsideLeft { 95, 150, Expect::Untouched };
const Probe kOutsideRight { 205, 150, Expect::Untouched };
const Probe kCentre { 150, 150, Expect::Untouched };

INSTANTIATE_TEST_SUITE_P(DrawShape, Shapes,
    ::testing::Values(ShapeCase { "HorizontalLineEvenWithoutBorder", 0, false, false,
                          { { 150, 149, Expect::Border, true }, { 150, 120, Expect::Untouched },
                              { 150, 180, Expect::Untouched } } },
        ShapeCase { "VerticalLine", 1, false, true,
            { { 150, 150, Expect::Border, true }, { 120, 150, Expect::Untouched } } },
        ShapeCase { "RisingDiagonal", 2, true, false,
            { { 150, 150, Expect::Border, true }, { 190, 110, Expect::Border, true },
                { 110, 110, Expect::Untouched } } },
        ShapeCase { "FallingDiagonal", 3, true, false,
            { { 150, 150, Expect::Border, true }, { 110, 110, Expect::Border, true },
                { 190, 110, Expect::Untouched } } },
        ShapeCase { "FilledRectangleWithBorder", 4, true, false,
            { { 100, 150, Expect::Border }, { 150, 100, Expect::Border }, { 199, 150, Expect::Border, true },
                { 150, 198, Expect::Border, true }, { 150, 150, Expect::Back }, { 102, 102, Expect::Back },
                kOutsideLeft, kOutsideRight } },
        ShapeCase { "FilledRectangleWithoutBorder", 4, false, false,
            { { 100, 150, Expect::Back }, { 150, 100, Expect::Back }, { 150, 150, Expect::Back },
                kOutsideRight } },
        ShapeCase { "HollowRectangle", 4, true, true, { { 100, 150, Expect::Border }, kCentre } },
        ShapeCase { "RectangleWithoutBorderOrFillIsInvisible", 4, false, true,
            { { 100, 150, Expect::Untouched }, { 150, 100, Expect::Untouched }, kCentre } },
        ShapeCase { "FilledEllipse", 5, true, false,
            { { 100, 149, Expect::Border, true }, { 150, 100, Expect::Border, true },
                { 150, 150, Expect::Back }, { 102, 102, Expect::Untouched },
                { 197, 196, Expect::Untouched } } },
        ShapeCase { "HollowEllipse", 5, true, true, { { 100, 149, Expect::Border, true }, kCentre } },
        ShapeCase {
            "UnknownStyleDrawsNothing", 6, true, false, { { 100, 150, Expect::Untouched }, kCentre } },
        ShapeCase {
            "NegativeStyleDrawsNothing", -1, true, false, { { 150, 149, Expect::Untouched }, kCentre } }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DrawShape, HorizontalLineOfAnOddHeightFrameSitsOnTheTruncatedMiddleRow)
{
    TestDocument t;
    TwipsCanvas canvas(400, 200, 1440); // one pixel per twip
    DrawShape(t.doc, canvas.api, kShapeHorizontalLine, true, false, kRed, kGreen, 100, 100, 300, 105);
    const QImage &image = canvas.finish();
    EXPECT_TRUE(PixelIs(image, 200, 102, Pixel(kRed)));
    EXPECT_TRUE(PixelIs(image, 200, 101, kCanvasGrey));
    EXPECT_TRUE(PixelIs(image, 200, 103, kCanvasGrey));
}

// ---- Text, at 96 dpi in 10-point Arial. The frame (1500, 1500, 5985, 1815)
// covers pixels 100..398 across and 100..120 down.

const QRect kTextFramePixels(100, 100, 299, 21);

ReportFont arial10()
{
    ReportFont font;
    font.Name = QStringLiteral("Arial");
    font.Size = 10;
    return font;
}

QImage drawText(const QString &text, int alignment, bool border = false, bool transparent = false,
    int right = 5985, int bottom = 1815)
{
    TestDocument t;
    TwipsCanvas canvas(450, 200, 96);
    const ReportFont font = arial10();
    DrawTextObject(t.doc, canvas.api, text, &font, alignment, border, transparent, kBlack, kWhite, 1500, 1500,
        right, bottom);
    return canvas.finish();
}

TEST(DrawTextObject, AlignmentPlacesTheInkInTheFrame)
{
    const QRect left = InkBox(drawText(QStringLiteral("Ciao"), kAlignLeft), kTextFramePixels);
    const QRect right = InkBox(drawText(QStringLiteral("Ciao"), kAlignRight), kTextFramePixels);
    const QRect centre = InkBox(drawText(QStringLiteral("Ciao"), kAlignCentre), kTextFramePixels);
    ASSERT_FALSE(left.isEmpty());
    ASSERT_FALSE(right.isEmpty());
    ASSERT_FALSE(centre.isEmpty());

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
    const QRect two = InkBox(drawText(QStringLiteral("AB"), kAlignJustified), kTextFramePixels);
    ASSERT_FALSE(two.isEmpty());
    EXPECT_NEAR(two.left(), 100, 2);
    EXPECT_NEAR(two.right(), 397, 2);

    // Every character of a longer text lands in its own slot: four ink runs.
    const QImage image = drawText(QStringLiteral("IIII"), kAlignJustified);
    int runs = 0;
    bool inInk = false;
    for (int x = 100; x < 399; ++x) {
        const bool ink = !InkBox(image, QRect(x, 100, 1, 21)).isEmpty();
        runs += ink && !inInk ? 1 : 0;
        inInk = ink;
    }
    EXPECT_EQ(runs, 4);
}

TEST(DrawTextObject, JustifiedTextOfOneCharacterOrTooWideIsLeftAligned)
{
    EXPECT_EQ(drawText(QStringLiteral("W"), kAlignJustified), drawText(QStringLiteral("W"), kAlignLeft));
    // Eight W in 40 pixels overlap by far more than 10 twips per gap.
    const QString wide = QStringLiteral("WWWWWWWW");
    EXPECT_EQ(
        drawText(wide, kAlignJustified, false, false, 2100), drawText(wide, kAlignLeft, false, false, 2100));
}

TEST(DrawTextObject, TextIsClippedToItsRectangle)
{
    const QImage narrow = drawText(QStringLiteral("MMMMMMMMMMMMMMMMMMMM"), kAlignLeft, false, true, 2250);
    EXPECT_FALSE(InkBox(narrow, QRect(100, 100, 50, 21)).isEmpty());
    EXPECT_TRUE(InkBox(narrow, QRect(150, 90, 300, 40)).isEmpty());

    const QImage low = drawText(QStringLiteral("MMMM"), kAlignLeft, false, true, 5985, 1575); // 5 pixels high
    EXPECT_TRUE(InkBox(low, QRect(90, 105, 350, 40)).isEmpty());
}

TEST(DrawTextObject, UnknownAlignmentDrawsBackgroundAndBorderButNoText)
{
    const QImage image = drawText(QStringLiteral("Ciao"), 7, true, false);
    EXPECT_TRUE(PixelIs(image, 100, 110, Pixel(kBlack)));
    EXPECT_TRUE(PixelIs(image, 150, 110, Pixel(kWhite)));
    EXPECT_TRUE(InkBox(image, QRect(102, 102, 290, 17)).isEmpty());
}

TEST(DrawTextObject, TransparentTextLeavesTheBackgroundAlone)
{
    const QImage transparent = drawText(QStringLiteral("Ciao"), kAlignLeft, false, true);
    const QImage opaque = drawText(QStringLiteral("Ciao"), kAlignLeft, false, false);
    EXPECT_FALSE(InkBox(transparent, kTextFramePixels).isEmpty());
    EXPECT_TRUE(PixelIs(transparent, 300, 110, kCanvasGrey));
    EXPECT_TRUE(PixelIs(transparent, 100, 110, kCanvasGrey)) << "no border";
    EXPECT_TRUE(PixelIs(opaque, 300, 110, Pixel(kWhite)));
}

TEST(DrawObject, TextBorderIsBlackWhateverTheBorderColour)
{
    TestDocument t;
    const int band = t.addBand();
    ReportObject &o = t.addText(band, QStringLiteral("x"), 1500, 1500, 4485, 315);
    o.ControlType = kControlText;
    o.Border = true;
    o.BorderColour = kRed;
    o.TransparentBack = false;
    o.BackColour = kYellow;
    TwipsCanvas canvas(450, 200, 96);
    DrawObject(t.doc, canvas.api, t.lastObject, 1500, 1500, 5985, 1815);
    const QImage &image = canvas.finish();
    // (The opaque text cell may cover the left border where the text starts.)
    EXPECT_TRUE(PixelIs(image, 398, 110, Pixel(kBlack)));
    EXPECT_TRUE(PixelIs(image, 300, 100, Pixel(kBlack)));
    EXPECT_TRUE(PixelIs(image, 300, 120, Pixel(kBlack)));
    EXPECT_TRUE(PixelIs(image, 300, 110, Pixel(kYellow)));
}

TEST(DrawObject, FramedTextFillsItsFrameWithoutBorderAndInsetsTheText)
{
    TestDocument t;
    const int band = t.addBand();
    ReportObject &o = t.addText(band, QStringLiteral("Rossi"), 1500, 1500, 4485, 315);
    o.ControlType = kControlFramedText;
    o.Border = true; // not used by framed text
    o.TransparentBack = true; // not used either
    o.BorderColour = kRed;
    o.BackColour = kYellow;
    TwipsCanvas canvas(450, 200, 96);
    DrawObject(t.doc, canvas.api, t.lastObject, 1500, 1500, 5985, 1815);
    const QImage &image = canvas.finish();
    EXPECT_TRUE(PixelIs(image, 100, 110, Pixel(kYellow)));
    EXPECT_TRUE(PixelIs(image, 150, 100, Pixel(kYellow)));
    EXPECT_TRUE(PixelIs(image, 390, 118, Pixel(kYellow)));
    const QRect ink = InkBox(image, kTextFramePixels);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 103) << "45 twips are 3 pixels";
    EXPECT_LE(ink.left(), 105);
    EXPECT_GE(ink.top(), 104);
}

TEST(DrawObject, OtherControlTypesDrawNothing)
{
    TestDocument t;
    const int band = t.addBand();
    for (int type : { 0, 1, 7, -3 }) {
        t.addObject(band, type, 0, 0, 1000, 1000).Border = true;
        TwipsCanvas canvas(100, 100, 96);
        DrawObject(t.doc, canvas.api, t.lastObject, 0, 0, 1000, 1000);
        const QImage &image = canvas.finish();
        EXPECT_TRUE(PixelIs(image, 0, 0, kCanvasGrey)) << "type " << type;
        EXPECT_TRUE(PixelIs(image, 30, 30, kCanvasGrey)) << "type " << type;
    }
}

// ---- Pictures, at 1440 dpi: one pixel per twip. The picture is 20 x 10
// pixels at 96 dpi (300 x 150 twips), its left half red, its right half blue.

QImage twoColourPicture(QImage::Format format = QImage::Format_BGR888)
{
    QImage picture(20, 10, QImage::Format_RGB32);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            picture.setPixel(x, y, x < 10 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    picture = picture.convertToFormat(format);
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    return picture;
}

class Pictures : public ::testing::Test
{
protected:
    void SetUp() override
    {
        t.doc.Images.append(ImageEntry { QStringLiteral("logo"), QString(), twoColourPicture() });
    }
    QImage picture(bool fitToImage, bool border, QRect frame)
    {
        TwipsCanvas canvas(600, 400, 1440);
        DrawPicture(t.doc, canvas.api, fitToImage, border, kGreen, 0, frame.left(), frame.top(),
            frame.left() + frame.width(), frame.top() + frame.height());
        return canvas.finish();
    }
    QImage stretched(bool fitToControl, bool border, QRect frame)
    {
        TwipsCanvas canvas(600, 400, 1440);
        DrawStretchedPicture(t.doc, canvas.api, fitToControl, border, 0, frame.left(), frame.top(),
            frame.left() + frame.width(), frame.top() + frame.height());
        return canvas.finish();
    }
    TestDocument t;
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
};

TEST_F(Pictures, FitToImageDrawsThePictureAtItsOwnSizeWhateverTheFrame)
{
    const QImage image = picture(true, false, QRect(100, 100, 50, 50));
    EXPECT_TRUE(PixelIs(image, 100, 100, red));
    EXPECT_TRUE(PixelIs(image, 245, 200, red));
    EXPECT_TRUE(PixelIs(image, 255, 200, blue));
    EXPECT_TRUE(PixelIs(image, 399, 249, blue));
    EXPECT_TRUE(PixelIs(image, 400, 200, kCanvasGrey));
    EXPECT_TRUE(PixelIs(image, 300, 250, kCanvasGrey));
}

TEST_F(Pictures, FitToImageWithBorderHasABlackBorderTwoTwipsLargerThanThePicture)
{
    const QImage image = picture(true, true, QRect(100, 100, 50, 50));
    EXPECT_TRUE(PixelIs(image, 100, 200, Pixel(kBlack)));
    EXPECT_TRUE(PixelIs(image, 200, 100, Pixel(kBlack)));
    EXPECT_TRUE(PixelIs(image, 401, 200, Pixel(kBlack)));
    EXPECT_TRUE(PixelIs(image, 200, 251, Pixel(kBlack)));
    EXPECT_TRUE(PixelIs(image, 101, 101, red));
    EXPECT_TRUE(PixelIs(image, 400, 250, blue));
    EXPECT_TRUE(PixelIs(image, 402, 200, kCanvasGrey));
}

TEST_F(Pictures, PictureIsCutAtTheFrameOrTheFrameShowsTheBackColour)
{
    const QImage small = picture(false, false, QRect(100, 100, 150, 100));
    EXPECT_TRUE(PixelIs(small, 249, 150, red));
    EXPECT_TRUE(PixelIs(small, 250, 150, kCanvasGrey));
    EXPECT_TRUE(PixelIs(small, 150, 200, kCanvasGrey));

    const QImage large = picture(false, false, QRect(100, 100, 400, 200));
    EXPECT_TRUE(PixelIs(large, 300, 150, blue));
    EXPECT_TRUE(PixelIs(large, 450, 150, Pixel(kGreen)));
    EXPECT_TRUE(PixelIs(large, 150, 280, Pixel(kGreen)));
    EXPECT_TRUE(PixelIs(large, 100, 100, red)) << "no border";
}

TEST_F(Pictures, CutPictureWithBorderIsInsetByOneTwip)
{
    const QImage image = picture(false, true, QRect(100, 100, 400, 200));
    EXPECT_TRUE(PixelIs(image, 100, 150, Pixel(kBlack)));
    EXPECT_TRUE(PixelIs(image, 499, 150, Pixel(kBlack)));
    EXPECT_TRUE(PixelIs(image, 101, 101, red));
    EXPECT_TRUE(PixelIs(image, 450, 150, Pixel(kGreen)));
}

TEST_F(Pictures, StretchedPictureFillsItsFrame)
{
    const QImage image = stretched(true, false, QRect(100, 100, 400, 200));
    EXPECT_TRUE(PixelIs(image, 110, 110, red, 8));
    EXPECT_TRUE(PixelIs(image, 280, 290, red, 8));
    EXPECT_TRUE(PixelIs(image, 320, 110, blue, 8));
    EXPECT_TRUE(PixelIs(image, 495, 295, blue, 8));
    EXPECT_TRUE(PixelIs(image, 505, 200, kCanvasGrey));
}

TEST_F(Pictures, StretchedPictureWithBorder)
{
    const QImage image = stretched(true, true, QRect(100, 100, 400, 200));
    EXPECT_TRUE(PixelIs(image, 100, 200, Pixel(kBlack)));
    EXPECT_TRUE(PixelIs(image, 499, 200, Pixel(kBlack)));
    EXPECT_TRUE(PixelIs(image, 105, 200, red, 8));
    EXPECT_TRUE(PixelIs(image, 494, 200, blue, 8));
}

TEST_F(Pictures, UnstretchedPictureIsCutWithoutBackground)
{
    const QImage image = stretched(false, false, QRect(100, 100, 400, 200));
    EXPECT_TRUE(PixelIs(image, 380, 200, blue));
    EXPECT_TRUE(PixelIs(image, 450, 200, kCanvasGrey));
    EXPECT_TRUE(PixelIs(image, 200, 280, kCanvasGrey));
}

TEST_F(Pictures, EightBitPicturesDrawTheirColours)
{
    QImage grey(4, 4, QImage::Format_Indexed8);
    QList<QRgb> ramp;
    for (int i = 0; i < 256; ++i)
        ramp.append(qRgb(i, i, i));
    grey.setColorTable(ramp);
    grey.fill(40);
    grey.setDotsPerMeterX(3780);
    grey.setDotsPerMeterY(3780);
    t.doc.Images[0].Surface = grey;
    const QImage image = picture(true, false, QRect(100, 100, 10, 10));
    EXPECT_TRUE(PixelIs(image, 130, 130, qRgb(40, 40, 40)));
}

TEST_F(Pictures, ImageIndexOutsideTheListIsSubscriptOutOfRange)
{
    TwipsCanvas canvas(10, 10, 96);
    for (int index : { 1, -1 }) {
        try {
            DrawPicture(t.doc, canvas.api, true, false, 0, index, 0, 0, 10, 10);
            ADD_FAILURE() << "no error for " << index;
        } catch (const Error &e) {
            EXPECT_EQ(e.number(), Error::kSubscriptOutOfRange);
        }
    }
    t.doc.Images.clear();
    EXPECT_THROW(DrawStretchedPicture(t.doc, canvas.api, true, false, 0, 0, 0, 10, 10), Error);
}

} // namespace
