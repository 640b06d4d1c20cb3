#include "gfx/Bitmap.h"
#include "gfx/FontResolver.h"
#include "support/PixelProbe.h"
#include "support/TemplateText.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

// Report colours (red in the low byte) and the pixels they paint.
constexpr int kRedColour = 0x0000FF, kBlueColour = 0xFF0000;
const QRgb kRed = pixel(kRedColour), kBlue = pixel(kBlueColour), kGrey = kCanvasGrey;

const auto arial = [](double size) { return ReportFont { .name = u"Arial"_s, .size = size }; };

// 4 x 1 inches in the twips mapping, 10 point Arial in a colour on a transparent background.
struct TextPage : TwipsCanvas
{
    explicit TextPage(int dpi = 96, int colour = 0)
        : TwipsCanvas(4 * dpi, dpi, dpi)
    {
        api.selectFont(&font);
        api.setTextColours(colour, 0xFFFFFF, gdi::kBkTransparent);
    }
    QRect ink() { return inkBox(image(), picture.rect()); }
    const ReportFont font = arial(10);
};

} // namespace

TEST(Canvas, TwipsShapesRoundToDevicePixelsAndStopOneShortOfRightAndBottom)
{
    // Without a pen a figure is one pixel smaller still.
    const std::tuple<const char *, int, int, bool, QRgb> rows[] = {
        { "Pen300", 300, gdi::kPenSolid, false, kRed },
        { "NullPen72", 72, gdi::kPenNull, false, kBlue },
        { "Ellipse300", 300, gdi::kPenSolid, true, kRed },
    };
    const int left = 300, top = 150, right = 1290, bottom = 1005; // twips
    for (auto [name, dpi, pen, ellipse, edge] : rows) {
        SCOPED_TRACE(name);
        TwipsCanvas c(dpi, dpi, dpi);
        c.api.selectPen(pen, 1, kRedColour);
        c.api.selectBrush(gdi::kBrushSolid, kBlueColour);
        (c.api.*(ellipse ? &Canvas::drawEllipse : &Canvas::drawRectangle))(left, top, right, bottom);
        const QImage &img = c.image();
        const auto device = [dpi](int twips) { return int(std::lround(twips * dpi / 1440.0)); };
        const int inset = pen == gdi::kPenNull ? 2 : 1;
        const QRect box(
            QPoint(device(left), device(top)), QPoint(device(right) - inset, device(bottom) - inset));
        EXPECT_EQ(inkBox(img, img.rect()), box);
        const QPoint middle = box.center();
        expectProbes(img,
            { { box.left(), middle.y(), edge }, { middle.x(), box.bottom(), edge },
                { middle.x(), middle.y(), kBlue } });
    }
}

TEST(Canvas, LinesLeaveTheirEndPixelOutAndPensWidenOnlyPastOneDevicePixel)
{
    // A horizontal line at y 48 px from x 10 px to 86 px, a vertical one at x 90 px to y 30 px.
    for (auto [dpi, width, pixels] :
        { std::tuple { 96, 0, 1 }, { 96, 15, 1 }, { 96, 60, 4 }, { 2880, 1, 2 } }) {
        SCOPED_TRACE(::testing::Message() << width << " twips at " << dpi << " dpi");
        TwipsCanvas c(100, 100, dpi);
        const auto twips = [dpi](int px) { return px * 1440 / dpi; };
        c.api.selectPen(gdi::kPenSolid, width, 0);
        c.api.drawLine(twips(10), twips(48), twips(86), twips(48));
        c.api.drawLine(twips(90), 0, twips(90), twips(30));
        const QImage &img = c.image();
        EXPECT_EQ(inkBox(img, QRect(48, 0, 1, 60)).height(), pixels);
        if (pixels == 1) {
            EXPECT_EQ(inkBox(img, QRect(0, 48, 89, 1)), QRect(10, 48, 76, 1));
            EXPECT_EQ(inkBox(img, QRect(90, 0, 1, 100)), QRect(90, 0, 1, 30));
        }
    }
}

