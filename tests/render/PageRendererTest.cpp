#include "render/PageRenderer.h"
#include "FakeEditBoxes.h"
#include "TestDocument.h"
#include "gfx/DeviceContext.h"
#include "render/ObjectDrawing.h"
#include "render/RenderIdle.h"
#include "support/PixelProbe.h"

#include <QGuiApplication>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

constexpr int kRed = 0x0000FF;
constexpr int kGreen = 0x00FF00;
constexpr int kBlue = 0xFF0000;
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGrey = kCanvasGrey;

// The arguments of one RenderPage call, defaulting to the preview's full view
// at 100 % without edit boxes.
struct Call
{
    int page = 0;
    bool printView = false;
    EditBoxes *boxes = nullptr;
    double zoom = 1.0;
    bool pageBuffer = false, imageBuffer = false;
    int offsetX = 0, offsetY = 0;
    bool outlines = false;
};

// Renders at 96 dpi (15 twips a pixel) on a grey 460 x 320 canvas; the test
// page is 288 x 192 pixels.
QImage render(ReportDocument &doc, const Call &call = {})
{
    QImage image = greyCanvas(460, 320, 96);
    DeviceContext context(&image);
    renderPage(doc, context, call.page, call.printView, call.boxes, call.zoom, call.pageBuffer,
        call.imageBuffer, call.offsetX, call.offsetY, call.outlines);
    context.endPainting();
    return image;
}

// A filled rectangle (no border) of colour in band.
int addBlock(TestDocument &t, int band, int colour, double left, double top, double width, double height,
    bool fixed = true)
{
    ReportObject &o = t.addObject(band, kControlShape, left, top, width, height, fixed);
    o.style = kShapeRectangle;
    o.backColour = colour;
    return t.lastObject;
}

// A band placed at 750 twips with one green object at (150, 150) in it, 750
// twips square: pixels 10..59 across, 60..109 down.
TEST(RenderPage, ObjectsOfVisibleBandsBelowTheBandTopOnAWhitePageByViewAndPrintable)
{
    const struct
    {
        const char *name;
        bool fixed, printable, printView, bandVisible, drawn;
    } rows[] = {
        { "fixed printable, full view", true, true, false, true, true },
        { "fixed printable, print view", true, true, true, true, true },
        { "fixed not printable, full view", true, false, false, true, false },
        { "fixed not printable, print view", true, false, true, true, false },
        { "listed printable, print view", false, true, true, true, true },
        { "listed not printable, full view", false, false, false, true, true },
        { "listed not printable, print view", false, false, true, true, false },
        { "fixed, band not visible", true, true, false, false, false },
        { "listed, band not visible", false, true, false, false, false },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TestDocument t;
        const int band = t.addBand(row.bandVisible);
        const int object = addBlock(t, band, kGreen, 150, 150, 750, 750, row.fixed);
        t.doc.objects[object].printable = row.printable;
        t.place(
            t.addPage(), band, 750, row.fixed ? QList<PlacedItem> {} : QList<PlacedItem> { { object, -1 } });
        expectProbes(render(t.doc, { .printView = row.printView }),
            { { 35, 85, row.drawn ? pixel(kGreen) : kWhite }, { 35, 55, kWhite }, { 5, 85, kWhite },
                { 287, 191, kWhite }, { 289, 100, kGrey }, { 100, 193, kGrey } });
        EXPECT_TRUE(RenderIdle);
    }
}

// Two listed green framed fields bound to values 0 and 1 on page 0, the
// second one alone on page 1, and a listed page number text on both pages.
TestDocument framedFields()
{
    TestDocument t;
    const int band = t.addBand();
    for (int i = 0; i < 2; ++i) {
        ReportObject &o = t.addText(band, QString(), 150 + 1500 * i, 150, 1200, 300, false);
        o.controlType = kControlFramedText;
        o.backColour = kGreen;
        t.addValue(QStringLiteral("Valore %1").arg(i));
    }
    t.addText(band, QStringLiteral("[&p]/[&P]"), 150, 600, 3000, 300, false);
    t.place(t.addPage(), band, 0, { { 0, 0 }, { 1, 1 }, { 2, -1 } });
    t.place(t.addPage(), band, 0, { { 1, 1 }, { 2, -1 } });
    return t;
}

