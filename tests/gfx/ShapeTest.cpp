#include "GfxProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

TEST(Shapes, RectangleStopsOnePixelShortOfRightAndBottom)
{
    // With a pen the figure covers [left, right); without one the fill ends a pixel earlier.
    const struct
    {
        const char *name;
        int penStyle, brushStyle, last;
        QRgb edge, inside;
    } rows[] = {
        { "SolidPen", 0, 0, 59, kRedRgb, kBlueRgb },
        { "NullPen", 5, 0, 58, kBlueRgb, kBlueRgb },
        { "HollowBrush", 0, 1, 59, kRedRgb, qRgb(255, 255, 255) },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ProbeCanvas c;
        c.api.selectPen(row.penStyle, 1, kRed);
        c.api.selectBrush(row.brushStyle, 0, kBlue);
        c.api.drawRectangle(20, 20, 60, 60);
        const QImage &img = c.finished();
        EXPECT_EQ(inkColumns(img, 40, 41), std::make_pair(20, row.last));
        EXPECT_EQ(inkRows(img), std::make_pair(20, row.last));
        EXPECT_EQ(img.pixel(20, 40), row.edge);
        EXPECT_EQ(img.pixel(40, row.last), row.edge);
        EXPECT_EQ(img.pixel(21, 40), row.inside);
        EXPECT_EQ(img.pixel(40, 40), row.inside);
    }
}

TEST(Shapes, GapsShowTheBackgroundOnlyWhenOpaqueAndStyledPensMakeItTransparent)
{
    for (int mode : { 1, 2 }) { // transparent, opaque
        SCOPED_TRACE(mode);
        ProbeCanvas c;
        c.api.selectPen(5, 1, 0);
        c.api.setTextColours(0, 0x00FF00, mode);
        c.api.selectBrush(2, 0, kBlue); // horizontal lines
        c.api.drawRectangle(0, 0, 50, 50);
        c.api.selectPen(0, 1, 0);
        EXPECT_EQ(c.dc.backgroundMode(), mode); // a solid pen leaves it
        c.api.selectPen(1, 1, 0); // dashed
        EXPECT_EQ(c.dc.backgroundMode(), gdi::kBkTransparent);
        c.api.drawLine(0, 70, 100, 70);
        c.api.setTextColours(0, 0x00FF00, 2);
        c.api.selectPen(5, 1, 0); // null
        EXPECT_EQ(c.dc.backgroundMode(), gdi::kBkTransparent);
        const QImage &img = c.finished();
        int lines = 0, gaps = 0, dashes = 0, dashGaps = 0;
        for (int i = 0; i < 48; ++i) {
            lines += img.pixel(20, i) == kBlueRgb;
            gaps += img.pixel(20, i) == (mode == 2 ? qRgb(0, 255, 0) : qRgb(255, 255, 255));
            dashes += hasInk(img, i, 70) + hasInk(img, 48 + i, 70);
            dashGaps += isWhite(img, i, 70) + isWhite(img, 48 + i, 70);
        }
        EXPECT_THAT(lines, within(4, 11));
        EXPECT_EQ(lines + gaps, 48);
        EXPECT_EQ(dashes + dashGaps, 96);
        EXPECT_GT(dashes, 48);
        EXPECT_GT(dashGaps, 12);
    }
}

TEST(Shapes, LinesLeaveTheirEndPixelOutAndPensScaleWithTheMapping)
{
    // Twips at 96 dpi: 15 to the pixel; a pen is at least one pixel wide.
    for (auto [width, pixels] : { std::pair { 0, 1 }, { 1, 1 }, { 60, 4 } }) {
        SCOPED_TRACE(width);
        ProbeCanvas c(100, 100, 96, -1);
        c.api.selectPen(0, width, 0);
        c.api.drawLine(150, 720, 1290, 720); // y = 48 px, x from 10 px to 86 px
        c.api.moveTo(1350, 0);
        c.api.lineTo(1350, 450); // x = 90 px, y to 30 px
        EXPECT_EQ(c.dc.currentPosition(), QPoint(1350, 450));
        const QImage &img = c.finished();
        int thickness = 0;
        for (int y = 40; y < 56; ++y)
            thickness += hasInk(img, 48, y);
        EXPECT_EQ(thickness, pixels);
        EXPECT_EQ(img.pixel(48, 48), qRgb(0, 0, 0)); // not smoothed
        if (pixels == 1) {
            EXPECT_EQ(inkColumns(img, 48, 49), std::make_pair(10, 85));
            EXPECT_TRUE(hasInk(img, 90, 29));
            EXPECT_FALSE(hasInk(img, 90, 30));
        }
    }
}

TEST(Shapes, EllipseTouchesItsBoxShortOfRightAndBottom)
{
    ProbeCanvas c;
    c.api.selectBrush(1, 0, 0);
    c.api.drawEllipse(10, 20, 90, 80);
    const QImage &img = c.finished();
    EXPECT_EQ(inkColumns(img, 49, 51), std::make_pair(10, 89));
    EXPECT_EQ(inkRows(img), std::make_pair(20, 79));
    EXPECT_TRUE(isWhite(img, 50, 50));
    EXPECT_TRUE(isWhite(img, 11, 21)); // outside the curve, inside the box
}

TEST(Shapes, PieRunsFromTheFirstRadialToTheSecondInTheArcDirection)
{
    for (int direction : { 1, 2 }) {
        SCOPED_TRACE(direction);
        ProbeCanvas c;
        EXPECT_EQ(c.api.setArcDirection(direction), 1);
        EXPECT_EQ(c.api.setArcDirection(7), direction); // not a direction: ignored
        EXPECT_EQ(c.api.arcDirection(), direction);
        c.api.selectPen(5, 1, 0);
        c.api.selectBrush(0, 0, kBlue);
        c.api.drawPie(0, 0, 100, 100, 100, 50, 50, 0); // from the right radial to the upward one
        const QImage &img = c.finished();
        const bool counterClockwise = direction == 1; // the top right quarter
        EXPECT_EQ(img.pixel(70, 30) == kBlueRgb, counterClockwise);
        EXPECT_EQ(img.pixel(30, 30) == kBlueRgb, !counterClockwise);
        EXPECT_EQ(img.pixel(70, 70) == kBlueRgb, !counterClockwise);
    }
}

TEST(Shapes, PolygonRegionPaintsWithTheBrush)
{
    ProbeCanvas c;
    c.api.selectBrush(0, 0, kRed);
    GdiRegion region;
    c.api.createRegion({ 10, 90, 10 }, { 10, 50, 90 }, region);
    c.api.paintRegion(region);
    c.api.freeRegion(region);
    EXPECT_TRUE(region.polygon.isEmpty());
    c.api.paintRegion(region);
    const QImage &img = c.finished();
    EXPECT_EQ(img.pixel(30, 50), kRedRgb);
    EXPECT_TRUE(isWhite(img, 80, 20));
}
