#include "GfxProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

TEST(TextSetFont, HeightFollowsTheMapping)
{
    // Logical units, negative: a character height.
    const std::tuple<const char *, int, int, double, int> rows[] = {
        { "Twips10pt", -1, 96, 10, -200 },
        { "TwipsKeepsHalfPoints", -1, 96, 10.5, -210 },
        { "TwipsTemplateDefault", -1, 300, 8.25, -165 },
        { "TwipsFourDecimals", -1, 96, 9.99996, -200 },
        { "Pixels10ptAt96", 1, 96, 10, -13 },
        { "PixelsRoundHalfPointToEven", 1, 96, 10.5, -13 },
        { "PixelsRoundHalfPointUp", 1, 96, 11.5, -16 },
        { "Pixels10ptAt300", 1, 300, 10, -42 },
    };
    for (auto [name, scaleMode, dpi, points, height] : rows) {
        SCOPED_TRACE(name);
        // From the twips mapping, so the pixel rows see its extents replaced.
        ProbeCanvas c(10, 10, dpi, -1);
        c.api.setScaleMode(scaleMode);
        ASSERT_TRUE(c.api.selectFont(arial(points)));
        EXPECT_EQ(c.dc.font().height, height);
        EXPECT_EQ(c.dc.qfont().pixelSize(), -height);
    }
}

TEST(TextSetFont, EachSelectionDrawsWithItsOwnAttributes)
{
    ProbeCanvas c(10, 10);
    // Bold, italic, underlined, struck out, plain; twice, the second time from the fonts already made.
    for (int n = 0; n < 10; ++n) {
        const int i = n % 5;
        SCOPED_TRACE(i);
        ReportFont font = arial(10);
        font.setBold(i == 0);
        font.italic = i == 1;
        font.underline = i == 2;
        font.strikethrough = i == 3;
        ASSERT_TRUE(c.api.selectFont(font));
        EXPECT_EQ(c.dc.font().weight, i == 0 ? 800 : 400);
        EXPECT_EQ(c.dc.qfont().bold(), i == 0);
        EXPECT_EQ(c.dc.qfont().italic(), i == 1);
        EXPECT_EQ(c.dc.qfont().underline(), i == 2);
        EXPECT_EQ(c.dc.qfont().strikeOut(), i == 3);
    }
    ASSERT_TRUE(c.api.selectFont(arial(10), 45.25));
    EXPECT_EQ(c.dc.font().escapement, 452); // tenths of a degree; 452.5 rounds half to even
}

TEST(TextSetFont, RefusesANullFontAndLongFaceNames)
{
    ProbeCanvas c(10, 10);
    const GdiFont before = c.dc.font();
    EXPECT_FALSE(c.api.selectFont(nullptr));
    EXPECT_EQ(c.dc.font(), before);
    ReportFont font = arial(10);
    font.name = QString(31, u'a');
    EXPECT_TRUE(c.api.selectFont(font));
    font.name = QString(32, u'a');
    EXPECT_EQ(errorNumber([&] { c.api.selectFont(font); }), 9);
}

TEST(SavedObjects, RestoreDetachAndDestructionBringBackWhatWasSelectedBefore)
{
    QImage image = whiteCanvas(10, 10);
    DeviceContext dc(&image);
    const GdiPen pen0 = dc.pen();
    const GdiBrush brush0 = dc.brush();
    const GdiFont font0 = dc.font();
    {
        Canvas outer;
        outer.attach(&dc);
        outer.selectPen(0, 3, 255);
        outer.selectPen(0, 5, 255);
        outer.selectBrush(0, 0, 255);
        outer.selectBrush(2, 3, 0xFF00);
        ASSERT_TRUE(outer.selectFont(arial(10)));
        ASSERT_TRUE(outer.selectFont(arial(12)));
        {
            Canvas inner; // wrappers nest: the inner one restores the outer one's objects
            inner.attach(&dc);
            inner.selectPen(0, 7, 0);
            inner.selectBrush(1, 0, 0);
            ASSERT_TRUE(inner.selectFont(arial(20)));
        }
        EXPECT_EQ(dc.pen(), (GdiPen { 0, 5, 255 }));
        EXPECT_EQ(dc.brush(), (GdiBrush { 2, 3, 0xFF00 }));
        EXPECT_EQ(dc.font().height, -16);
        outer.restorePen();
        EXPECT_EQ(dc.pen(), pen0);
        dc.selectPen(GdiPen { 0, 2, 0 });
        outer.restorePen(); // nothing held: no change
        EXPECT_EQ(dc.pen(), (GdiPen { 0, 2, 0 }));
        dc.selectPen(pen0);
        outer.detach();
        EXPECT_EQ(dc.brush(), brush0);
        EXPECT_EQ(dc.font(), font0);
        EXPECT_EQ(outer.deviceContext(), &dc);
        EXPECT_EQ(outer.textMetrics(), dc.textMetrics());
        outer.selectPen(0, 9, 0);
    }
    EXPECT_EQ(dc.pen(), pen0);
}
