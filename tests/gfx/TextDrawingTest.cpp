#include "GfxProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

namespace {

// A page of 4 x 1 inches in the twips mapping, 10 point Arial, black on a transparent background.
struct TextPage : ProbeCanvas
{
    explicit TextPage(int dpi = 96)
        : ProbeCanvas(4 * dpi, dpi, dpi, -1)
    {
        api.selectFont(arial(10));
        api.setTextColours(0, 0xFFFFFF, 1);
    }
    int draw(const QString &text, int left, int top, int right, int bottom, int flags)
    {
        return api.drawText(text, left, top, right, bottom, flags);
    }
};

} // namespace

TEST(DrawText, PlacesTheLineAtTheTopOfTheRectangleAsAligned)
{
    // "MMMM" is about 667 twips (44 px); the rectangle runs from 20 to 320 px, its top at 20 px.
    // Left: the first ink column; right: the last; centre: their middle.
    for (auto [flags, expected] : { std::pair { 2080, 21 }, { 2082, 318 }, { 2081, 170 } }) {
        SCOPED_TRACE(flags);
        TextPage page;
        page.draw(QStringLiteral("MMMM"), 300, 300, 4800, 1440, flags);
        const QImage &img = page.finished();
        const auto [first, last] = inkColumns(img, 0, 96);
        EXPECT_NEAR(last - first + 1, 44, 3);
        EXPECT_NEAR(flags == 2080 ? first : flags == 2082 ? last : (first + last) / 2, expected, 2);
        // The cap height (about 10 px) below the cell's internal leading.
        const auto [top, bottom] = inkRows(img);
        EXPECT_THAT(top, within(20, 24));
        EXPECT_NEAR(bottom - top + 1, 10, 1);
    }
}

TEST(DrawText, IsClippedOnlyWhereItLeavesTheRectangle)
{
    // "MMMMMMMM" is about 88 px wide; its glyphs reach below 10 px (150 twips).
    const std::tuple<const char *, int, int, int, bool, bool> rows[] = {
        { "TooNarrow", 450, 1440, 2080, true, false }, // cut at 30 px
        { "TooShort", 4800, 150, 2080, false, true }, // cut at 10 px
        { "NoClip", 450, 150, 2080 | 256, false, false },
    };
    for (auto [name, right, bottom, flags, cutRight, cutBottom] : rows) {
        SCOPED_TRACE(name);
        TextPage page;
        page.draw(QStringLiteral("MMMMMMMM"), 0, 0, right, bottom, flags);
        const QImage &img = page.finished();
        const int lastColumn = inkColumns(img, 0, 96).second;
        const int lastRow = inkRows(img).second;
        EXPECT_TRUE(cutRight ? lastColumn > 25 && lastColumn <= 29 : lastColumn > 80) << lastColumn;
        EXPECT_TRUE(cutBottom ? lastRow <= 9 : lastRow >= 10) << lastRow;
    }
}

TEST(DrawText, MeasureOnlyReturnsTheExtentAndDrawsNothing)
{
    TextPage page;
    int left = 100, top = 200, right = 100, bottom = 200;
    const int height = page.api.drawText(QStringLiteral("Hello, World"), left, top, right, bottom, 3104);
    EXPECT_EQ(left, 100);
    EXPECT_EQ(top, 200);
    // The advance of Liberation Sans at 200 twips, without kerning.
    EXPECT_THAT(right - left, within(1080, 1095));
    EXPECT_EQ(bottom - top, page.api.textMetrics().height);
    EXPECT_EQ(height, bottom - top);
    // Word breaking with room for about two of the words per line.
    left = top = bottom = 0;
    right = 1000;
    page.api.drawText(QStringLiteral("Uno due tre quattro cinque"), left, top, right, bottom,
        gdi::kDtWordBreak | gdi::kDtCalcRect | gdi::kDtNoPrefix);
    EXPECT_EQ(bottom, 3 * page.api.textMetrics().height);
    EXPECT_LE(right, 1000);
    EXPECT_EQ(inkRows(page.finished()).first, -1);
}

TEST(DrawText, WidthsKeepTheirPhysicalSizeAcrossDevices)
{
    int measured[2] = {};
    int inked[2] = {}; // twips
    for (int i : { 0, 1 }) {
        const int dpi = i == 0 ? 96 : 300;
        TextPage page(dpi);
        int height = 0;
        page.api.textExtent(QStringLiteral("Rapporto trimestrale 2026"), measured[i], height);
        page.draw(QStringLiteral("MMMM"), 0, 0, 5760, 1440, 2080);
        const auto [first, last] = inkColumns(page.finished(), 0, dpi);
        inked[i] = (last - first + 1) * 1440 / dpi;
    }
    EXPECT_EQ(measured[0], measured[1]);
    EXPECT_NEAR(inked[0], inked[1], 20);
}

