#include "support/PixelProbe.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

constexpr int kRed = 0x0000FF;
constexpr int kBlue = 0xFF0000;

ReportFont arial(double size)
{
    ReportFont font;
    font.name = QStringLiteral("Arial");
    font.size = size;
    return font;
}

int device(int twips, int dpi)
{
    return int(std::lround(twips * dpi / 1440.0));
}

} // namespace

TEST(Canvas, TwipsShapesStopOneDevicePixelShortOfRightAndBottom)
{
    // Without a pen a figure is one pixel smaller still; a hollow brush leaves the inside.
    const struct
    {
        const char *name;
        int dpi, pen, brush;
        bool ellipse;
        QRgb edge, inside;
    } rows[] = {
        { "Pen96", 96, gdi::kPenSolid, gdi::kBrushSolid, false, pixel(kRed), pixel(kBlue) },
        { "NullPen96", 96, gdi::kPenNull, gdi::kBrushSolid, false, pixel(kBlue), pixel(kBlue) },
        { "HollowBrush96", 96, gdi::kPenSolid, gdi::kBrushHollow, false, pixel(kRed), kCanvasGrey },
        { "Pen300", 300, gdi::kPenSolid, gdi::kBrushSolid, false, pixel(kRed), pixel(kBlue) },
        { "NullPen72", 72, gdi::kPenNull, gdi::kBrushSolid, false, pixel(kBlue), pixel(kBlue) },
        { "Ellipse96", 96, gdi::kPenSolid, gdi::kBrushHollow, true, pixel(kRed), kCanvasGrey },
    };
    const int left = 300, top = 150, right = 1290, bottom = 1005; // twips
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TwipsCanvas c(row.dpi, row.dpi, row.dpi);
        c.api.selectPen(row.pen, 1, kRed);
        c.api.selectBrush(row.brush, kBlue);
        if (row.ellipse)
            c.api.drawEllipse(left, top, right, bottom);
        else
            c.api.drawRectangle(left, top, right, bottom);
        const QImage &img = c.image();
        const int short_ = row.pen == gdi::kPenNull ? 2 : 1;
        const QRect box(QPoint(device(left, row.dpi), device(top, row.dpi)),
            QPoint(device(right, row.dpi) - short_, device(bottom, row.dpi) - short_));
        EXPECT_EQ(inkBox(img, img.rect()), box);
        const int middleY = box.center().y();
        expectProbes(img,
            { { box.left(), middleY, row.edge }, { box.center().x(), box.bottom(), row.edge },
                { box.left() + 2, middleY, row.inside }, { box.center().x(), middleY, row.inside } });
        if (row.ellipse)
            expectProbes(img, { { box.left() + 1, box.top() + 1, kCanvasGrey } });
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
        EXPECT_EQ(img.pixel(48, 48), qRgb(0, 0, 0)); // not smoothed
        if (pixels == 1) {
            EXPECT_EQ(inkBox(img, QRect(0, 48, 89, 1)), QRect(10, 48, 76, 1));
            EXPECT_EQ(inkBox(img, QRect(90, 0, 1, 100)), QRect(90, 0, 1, 30));
        }
    }
}

TEST(Canvas, FontHeightFollowsTheMapping)
{
    // Logical units, negative: a character height.
    const std::tuple<const char *, MapMode, int, double, int> rows[] = {
        { "Twips10pt", MapMode::Twips, 96, 10, -200 },
        { "TwipsKeepsHalfPoints", MapMode::Twips, 96, 10.5, -210 },
        { "TwipsTemplateDefault", MapMode::Twips, 300, 8.25, -165 },
        { "TwipsFourDecimals", MapMode::Twips, 96, 9.99996, -200 },
        { "Pixels10ptAt96", MapMode::Pixels, 96, 10, -13 },
        { "PixelsRoundHalfPointToEven", MapMode::Pixels, 96, 10.5, -13 },
        { "PixelsRoundHalfPointUp", MapMode::Pixels, 96, 11.5, -16 },
        { "Pixels10ptAt300", MapMode::Pixels, 300, 10, -42 },
    };
    for (auto [name, mode, dpi, points, height] : rows) {
        SCOPED_TRACE(name);
        TwipsCanvas c(10, 10, dpi, mode);
        const ReportFont font = arial(points);
        ASSERT_TRUE(c.api.selectFont(&font));
        EXPECT_EQ(c.context.font().height, height);
        EXPECT_EQ(c.context.font().weight, 400);
    }
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
        font.italic = i == 2;
        font.underline = i == 3;
        font.strikethrough = i == 4;
        ASSERT_TRUE(c.api.selectFont(&font));
        EXPECT_EQ(c.context.font().weight, i == 1 ? 800 : 400);
        c.api.setTextColours(0, 0, gdi::kBkTransparent);
        c.api.drawText(QRect(0, 0, 900, 450), Qt::AlignLeft, QStringLiteral("Mi"));
        drawn << c.image();
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(drawn[i], drawn[i + 5]) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(drawn[i], drawn[j]) << i << " and " << j;
    }
}

