#include "gfx/clsGFX_API.h"

#include "GfxProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using zet::test::hasInk;
using zet::test::inkColumns;
using zet::test::inkRows;
using zet::test::isWhite;
using zet::test::whiteCanvas;

namespace {

ReportFont arial(double size)
{
    ReportFont font;
    font.Name = QStringLiteral("Arial");
    font.Size = size;
    return font;
}

// A 96 dpi page of 4 x 1 inches in the twips mapping with a 10 pt font.
struct TwipsPage
{
    QImage image;
    DeviceContext dc;
    clsGFX_API api;

    explicit TwipsPage(int dpi = 96)
        : image(whiteCanvas(4 * dpi, dpi, dpi))
        , dc(&image)
    {
        api.HDC_Attach(&dc);
        api.Config_SetScaleMode(-1);
        api.Text_SetFont(arial(10));
        api.Text_SetColor(0, 0xFFFFFF, 1);
    }
    int draw(const QString &text, int left, int top, int right, int bottom, int flags)
    {
        return api.Text_DrawText(text, left, top, right, bottom, flags);
    }
    const QImage &finished()
    {
        dc.endPainting();
        return image;
    }
};

} // namespace

struct AlignmentCase
{
    const char *name;
    int flags;
    int expectedFirstInk; // pixels, +-2
    int expectedLastInk; // pixels, +-2; -1 when only the other end is fixed
};

class TextAlignment : public ::testing::TestWithParam<AlignmentCase>
{
};

// "MMMM" in 10 pt is about 667 twips (44 px); the rectangle runs from 20 to
// 320 px (300 to 4800 twips).
TEST_P(TextAlignment, PlacesTheLineInTheRectangle)
{
    const AlignmentCase &row = GetParam();
    TwipsPage page;
    page.draw(QStringLiteral("MMMM"), 300, 0, 4800, 1440, row.flags);
    const auto [first, last] = inkColumns(page.finished(), 0, 96);
    ASSERT_GE(first, 0);
    const int inkWidth = last - first + 1;
    EXPECT_NEAR(inkWidth, 44, 3);
    if (row.expectedFirstInk >= 0) {
        EXPECT_NEAR(first, row.expectedFirstInk, 2);
    }
    if (row.expectedLastInk >= 0) {
        EXPECT_NEAR(last, row.expectedLastInk, 2);
    }
}

