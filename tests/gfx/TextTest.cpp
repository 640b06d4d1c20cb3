#include "support/PixelProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

constexpr int kRed = 0x0000FF;
constexpr int kGreen = 0x00FF00;

// A page of 4 x 1 inches in the twips mapping with 10 point Arial in a colour
// on a transparent background.
struct TextPage : TwipsCanvas
{
    explicit TextPage(int dpi = 96, int colour = 0)
        : TwipsCanvas(4 * dpi, dpi, dpi)
    {
        font.name = QStringLiteral("Arial");
        font.size = 10;
        api.selectFont(&font);
        api.setTextColours(colour, 0xFFFFFF, gdi::kBkTransparent);
    }
    QRect ink() { return inkBox(image(), picture.rect()); }
    ReportFont font;
};

} // namespace

TEST(DrawText, PlacesOneLineAtTheTopOfTheRectangleAsAligned)
{
    // "MMMM" is about 667 twips (44 px); the rectangle runs from 20 to 320 px, its top at 20 px.
    const struct
    {
        const char *name;
        Qt::Alignment alignment;
        int left, right; // expected ink columns, within 2 px
    } rows[] = {
        { "Left", Qt::AlignLeft, 21, 64 },
        { "Right", Qt::AlignRight, 275, 318 },
        { "Centre", Qt::AlignHCenter, 148, 191 },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TextPage page(96, kRed);
        page.api.drawText(QRect(300, 300, 4500, 1140), row.alignment, QStringLiteral("MMMM"));
        const QRect ink = page.ink();
        EXPECT_NEAR(ink.left(), row.left, 2);
        EXPECT_NEAR(ink.right(), row.right, 2);
        // The cap height (about 10 px) below the cell's internal leading.
        EXPECT_NEAR(ink.top(), 22, 2);
        EXPECT_NEAR(ink.height(), 10, 1);
        int reddest = 0; // the text colour, where a stem covers a pixel
        for (int x = ink.left(); x <= ink.right(); ++x) {
            const QRgb p = page.picture.pixel(x, ink.center().y());
            reddest = std::max(reddest, qRed(p) - qGreen(p) - qBlue(p));
        }
        EXPECT_GT(reddest, 200);
    }
}

TEST(DrawText, IsClippedOnlyWhereItLeavesTheRectangle)
{
    // "MMMMMMMM" is about 88 px wide; its glyphs reach below 10 px (150 twips).
    const struct
    {
        const char *name;
        int right, bottom, lastColumn, lastRow; // the last two within 2 px
    } rows[] = {
        { "Fits", 4800, 1440, 88, 10 },
        { "TooNarrow", 450, 1440, 29, 10 },
        { "TooShort", 4800, 150, 88, 9 },
        { "BeforeItsStart", -15, 1440, -1, -1 },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TextPage page;
        page.api.drawText(QRect(0, 0, row.right, row.bottom), Qt::AlignLeft, QStringLiteral("MMMMMMMM"));
        const QRect ink = page.ink();
        EXPECT_NEAR(ink.isEmpty() ? -1 : ink.right(), row.lastColumn, 2);
        EXPECT_NEAR(ink.isEmpty() ? -1 : ink.bottom(), row.lastRow, 2);
    }
}

TEST(DrawText, OnlyTheOpaqueModeFillsTheTextCellAndAnyPenButSolidClearsIt)
{
    const struct
    {
        const char *name;
        int mode, pen;
        bool filled;
    } rows[] = {
        { "Transparent", gdi::kBkTransparent, gdi::kPenSolid, false },
        { "Opaque", gdi::kBkOpaque, gdi::kPenSolid, true },
        { "OpaqueThenNullPen", gdi::kBkOpaque, gdi::kPenNull, false },
        { "OtherModeKeepsTransparent", 0, gdi::kPenSolid, false },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TextPage page;
        page.api.setTextColours(0, kGreen, row.mode);
        page.api.selectPen(row.pen, 1, 0);
        page.api.drawText(QRect(1440, 0, 3360, 1440), Qt::AlignLeft, QStringLiteral("i i"));
        // Just right of the left edge, above the glyphs: the cell; left of it and below it: the page.
        const QImage &img = page.image();
        expectProbes(img,
            { { 97, 1, row.filled ? pixel(kGreen) : kCanvasGrey }, { 94, 2, kCanvasGrey },
                { 97, 40, kCanvasGrey } });
    }
}

TEST(DrawText, WidthIsMeasuredInLogicalUnitsWhateverTheDevice)
{
    int measured[2] = {};
    int inked[2] = {}; // twips
    for (int i : { 0, 1 }) {
        const int dpi = i == 0 ? 96 : 300;
        TextPage page(dpi);
        measured[i] = page.api.textWidth(QStringLiteral("Rapporto trimestrale 2026"));
        page.api.drawText(QRect(0, 0, 5760, 1440), Qt::AlignLeft, QStringLiteral("MMMM"));
        inked[i] = page.ink().width() * 1440 / dpi;
    }
    EXPECT_EQ(measured[0], measured[1]);
    EXPECT_NEAR(measured[0], 2300, 150); // 25 characters of 10 points
    EXPECT_NEAR(inked[0], inked[1], 20);
    TextPage page;
    EXPECT_EQ(
        page.api.textWidth(QStringLiteral("Uno\r\ndue")), page.api.textWidth(QStringLiteral("Uno  due")));
    EXPECT_EQ(page.api.textWidth(QString()), 0);
}

TEST(DrawText, HugeValueIsMeasuredWholeAndDrawnWhereItShows)
{
    TextPage page;
    const QString piece = QStringLiteral("Abc ");
    const QString huge = piece.repeated(250000); // a million characters
    EXPECT_NEAR(page.api.textWidth(huge), 250000.0 * page.api.textWidth(piece), 250000.0); // a twip per piece
    page.api.drawText(QRect(0, 0, 2880, 1440), Qt::AlignRight, huge);
    const QRect ink = page.ink();
    EXPECT_NEAR(ink.left(), 1, 2);
    EXPECT_LE(ink.right(), 191);
}