TEST(Canvas, RefusesANullFontAndFaceNamesOverThirtyOneCharacters)
{
    TwipsCanvas c(10, 10, 96);
    const GdiFont before = c.context.font();
    EXPECT_FALSE(c.api.selectFont(nullptr));
    EXPECT_EQ(c.context.font(), before);
    ReportFont font = arial(10);
    font.name = QString(31, u'a');
    EXPECT_TRUE(c.api.selectFont(&font));
    font.name = QString(32, u'a');
    try {
        c.api.selectFont(&font);
        ADD_FAILURE() << "no error";
    } catch (const Error &error) {
        EXPECT_EQ(error.number(), 9);
    }
}

TEST(Canvas, RestoreDetachAndDestructionBringBackWhatWasSelectedBefore)
{
    QImage image = greyCanvas(10, 10, 96);
    DeviceContext dc(&image);
    const GdiPen pen0 = dc.pen();
    const GdiBrush brush0 = dc.brush();
    const GdiFont font0 = dc.font();
    const ReportFont ten = arial(10), twelve = arial(12), twenty = arial(20);
    {
        Canvas outer;
        outer.attach(&dc);
        outer.selectPen(gdi::kPenSolid, 3, kRed);
        outer.selectPen(gdi::kPenSolid, 5, kRed);
        outer.selectBrush(gdi::kBrushSolid, kRed);
        outer.selectBrush(gdi::kBrushSolid, kBlue);
        ASSERT_TRUE(outer.selectFont(&ten));
        ASSERT_TRUE(outer.selectFont(&twelve));
        {
            Canvas inner; // wrappers nest: the inner one restores the outer one's objects
            inner.attach(&dc);
            inner.selectPen(gdi::kPenSolid, 7, 0);
            inner.selectBrush(gdi::kBrushHollow, 0);
            ASSERT_TRUE(inner.selectFont(&twenty));
        }
        EXPECT_EQ(dc.pen(), (GdiPen { gdi::kPenSolid, 5, kRed }));
        EXPECT_EQ(dc.brush(), (GdiBrush { gdi::kBrushSolid, kBlue }));
        EXPECT_EQ(dc.font().height, -16);
        outer.restorePen();
        EXPECT_EQ(dc.pen(), pen0);
        dc.selectPen(GdiPen { gdi::kPenSolid, 2, 0 });
        outer.restorePen(); // nothing held: no change
        EXPECT_EQ(dc.pen(), (GdiPen { gdi::kPenSolid, 2, 0 }));
        dc.selectPen(pen0);
        outer.detach();
        EXPECT_EQ(dc.brush(), brush0);
        EXPECT_EQ(dc.font(), font0);
        outer.selectPen(gdi::kPenSolid, 9, 0);
    }
    EXPECT_EQ(dc.pen(), pen0);
}

TEST(Canvas, DetachedWrapperDoesNothing)
{
    Canvas api;
    QImage image = greyCanvas(10, 10, 96);
    DeviceContext dc(&image);
    const ReportFont font = arial(10);
    EXPECT_FALSE(api.selectFont(&font));
    EXPECT_EQ(api.logicalDpiX(), 0);
    EXPECT_EQ(api.textWidth(QStringLiteral("x")), 0);
    api.selectBrush(gdi::kBrushSolid, kRed);
    api.drawRectangle(0, 0, 20, 20);
    api.drawText(QRect(0, 0, 10, 10), Qt::AlignLeft, QStringLiteral("x"));
    api.copyTo(&dc, QRect(0, 0, 10, 10));
    dc.endPainting();
    EXPECT_EQ(image, greyCanvas(10, 10, 96));
}