TEST(Canvas, FontHeightFollowsTheMappingAndOnlyRealFontsWithShortNamesAreSelected)
{
    // Logical units, negative: a character height.
    const std::tuple<const char *, MapMode, int, double, int> rows[] = {
        { "TwipsSizeTakenWithFourDecimals", MapMode::Twips, 96, 10.07499, -202 },
        { "PixelsRoundHalfPointToEven", MapMode::Pixels, 96, 10.5, -13 },
        { "Pixels10ptAt300", MapMode::Pixels, 300, 10, -42 },
    };
    for (auto [name, mode, dpi, points, height] : rows) {
        SCOPED_TRACE(name);
        TwipsCanvas c(10, 10, dpi, mode);
        const ReportFont font = arial(points);
        ASSERT_TRUE(c.api.selectFont(&font));
        EXPECT_EQ(c.context.font().height, height);
    }
    // A null font is refused; a face name over 31 characters raises the index error.
    TwipsCanvas c(10, 10, 96);
    EXPECT_FALSE(c.api.selectFont(nullptr));
    ReportFont font = arial(10);
    font.name = QString(31, u'a');
    EXPECT_TRUE(c.api.selectFont(&font));
    font.name = QString(32, u'a');
    EXPECT_EQ(zet::test::errorNumber([&] { c.api.selectFont(&font); }), 9);
}

TEST(Canvas, EachFontAttributeDrawsDifferentlyAlsoWhenTheFontIsMadeAgain)
{
    // Plain, bold (weight 800), italic, underlined, struck out; the second round reuses the fonts made.
    QList<QImage> drawn;
    for (int n = 0; n < 10; ++n) {
        const int i = n % 5;
        TwipsCanvas c(60, 30, 96);
        ReportFont font = arial(14);
        font.setBold(i == 1);
        font.italic = i == 2, font.underline = i == 3, font.strikethrough = i == 4;
        ASSERT_TRUE(c.api.selectFont(&font));
        EXPECT_EQ(c.context.font().weight, i == 1 ? 800 : 400);
        c.api.setTextColours(0, 0, gdi::kBkTransparent);
        c.api.drawText(QRect(0, 0, 900, 450), Qt::AlignLeft, u"Mi"_s);
        drawn << c.image();
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(drawn[i], drawn[i + 5]) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(drawn[i], drawn[j]) << i << " and " << j;
    }
}

TEST(Canvas, NestedWrappersRestoreTheFontSelectedBeforeThem)
{
    QImage image = greyCanvas(10, 10, 96);
    DeviceContext dc(&image);
    const ReportFont ten = arial(10), twenty = arial(20);
    Canvas outer;
    outer.attach(&dc);
    ASSERT_TRUE(outer.selectFont(&twenty) && outer.selectFont(&ten));
    {
        Canvas inner;
        inner.attach(&dc);
        ASSERT_TRUE(inner.selectFont(&twenty));
    }
    EXPECT_EQ(dc.font().height, -13);
    outer.restoreFont();
    EXPECT_EQ(dc.font(), GdiFont()); // the context's own
}

TEST(DrawText, LaysTheLineOutInLogicalUnitsAtTheTopOfItsRectangleWhateverTheDevice)
{
    // "MMMM" right-aligned on 4500 twips, in red, its cell's top at 300 twips; the glyphs start
    // below the cell's internal leading (about 45 twips) and stand about 140 twips high.
    int inked[2] = {}; // twips
    for (int dpi : { 96, 300 }) {
        SCOPED_TRACE(dpi);
        TextPage page(dpi, kRedColour);
        EXPECT_NEAR(page.api.textWidth(u"Rapporto trimestrale 2026"_s), 2300, 150);
        page.api.drawText(QRect(300, 300, 4200, 1140), Qt::AlignRight, u"MMMM"_s);
        const QRect ink = page.ink();
        EXPECT_NEAR(ink.right(), 4480 * dpi / 1440, 2); // less the M's right bearing
        EXPECT_NEAR(ink.top(), 345 * dpi / 1440, 2);
        EXPECT_NEAR(ink.height(), 140 * dpi / 1440, 2);
        inked[dpi == 300] = ink.width() * 1440 / dpi;
        int redness = 0; // the text colour shows where a stem covers a pixel
        for (int x = ink.left(); x <= ink.right(); ++x)
            redness = std::max(redness, qRed(page.picture.pixel(x, ink.center().y())) - 128);
        EXPECT_GT(redness, 100);
    }
    EXPECT_NEAR(inked[0], inked[1], 20);
}

TEST(DrawText, IsClippedOnlyWhereItLeavesTheRectangle)
{
    // "MMMMMMMM" (88 px wide, reaching below 10 px): right, bottom (twips), last ink column, row (px).
    const std::tuple<const char *, int, int, int, int> rows[] = {
        { "Fits", 4800, 1440, 88, 10 },
        { "TooNarrow", 450, 1440, 29, 10 },
        { "TooShort", 4800, 150, 88, 9 },
        { "EndsBeforeItStarts", -15, 1440, -1, -1 },
    };
    for (auto [name, right, bottom, lastColumn, lastRow] : rows) {
        SCOPED_TRACE(name);
        TextPage page;
        page.api.drawText(QRect(0, 0, right, bottom), Qt::AlignLeft, u"MMMMMMMM"_s);
        const QRect ink = page.ink();
        EXPECT_NEAR(ink.isEmpty() ? -1 : ink.right(), lastColumn, 2);
        EXPECT_NEAR(ink.isEmpty() ? -1 : ink.bottom(), lastRow, 2);
    }
}