TEST(RenderPage, EditBoxesStandOverFramedFieldsAtFullSizeAndTextsGetThePageNumbers)
{
    TestDocument t = framedFields();
    FakeEditBoxes boxes(1);
    expectProbes(render(t.doc, { .boxes = &boxes, .offsetX = 30 }), { { 20, 15, kWhite } }); // not painted
    ASSERT_EQ(boxes.upperBound(), 1);
    EXPECT_EQ(boxes.loads, (QList<int> { 1 }));
    EXPECT_EQ(boxes.visibleCount(), 2);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Valore 0"));
    EXPECT_EQ(boxes.boxes[1].text, QStringLiteral("Valore 1"));
    EXPECT_EQ(boxes.boxes[1].geometry, QRect(1680, 150, 1200, 300)) << "the frame moved by the offset";
    EXPECT_EQ(t.doc.objects[2].value, QStringLiteral("1/2"));
    EXPECT_EQ(boxes.boxes[1].tag, QStringLiteral("<IndexDato>1</IndexDato>"));
    EXPECT_EQ(boxes.textSetWhileIdle, 0);
    EXPECT_TRUE(boxes.busyPointerWhileFilling);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the pointer is restored";

    // The next page uses one box: the other is hidden.
    render(t.doc, { .page = 1, .boxes = &boxes });
    EXPECT_TRUE(boxes.boxes[0].visible);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Valore 1"));
    EXPECT_FALSE(boxes.boxes[1].visible);
    EXPECT_EQ(t.doc.objects[2].value, QStringLiteral("2/2"));
}

TEST(RenderPage, FramedFieldsArePaintedInPrintViewOrWhenZoomed)
{
    for (const double zoom : { 1.0, 1.5 }) {
        SCOPED_TRACE(zoom == 1.0 ? "print view" : "zoom 1.5");
        TestDocument t = framedFields();
        FakeEditBoxes boxes(3);
        for (auto &box : boxes.boxes)
            box.visible = true;
        // Right of the text: 1275 x 405 twips, times the zoom.
        expectProbes(render(t.doc, { .printView = zoom == 1.0, .boxes = &boxes, .zoom = zoom }),
            { { int(85 * zoom), int(27 * zoom), pixel(kGreen), 8 } });
        EXPECT_EQ(boxes.visibleCount(), 0) << "unused boxes are hidden";
        EXPECT_TRUE(boxes.loads.isEmpty());
    }
}

// A red block on the top left inch of the page, a blue one on the bottom right
// quarter, (2880, 1440)-(4320, 2880) twips, and a 300-twip green picture frame
// at (3000, 150) holding a cyan picture of 8 x 8 pixels at 96 dpi.
TestDocument quarters()
{
    TestDocument t;
    const int band = t.addBand();
    addBlock(t, band, kRed, 0, 0, 1440, 1440);
    addBlock(t, band, kBlue, 2880, 1440, 1440, 1440);
    QImage picture(8, 8, QImage::Format_BGR888);
    picture.fill(QColor(0, 255, 255));
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    t.doc.images.append(ImageEntry { QStringLiteral("p"), QString(), picture });
    t.addObject(band, kControlPicture, 3000, 150, 300, 300).backColour = kGreen;
    t.place(t.addPage(), band, 0);
    return t;
}

TEST(RenderPage, ZoomOffsetsAndBuffers)
{
    const QRgb red = pixel(kRed), blue = pixel(kBlue), cyan = qRgb(0, 255, 255), green = pixel(kGreen);
    const auto zoomed = [&](double z) {
        const auto at = [z](int px) { return int(px * z); };
        return std::vector<Probe> { { at(48), at(48), red, 8 }, { at(240), at(144), blue, 8 },
            { at(150), at(50), kWhite, 8 }, { at(288) - 2, at(50), kWhite, 8 },
            { at(288) + 2, at(50), kGrey }, { at(50), at(192) + 3, kGrey } };
    };
    // Offsets of (720, 300) twips move the red block to pixels 48..143 x
    // 20..115 and the blue one to 240..335 x 116..211, past the page's edge,
    // where the page buffer cuts it.
    const auto offset = [&](bool cut) {
        return std::vector<Probe> { { 45, 50, kWhite }, { 50, 18, kWhite }, { 50, 22, red },
            { 140, 110, red }, { 150, 50, kWhite }, { 245, 120, blue }, { 287, 150, blue },
            { 330, 100, kGrey }, { 330, 150, cut ? kGrey : blue } };
    };
    const std::vector<Probe> full { { 10, 10, red }, { 250, 150, blue }, { 202, 12, cyan },
        { 215, 25, green }, { 221, 25, kWhite }, { 290, 100, kGrey } };
    const struct
    {
        const char *name;
        Call call;
        std::vector<Probe> probes;
    } rows[] = {
        { "100 %", {}, full },
        { "image buffer", { .imageBuffer = true }, full },
        { "zoom 0.5", { .zoom = 0.5 }, zoomed(0.5) },
        { "zoom 1.5", { .zoom = 1.5 }, zoomed(1.5) },
        { "offsets", { .offsetX = 720, .offsetY = 300 }, offset(false) },
        { "offsets, page buffer", { .pageBuffer = true, .offsetX = 720, .offsetY = 300 }, offset(true) },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TestDocument t = quarters();
        expectProbes(render(t.doc, row.call), row.probes);
    }
}