INSTANTIATE_TEST_SUITE_P(DrawText, TextAlignment,
    ::testing::Values(AlignmentCase { "Left2080", 2080, 21, -1 },
        AlignmentCase { "Right2082", 2082, -1, 318 }, AlignmentCase { "Centre2081", 2081, 148, 191 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DrawText, TextSitsAtTheTopOfTheRectangle)
{
    TwipsPage page;
    page.draw(QStringLiteral("HHH"), 0, 300, 4800, 1440, 2080); // top at 20 px
    const auto [first, last] = inkRows(page.finished());
    // Cap height of 10 pt Arial is about 10 px below the cell's internal leading.
    EXPECT_GE(first, 20);
    EXPECT_LE(first, 24);
    EXPECT_NEAR(last - first + 1, 10, 1);
}

TEST(DrawText, IsClippedToTheRectangleUnlessNoClip)
{
    for (bool noClip : { false, true }) {
        SCOPED_TRACE(noClip);
        TwipsPage page;
        // The rectangle ends at 30 px, in the middle of the text.
        page.draw(QStringLiteral("MMMMMMMM"), 0, 0, 450, 150, 2080 | (noClip ? 256 : 0));
        const auto [first, last] = inkColumns(page.finished(), 0, 96);
        const auto [top, bottom] = inkRows(page.finished());
        if (noClip) {
            EXPECT_GT(last, 60);
            EXPECT_GE(bottom, 10);
        } else {
            EXPECT_LE(last, 29);
            EXPECT_GT(last, 25);
            EXPECT_LE(bottom, 9); // 150 twips = 10 px
        }
    }
}

TEST(DrawText, MeasureOnlyReturnsTheExtentAndDrawsNothing)
{
    TwipsPage page;
    int left = 100;
    int top = 200;
    int right = 100;
    int bottom = 200;
    const int height = page.api.Text_DrawText(QStringLiteral("Hello, World"), left, top, right, bottom, 3104);
    EXPECT_EQ(left, 100);
    EXPECT_EQ(top, 200);
    // The advance of Liberation Sans at 200 twips, without kerning.
    EXPECT_GE(right - left, 1080);
    EXPECT_LE(right - left, 1095);
    EXPECT_EQ(bottom - top, page.api.Text_GetMetrics().height);
    EXPECT_EQ(height, bottom - top);
    EXPECT_EQ(inkRows(page.finished()).first, -1);
}

TEST(DrawText, MeasuredWidthDoesNotDependOnTheDevice)
{
    int widths[2];
    int i = 0;
    for (int dpi : { 96, 300 }) {
        TwipsPage page(dpi);
        int height = 0;
        page.api.Text_GetSize(QStringLiteral("Rapporto trimestrale 2026"), widths[i++], height);
    }
    EXPECT_EQ(widths[0], widths[1]);
}

TEST(DrawText, RenderedTextKeepsPhysicalSizeAcrossDevices)
{
    int inkWidths[2];
    int i = 0;
    for (int dpi : { 96, 300 }) {
        TwipsPage page(dpi);
        page.draw(QStringLiteral("MMMM"), 0, 0, 5760, 1440, 2080);
        const auto [first, last] = inkColumns(page.finished(), 0, dpi);
        inkWidths[i++] = (last - first + 1) * 1440 / dpi; // twips
    }
    EXPECT_NEAR(inkWidths[0], inkWidths[1], 20);
}

TEST(TextGetSize, CountsLinesAndPrefixes)
{
    TwipsPage page;
    int oneWidth = 0;
    int oneHeight = 0;
    page.api.Text_GetSize(QStringLiteral("A&B"), oneWidth, oneHeight);
    int width = 0;
    int height = 0;
    page.api.Text_GetSize(QStringLiteral("AB"), width, height);
    EXPECT_EQ(width, oneWidth); // "&" marks a prefix and takes no room
    page.api.Text_GetSize(QStringLiteral("AB\r\nAB"), width, height);
    EXPECT_EQ(height, 2 * oneHeight);
    EXPECT_EQ(width, oneWidth);
    page.api.Text_GetSize(QString(), width, height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST(DrawText, OpaqueModeFillsTheTextCellWithTheBackground)
{
    for (int mode : { 1, 2 }) {
        SCOPED_TRACE(mode);
        TwipsPage page;
        page.api.Text_SetColor(0, 0x00FF00, mode);
        page.draw(QStringLiteral("i i"), 1440, 0, 4800, 1440, 2080);
        const QImage &img = page.finished();
        // Just right of the left edge, above the glyphs: background or page.
        const QRgb probe = img.pixel(97, 1);
        EXPECT_EQ(probe, mode == 2 ? qRgb(0, 255, 0) : qRgb(255, 255, 255));
        EXPECT_TRUE(isWhite(img, 94, 2)); // left of the cell
        EXPECT_TRUE(isWhite(img, 97, 40)); // below the cell
    }
}

TEST(DrawText, UsesTheTextColour)
{
    TwipsPage page;
    page.api.Text_SetFont(arial(40));
    page.api.Text_SetColor(0x0000FF, 0, 1);
    page.draw(QStringLiteral("I"), 0, 0, 1440, 1440, 2080);
    const QImage &img = page.finished();
    bool red = false;
    for (int y = 0; y < 60 && !red; ++y)
        for (int x = 0; x < 30 && !red; ++x)
            red = img.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_TRUE(red);
}

TEST(TextOut, PutsTheCellTopLeftAtThePoint)
{
    TwipsPage page;
    page.api.Text_TextOut(1440, 300, QStringLiteral("H"));
    const QImage &img = page.finished();
    const auto [first, last] = inkColumns(img, 0, 96);
    EXPECT_NEAR(first, 97, 2);
    EXPECT_GE(inkRows(img).first, 20);
    EXPECT_LE(inkRows(img).first, 24);
}

TEST(TextOut, EscapementTurnsTheLineCounterClockwise)
{
    QImage image = whiteCanvas(200, 200);
    DeviceContext dc(&image);
    clsGFX_API api;
    api.HDC_Attach(&dc);
    api.Config_SetScaleMode(-1);
    ASSERT_TRUE(api.Text_SetFont(arial(12), 90.0));
    api.Text_SetColor(0, 0, 1);
    api.Text_TextOut(1440, 2400, QStringLiteral("MMMMMM")); // starts at (96, 160) px, runs upwards
    dc.endPainting();
    const auto [left, right] = inkColumns(image, 0, 200);
    const auto [top, bottom] = inkRows(image);
    EXPECT_LT(right - left, 25);
    EXPECT_GT(bottom - top, 60);
    EXPECT_LE(bottom, 161);
    EXPECT_GE(left, 96);
}

TEST(DrawText, HugeValueIsMeasuredWholeAndDrawnWhereItShows)
{
    TwipsPage page;
    const QString piece = QStringLiteral("Abc ");
    const QString huge = piece.repeated(250000); // a million characters
    int width = 0;
    int height = 0;
    page.api.Text_GetSize(piece, width, height);
    const int pieceWidth = width;
    page.api.Text_GetSize(huge, width, height);
    EXPECT_NEAR(width, 250000.0 * pieceWidth, 250000.0); // within a twip per piece
    page.draw(huge, 0, 0, 2880, 1440, 2082);
    const auto [first, last] = inkColumns(page.finished(), 0, 96);
    EXPECT_GE(first, 0);
    EXPECT_LE(first, 3);
    EXPECT_LE(last, 191);
}

TEST(DrawText, WordBreakWrapsBetweenWords)
{
    TwipsPage page;
    int oneLine = 0;
    int width = 0;
    page.api.Text_GetSize(QStringLiteral("Uno"), width, oneLine);
    // Room for about two of the words per line.
    int left = 0, top = 0, right = 1000, bottom = 0;
    page.api.Text_DrawText(QStringLiteral("Uno due tre quattro cinque"), left, top, right, bottom,
        gdi::kDtWordBreak | gdi::kDtCalcRect | gdi::kDtNoPrefix);
    EXPECT_EQ(bottom, 3 * oneLine);
    EXPECT_LE(right, 1000);
}