TEST(DrawText, OnlyTheOpaqueModeFillsTheTextCellAndAnyPenButSolidClearsIt)
{
    const std::tuple<const char *, int, int, bool> rows[] = {
        { "Transparent", gdi::kBkTransparent, gdi::kPenSolid, false },
        { "Opaque", gdi::kBkOpaque, gdi::kPenSolid, true },
        { "OpaqueThenNullPen", gdi::kBkOpaque, gdi::kPenNull, false },
        { "OtherModeKeepsTransparent", 0, gdi::kPenSolid, false },
    };
    for (auto [name, mode, pen, filled] : rows) {
        SCOPED_TRACE(name);
        TextPage page;
        page.api.setTextColours(0, 0x00FF00, mode);
        page.api.selectPen(pen, 1, 0);
        page.api.drawText(QRect(1440, 0, 3360, 1440), Qt::AlignLeft, u"i i"_s);
        // Right of the left edge, below the baseline: the cell's bottom; left of it and below it: the page.
        expectProbes(page.image(),
            { { 97, 13, filled ? qRgb(0, 255, 0) : kGrey }, { 94, 2, kGrey }, { 97, 40, kGrey } });
    }
}

TEST(DrawText, MeasuresOneLineRoundedUpAndHugeValuesWhole)
{
    TextPage page;
    EXPECT_EQ(page.api.textWidth(u"Uno\r\ndue"_s), page.api.textWidth(u"Uno  due"_s));
    EXPECT_EQ(page.api.textWidth(QString()), 0);
    EXPECT_GT(2 * page.api.textWidth(u"i"_s), page.api.textWidth(u"ii"_s));
    const QString piece = u"Abc "_s;
    const QString huge = piece.repeated(250000); // a million characters
    EXPECT_NEAR(page.api.textWidth(huge), 250000.0 * page.api.textWidth(piece), 250000.0); // a twip per piece
}

// A long line is measured and drawn piece by piece, and only as far as it
// shows (remembered for its next drawing); where it shows it looks exactly as
// the short line of the characters that show there, drawn at the same place.
TEST(DrawText, ALongLineShowsExactlyWhatItsVisiblePartShows)
{
    const QString around = u"Abc "_s.repeated(2000), shown = u"Mezzo "_s.repeated(20);
    const std::tuple<const char *, Qt::Alignment, QString> rows[] = {
        { "left: the start", Qt::AlignLeft, shown + around },
        { "right: the end", Qt::AlignRight, around + shown },
        { "centred: the middle", Qt::AlignHCenter, around + shown + around },
    };
    for (const auto &[name, alignment, line] : rows) {
        SCOPED_TRACE(name);
        TextPage whole, part;
        for (TextPage *page : { &whole, &part })
            page->api.setTextColours(0, 0x00FF00, gdi::kBkOpaque);
        for (int drawing = 0; drawing < 2; ++drawing)
            whole.api.drawText(QRect(1440, 0, 2880, 1440), alignment, line);
        part.api.drawText(QRect(1440, 0, 2880, 1440), alignment, shown);
        EXPECT_EQ(whole.image(), part.image());
    }
}

TEST(BitBlt, RecordedHalftoneSmoothsTheStretchAndStaysOnTheDestination)
{
    // A 2 x 1 picture stretched to 40 x 4, then copied 1:1 from 48 dpi onto 96 dpi below.
    for (int mode : { -1, gdi::kStretchHalftone }) {
        SCOPED_TRACE(mode);
        Bitmap picture;
        ASSERT_TRUE(picture.create(halves(2, 1)));
        TwipsCanvas page(40, 8, 96, MapMode::Pixels);
        Canvas source;
        source.attach(picture.deviceContext());
        source.setStretchMode(mode);
        source.stretchTo(&page.context, QRect(0, 0, 40, 4), QRect(0, 0, 2, 1));
        EXPECT_EQ(page.context.stretchMode(), mode == -1 ? gdi::kStretchBlackOnWhite : mode);
        picture.deviceContext()->setLogicalDpi(48, 48);
        source.setMapMode(MapMode::Twips);
        page.api.setMapMode(MapMode::Twips);
        source.copyTo(&page.context, QRect(0, 60, 60, 30)); // 4 x 2 pixels from 2 x 1
        const QImage &img = page.image();
        const auto blended
            = [&img](int x, int y) { return img.pixel(x, y) != kRed && img.pixel(x, y) != kBlue; };
        expectProbes(img, { { 0, 0, kRed }, { 39, 3, kBlue } });
        EXPECT_EQ(blended(19, 2), mode != -1); // the middle of the stretch
        EXPECT_EQ(blended(1, 5), mode != -1); // the seam of the copy
    }
}