TEST(RenderPage, BufferedDrawingMatchesDirectDrawing)
{
    TestDocument t = quarters();
    const QRect page(0, 0, 288, 192);
    EXPECT_EQ(
        render(t.doc, { .pageBuffer = true, .imageBuffer = true }).copy(page), render(t.doc).copy(page));
}

TEST(RenderPage, OutlinesMarkThePageAndTheMarginsOverTheContent)
{
    TestDocument t;
    t.doc.marginLeft = t.doc.marginRight = 720;
    t.doc.marginTop = t.doc.marginBottom = 360;
    const int band = t.addBand();
    addBlock(t, band, kGreen, 0, 0, 4320, 2880);
    t.place(t.addPage(), band, 0);
    const QRgb red = pixel(kRed);
    expectProbes(render(t.doc, { .outlines = true }),
        { near(0, 96, red), near(144, 0, red), // page ellipse, left and top
            near(48, 24, red), near(239, 167, red), // margin rectangle, corners
            near(144, 24, red), // the margin ellipse touches the rectangle
            { 144, 96, pixel(kGreen) }, { 10, 10, pixel(kGreen) } });
    // (0 + 150 twips) x 0.5
    expectProbes(render(t.doc, { .zoom = 0.5, .offsetX = 150, .outlines = true }),
        { near(5, 48, red), near(29, 12, red) });
}

TEST(RenderPage, LeavesTheContextInThePixelMappingWithItsObjects)
{
    TestDocument t = quarters();
    QImage image = greyCanvas(300, 200, 96);
    DeviceContext context(&image);
    const GdiPen pen { gdi::kPenSolid, 3, 0x123456 };
    const GdiBrush brush { gdi::kBrushSolid, 0x654321 };
    context.selectPen(pen);
    context.selectBrush(brush);
    renderPage(t.doc, context, 0, false, nullptr, 1.0, false, false, 0, 0, true);
    EXPECT_EQ(context.mapMode(), MapMode::Pixels);
    EXPECT_EQ(context.pen(), pen);
    EXPECT_EQ(context.brush(), brush);
}

// The buffered rows also check that the page bitmap outlives the contexts
// drawing on it while the error unwinds (under the address sanitizer).
TEST(RenderPage, BadIndexIsSubscriptOutOfRangeNamingTheListAndTheRendererIsIdleAgain)
{
    const struct
    {
        const char *list;
        int page, band, object, image;
        bool pageBuffer;
    } rows[] = {
        { "Pages(1)", 1, 0, 1, 0, false },
        { "Bands(3)", 0, 3, 1, 0, true },
        { "Objects(9)", 0, 0, 9, 0, false },
        { "Objects(9)", 0, 0, 9, 0, true },
        { "Images(1)", 0, 0, 1, 1, true },
        { "Images(-1)", 0, 0, 1, -1, false },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(::testing::Message() << row.list << (row.pageBuffer ? " buffered" : ""));
        TestDocument t;
        t.doc.images.append(
            ImageEntry { QStringLiteral("p"), QString(), QImage(4, 4, QImage::Format_RGB32) });
        const int band = t.addBand();
        addBlock(t, band, kRed, 0, 0, 10, 10);
        t.addObject(band, kControlPicture, 0, 0, 100, 100, false).imageIndex = row.image;
        t.place(t.addPage(), row.band, 0, { { row.object, -1 } });
        EXPECT_THAT(raisedError([&] { render(t.doc, { .page = row.page, .pageBuffer = row.pageBuffer }); }),
            ::testing::AllOf(::testing::StartsWith("9: "), ::testing::HasSubstr(row.list)));
        EXPECT_TRUE(RenderIdle);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

} // namespace