TEST(TextGetSize, CountsLinesAndPrefixesAndTheApproximationCountsCharacters)
{
    TextPage page;
    int oneWidth = 0, oneHeight = 0, width = 0, height = 0;
    page.api.textExtent(QStringLiteral("A&B"), oneWidth, oneHeight);
    page.api.textExtent(QStringLiteral("AB"), width, height);
    EXPECT_EQ(width, oneWidth); // "&" marks a prefix and takes no room
    page.api.textExtent(QStringLiteral("AB\r\nAB"), width, height);
    EXPECT_EQ(height, 2 * oneHeight);
    EXPECT_EQ(width, oneWidth);
    page.api.textExtent(QString(), width, height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    // The font's cell height (character height plus internal leading) and characters x average width.
    page.api.approximateTextExtent(QStringLiteral("abcd"), width, height);
    EXPECT_EQ(height, page.api.textMetrics().height);
    EXPECT_EQ(height, oneHeight);
    EXPECT_THAT(height, within(201, 259));
    EXPECT_EQ(width, 4 * page.api.textMetrics().aveCharWidth);
    EXPECT_GT(width, 4 * 60);
    Canvas fresh; // nothing before its first font
    fresh.attach(&page.dc);
    fresh.approximateTextExtent(QStringLiteral("abcd"), width, height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST(DrawText, OnlyTheOpaqueModeFillsTheTextCellWithTheBackground)
{
    for (int mode : { 0, 1, 2 }) { // 0 leaves the page's transparent background
        SCOPED_TRACE(mode);
        TextPage page;
        page.api.setTextColours(0, 0x00FF00, mode);
        page.draw(QStringLiteral("i i"), 1440, 0, 4800, 1440, 2080);
        const QImage &img = page.finished();
        // Just right of the left edge, above the glyphs: background or page.
        EXPECT_EQ(img.pixel(97, 1), mode == 2 ? qRgb(0, 255, 0) : qRgb(255, 255, 255));
        EXPECT_TRUE(isWhite(img, 94, 2)); // left of the cell
        EXPECT_TRUE(isWhite(img, 97, 40)); // below the cell
    }
}

TEST(TextOut, PutsTheCellTopLeftAtThePointInTheTextColour)
{
    TextPage page;
    page.api.setTextColours(kRed, 0, 1);
    page.api.textOut(1440, 300, QStringLiteral("H"));
    const QImage &img = page.finished();
    EXPECT_NEAR(inkColumns(img, 0, 96).first, 97, 2);
    EXPECT_THAT(inkRows(img).first, within(20, 24));
    const QRgb stem = img.pixel(97, 25); // the left stem, nearly covered
    EXPECT_EQ(qRed(stem), 255);
    EXPECT_LT(qGreen(stem), 64);
    EXPECT_LT(qBlue(stem), 64);
}

TEST(TextOut, EscapementTurnsTheLineCounterClockwise)
{
    ProbeCanvas c(200, 200, 96, -1);
    ASSERT_TRUE(c.api.selectFont(arial(12), 90.0));
    c.api.setTextColours(0, 0, 1);
    c.api.textOut(1440, 2400, QStringLiteral("MMMMMM")); // starts at (96, 160) px, runs upwards
    const QImage &img = c.finished();
    const auto [left, right] = inkColumns(img, 0, 200);
    const auto [top, bottom] = inkRows(img);
    EXPECT_LT(right - left, 25);
    EXPECT_GT(bottom - top, 60);
    EXPECT_LE(bottom, 161);
    EXPECT_GE(left, 96);
}

TEST(DrawText, HugeValueIsMeasuredWholeAndDrawnWhereItShows)
{
    TextPage page;
    const QString piece = QStringLiteral("Abc ");
    const QString huge = piece.repeated(250000); // a million characters
    int pieceWidth = 0, width = 0, height = 0;
    page.api.textExtent(piece, pieceWidth, height);
    page.api.textExtent(huge, width, height);
    EXPECT_NEAR(width, 250000.0 * pieceWidth, 250000.0); // within a twip per piece
    page.draw(huge, 0, 0, 2880, 1440, 2082);
    const auto [first, last] = inkColumns(page.finished(), 0, 96);
    EXPECT_THAT(first, within(0, 3));
    EXPECT_LE(last, 191);
}