TEST(BitBlt, StretchCopiesLandWhereTheirRectanglesSay)
{
    // A 10 x 10 picture, left half red, right half blue, onto a grey 40 x 40 page.
    const std::tuple<const char *, QRect, QRect, std::vector<Probe>> rows[] = {
        { "NegativeWidthMirrors", { 20, 0, -20, 10 }, { 0, 0, 10, 10 },
            { { 1, 5, kBlue }, { 18, 5, kRed }, { 25, 5, kGrey }, { 5, 10, kGrey } } },
        // Only the part on the picture is copied: (15, 15) .. (24, 24).
        { "SourceBeyondItsDevice", { 10, 10, 20, 20 }, { -5, -5, 20, 20 },
            { { 14, 20, kGrey }, { 20, 14, kGrey }, { 15, 15, kRed }, { 24, 24, kBlue }, { 25, 20, kGrey },
                { 20, 25, kGrey } } },
        // Scaled while drawing: the red half alone covers the page.
        { "HugeAroundThePage", { -1000, -1000, 400000, 400000 }, { 0, 0, 10, 10 },
            { { 0, 0, kRed }, { 39, 39, kRed } } },
        { "HugeFromTheCorner", { 0, 0, 1 << 30, 1 << 30 }, { 0, 0, 10, 10 },
            { { 0, 0, kRed }, { 39, 39, kRed } } },
    };
    Bitmap picture;
    ASSERT_TRUE(picture.create(halves(10, 10)));
    Canvas source;
    source.attach(picture.deviceContext());
    for (const auto &[name, target, sourceRect, probes] : rows) {
        SCOPED_TRACE(name);
        TwipsCanvas page(40, 40, 96, MapMode::Pixels);
        source.stretchTo(&page.context, target, sourceRect);
        expectProbes(page.image(), probes);
    }
}

TEST(Bitmap, CreateReplacesTheSurfaceOrLeavesItEmptyAndKeepsAPicturesColoursAndResolution)
{
    Bitmap surface;
    ASSERT_TRUE(surface.create(QSize(10, 20), 96, 96));
    ASSERT_TRUE(surface.create(QSize(30, 5), 300, 150));
    // A new surface is black.
    EXPECT_EQ(std::tuple(surface.image().size(), surface.image().pixel(29, 4),
                  surface.deviceContext()->logicalDpiX(), surface.deviceContext()->logicalDpiY()),
        std::tuple(QSize(30, 5), qRgb(0, 0, 0), 300, 150));
    for (QSize size : { QSize(0, 10), QSize(10, -1), QSize(20000, 20000) }) { // the last over 1 GiB
        SCOPED_TRACE(::testing::Message() << size.width() << " x " << size.height());
        ASSERT_TRUE(surface.create(QSize(5, 5), 96, 96));
        EXPECT_TRUE(!surface.create(size, 96, 96) && surface.deviceContext() == nullptr);
    }
    EXPECT_TRUE(!surface.create(QImage()) && surface.deviceContext() == nullptr);

    // From a picture: its colours and resolution in 24 bits.
    ASSERT_TRUE(surface.create(greyCanvas(7, 3, 300).convertToFormat(QImage::Format_Indexed8)));
    EXPECT_EQ(surface.image().format(), QImage::Format_BGR888);
    EXPECT_EQ(surface.image().pixel(3, 2), kGrey);
    EXPECT_EQ(surface.deviceContext()->logicalDpiX(), 300);
}

TEST(ResolveFontFamily, InstalledFamiliesStayAndOthersBecomeMetricCompatibleOnes)
{
    const std::pair<const char *, const char *> rows[] = {
        { "Liberation Serif", "Liberation Serif" }, // installed
        { "TIMES New Roman", "Liberation Serif" }, // any letter case
        { "No Such Face 123", "Liberation Sans" },
        { "", "Liberation Sans" },
    };
    for (int pass = 0; pass < 2; ++pass) { // the second pass answers from what was remembered
        for (auto [requested, resolved] : rows)
            EXPECT_EQ(resolveFontFamily(QString::fromLatin1(requested)), QString::fromLatin1(resolved))
                << requested;
    }
}
