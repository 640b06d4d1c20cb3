#include "render/PageRenderer.h"
#include "FakeEditBoxes.h"
#include "PixelProbe.h"
#include "TestDocument.h"
#include "render/ObjectDrawing.h"
#include "render/RenderIdle.h"
#include "zetview/Error.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

constexpr int kRed = 0x0000FF;
constexpr int kGreen = 0x00FF00;
constexpr int kBlue = 0xFF0000;
const QRgb kWhitePixel = qRgb(255, 255, 255);

// The arguments of one RenderPage call, defaulting to the preview's full view
// at 100 % without edit boxes.
struct Call
{
    int page = 0;
    bool printView = false;
    EditBoxes *boxes = nullptr;
    double zoom = 1.0;
    bool pageBuffer = false;
    bool imageBuffer = false;
    int offsetX = 0;
    int offsetY = 0;
    bool outlines = false;
};

// Renders at 96 dpi (15 twips a pixel) on a grey 460 x 320 canvas; the test
// page is 288 x 192 pixels.
QImage render(ReportDocument &doc, const Call &call = {})
{
    QImage image = GreyCanvas(460, 320, 96);
    {
        DeviceContext context(&image);
        RenderPage(doc, context, call.page, call.printView, call.boxes, call.zoom, call.pageBuffer,
            call.imageBuffer, call.offsetX, call.offsetY, call.outlines);
    }
    return image;
}

// A filled rectangle object (style 4, no border) of colour in band.
int addBlock(TestDocument &t, int band, int colour, double left, double top, double width, double height,
    bool fixed = true)
{
    ReportObject &o = t.addObject(band, kControlShape, left, top, width, height, fixed);
    o.Style = kShapeRectangle;
    o.BackColour = colour;
    return t.lastObject;
}

TEST(RenderPage, EmptyPageIsWhiteAndNothingElse)
{
    TestDocument t;
    t.addPage();
    const QImage image = render(t.doc);
    EXPECT_TRUE(PixelIs(image, 0, 0, kWhitePixel));
    EXPECT_TRUE(PixelIs(image, 287, 191, kWhitePixel));
    EXPECT_TRUE(PixelIs(image, 150, 100, kWhitePixel));
    EXPECT_TRUE(PixelIs(image, 295, 100, kCanvasGrey));
    EXPECT_TRUE(PixelIs(image, 100, 200, kCanvasGrey));
    EXPECT_TRUE(RenderIdle);
}

TEST(RenderPage, FixedAndListedObjectsOfAPlacedBandAreDrawnBelowItsTop)
{
    TestDocument t;
    const int band = t.addBand();
    addBlock(t, band, kRed, 150, 0, 300, 150);
    const int listed = addBlock(t, band, kBlue, 1500, 150, 300, 150, false);
    t.addPage();
    t.place(0, band, 1500, { { listed, -1 } });
    const QImage image = render(t.doc);
    EXPECT_TRUE(PixelIs(image, 15, 105, Pixel(kRed))); // (150, 1500 + 0) twips
    EXPECT_TRUE(PixelIs(image, 105, 115, Pixel(kBlue))); // (1500, 1500 + 150)
    EXPECT_TRUE(PixelIs(image, 15, 95, kWhitePixel));
}

TEST(RenderPage, InvisibleBandDrawsNothing)
{
    TestDocument t;
    const int band = t.addBand(false);
    addBlock(t, band, kRed, 0, 0, 1500, 1500);
    const int listed = addBlock(t, band, kBlue, 1500, 0, 1500, 1500, false);
    t.addPage();
    t.place(0, band, 0, { { listed, -1 } });
    const QImage image = render(t.doc);
    EXPECT_TRUE(PixelIs(image, 50, 50, kWhitePixel));
    EXPECT_TRUE(PixelIs(image, 150, 50, kWhitePixel));
}

TEST(RenderPage, PrintableObjectsByView)
{
    struct
    {
        const char *name;
        bool fixed;
        bool printable;
        bool printView;
        bool drawn;
    } rows[] = {
        { "fixed printable, full view", true, true, false, true },
        { "fixed printable, print view", true, true, true, true },
        { "fixed not printable, full view", true, false, false, false },
        { "fixed not printable, print view", true, false, true, false },
        { "listed printable, print view", false, true, true, true },
        { "listed not printable, full view", false, false, false, true },
        { "listed not printable, print view", false, false, true, false },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TestDocument t;
        const int band = t.addBand();
        const int object = addBlock(t, band, kGreen, 0, 0, 1500, 1500, row.fixed);
        t.doc.Objects[object].Printable = row.printable;
        t.addPage();
        t.place(0, band, 0, row.fixed ? QList<PlacedItem> {} : QList<PlacedItem> { { object, -1 } });
        Call call;
        call.printView = row.printView;
        EXPECT_TRUE(PixelIs(render(t.doc, call), 50, 50, row.drawn ? Pixel(kGreen) : kWhitePixel));
    }
}

TEST(RenderPage, ListedTextGetsThePageNumbers)
{
    TestDocument t;
    const int band = t.addBand();
    t.addText(band, QStringLiteral("Pagina [&p] di [&P]"), 0, 0, 3000, 300, false);
    const int text = t.lastObject;
    for (int i = 0; i < 3; ++i) {
        t.addPage();
        t.place(i, band, 0, { { text, -1 } });
    }
    Call call;
    call.page = 1;
    const QImage image = render(t.doc, call);
    EXPECT_EQ(t.doc.Objects[text].Value, QStringLiteral("Pagina 2 di 3"));
    EXPECT_FALSE(InkBox(image, QRect(0, 0, 200, 20)).isEmpty());
}

// A page with two listed framed fields bound to values 0 and 1, and a text.
struct FramedFields
{
    FramedFields()
    {
        const int band = t.addBand();
        for (int i = 0; i < 2; ++i) {
            ReportObject &o = t.addText(band, QString(), 150 + 1500 * i, 150, 1200, 300, false);
            o.ControlType = kControlFramedText;
            o.BackColour = kGreen;
            fields[i] = t.lastObject;
            t.addValue(QStringLiteral("Valore %1").arg(i));
        }
        t.addPage();
        t.place(0, band, 0, { { fields[0], 0 }, { fields[1], 1 } });
        t.addPage();
        t.place(1, band, 0, { { fields[1], 1 } });
    }
    TestDocument t;
    int fields[2];
};

TEST(RenderPage, EditBoxesStandOverFramedFieldsAtFullSize)
{
    FramedFields f;
    FakeEditBoxes boxes(1);
    Call call;
    call.boxes = &boxes;
    const QImage image = render(f.t.doc, call);

    EXPECT_TRUE(PixelIs(image, 20, 15, kWhitePixel)) << "the field is not painted";
    ASSERT_EQ(boxes.upperBound(), 1);
    EXPECT_EQ(boxes.loads, (QList<int> { 1 }));
    EXPECT_EQ(boxes.visibleCount(), 2);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Valore 0"));
    EXPECT_EQ(boxes.boxes[1].text, QStringLiteral("Valore 1"));
    EXPECT_EQ(boxes.boxes[1].left, 1650);
    EXPECT_EQ(boxes.boxes[1].top, 150);
    EXPECT_EQ(boxes.boxes[1].width, 1200);
    EXPECT_EQ(boxes.boxes[1].height, 300);
    EXPECT_EQ(boxes.boxes[1].tag, QStringLiteral("<IndexDato>1</IndexDato>"));
    EXPECT_EQ(boxes.textSetWhileIdle, 0) << "the preview would take the renderer's texts for edits";
    EXPECT_TRUE(RenderIdle);
    EXPECT_TRUE(boxes.busyPointerWhileFilling);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the pointer is restored";

    // The next page uses one box: the other is hidden.
    call.page = 1;
    render(f.t.doc, call);
    EXPECT_TRUE(boxes.boxes[0].visible);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Valore 1"));
    EXPECT_FALSE(boxes.boxes[1].visible);
}

TEST(RenderPage, FramedFieldsArePaintedInPrintViewOrWhenZoomed)
{
    for (const bool printView : { true, false }) {
        SCOPED_TRACE(printView ? "print view" : "zoom 1.5");
        FramedFields f;
        FakeEditBoxes boxes(3);
        for (auto &box : boxes.boxes)
            box.visible = true;
        Call call;
        call.boxes = &boxes;
        call.printView = printView;
        call.zoom = printView ? 1.0 : 1.5;
        const QImage image = render(f.t.doc, call);
        // Right of the text: 1275 x 405 twips, times the zoom.
        const double zoom = call.zoom;
        EXPECT_TRUE(PixelIs(image, int(85 * zoom), int(27 * zoom), Pixel(kGreen), printView ? 0 : 8));
        EXPECT_EQ(boxes.visibleCount(), 0) << "unused boxes are hidden";
        EXPECT_TRUE(boxes.loads.isEmpty());
    }
}

// A page with a blue block at (2880, 1440)-(4320, 2880) twips, the bottom
// right quarter of the page, and a red one at the top left.
struct Quarters
{
    Quarters()
    {
        const int band = t.addBand();
        addBlock(t, band, kRed, 0, 0, 1440, 1440);
        addBlock(t, band, kBlue, 2880, 1440, 1440, 1440);
        t.addPage();
        t.place(0, band, 0);
    }
    TestDocument t;
};

TEST(RenderPage, ZoomStretchesThePageFromItsOrigin)
{
    struct
    {
        double zoom;
        int pageRight; // last white column
    } rows[] = { { 0.5, 143 }, { 1.5, 431 } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.zoom);
        Quarters q;
        Call call;
        call.zoom = row.zoom;
        const QImage image = render(q.t.doc, call);
        const auto at = [&](double px) { return int(px * row.zoom); };
        EXPECT_TRUE(PixelIs(image, at(48), at(48), Pixel(kRed), 8));
        EXPECT_TRUE(PixelIs(image, at(240), at(144), Pixel(kBlue), 8));
        EXPECT_TRUE(PixelIs(image, at(150), at(50), kWhitePixel, 8));
        EXPECT_TRUE(PixelIs(image, row.pageRight + 3, at(50), kCanvasGrey));
        EXPECT_TRUE(PixelIs(image, at(50), at(192) + 3, kCanvasGrey));
    }
}

// Offsets of (720, 300) twips move the red block to pixels 48..143 x 20..115
// and the blue one to 240..335 x 116..211, half of it past the page's edge.
TEST(RenderPage, OffsetsMoveObjectsButNotThePage)
{
    Quarters q;
    Call call;
    call.offsetX = 720;
    call.offsetY = 300;
    const QImage image = render(q.t.doc, call);
    EXPECT_TRUE(PixelIs(image, 45, 50, kWhitePixel));
    EXPECT_TRUE(PixelIs(image, 50, 18, kWhitePixel));
    EXPECT_TRUE(PixelIs(image, 50, 22, Pixel(kRed)));
    EXPECT_TRUE(PixelIs(image, 140, 110, Pixel(kRed)));
    EXPECT_TRUE(PixelIs(image, 150, 50, kWhitePixel));
    EXPECT_TRUE(PixelIs(image, 245, 120, Pixel(kBlue)));
    EXPECT_TRUE(PixelIs(image, 330, 150, Pixel(kBlue))) << "drawn past the page's edge";
    EXPECT_TRUE(PixelIs(image, 330, 100, kCanvasGrey));
}

TEST(RenderPage, PageBufferCutsWhatTheOffsetsPushOffThePage)
{
    Quarters q;
    Call call;
    call.offsetX = 720;
    call.offsetY = 300;
    call.pageBuffer = true;
    const QImage image = render(q.t.doc, call);
    EXPECT_TRUE(PixelIs(image, 50, 22, Pixel(kRed)));
    EXPECT_TRUE(PixelIs(image, 245, 120, Pixel(kBlue)));
    EXPECT_TRUE(PixelIs(image, 287, 150, Pixel(kBlue)));
    EXPECT_TRUE(PixelIs(image, 290, 150, kCanvasGrey));
    EXPECT_TRUE(PixelIs(image, 330, 150, kCanvasGrey));
}

TEST(RenderPage, BufferedDrawingMatchesDirectDrawing)
{
    Quarters q;
    const QImage direct = render(q.t.doc);
    Call call;
    call.pageBuffer = true;
    call.imageBuffer = true;
    const QRect page(0, 0, 288, 192);
    EXPECT_EQ(render(q.t.doc, call).copy(page), direct.copy(page));
}

TEST(RenderPage, ImageBufferDrawsPicturesThroughAFrameSizedBitmap)
{
    TestDocument t;
    QImage picture(8, 8, QImage::Format_BGR888);
    picture.fill(QColor(0, 0, 255));
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    t.doc.Images.append(ImageEntry { QStringLiteral("p"), QString(), picture });
    const int band = t.addBand();
    ReportObject &o = t.addObject(band, kControlPicture, 150, 150, 300, 300);
    o.FitToImage = false;
    o.BackColour = kGreen;
    t.addPage();
    t.place(0, band, 0);
    for (const bool imageBuffer : { false, true }) {
        SCOPED_TRACE(imageBuffer);
        Call call;
        call.imageBuffer = imageBuffer;
        const QImage image = render(t.doc, call);
        EXPECT_TRUE(PixelIs(image, 12, 12, qRgb(0, 0, 255))); // the 8 x 8 picture at (10, 10)
        EXPECT_TRUE(PixelIs(image, 25, 25, Pixel(kGreen))); // the frame's rest
        EXPECT_TRUE(PixelIs(image, 31, 25, kWhitePixel));
    }
}

TEST(RenderPage, OutlinesMarkThePageAndTheMargins)
{
    TestDocument t;
    t.doc.MarginLeft = 720;
    t.doc.MarginTop = 360;
    t.doc.MarginRight = 720;
    t.doc.MarginBottom = 360;
    const int band = t.addBand();
    addBlock(t, band, kGreen, 0, 0, 4320, 2880); // the outlines go over the content
    t.addPage();
    t.place(0, band, 0);
    Call call;
    call.outlines = true;
    const QImage image = render(t.doc, call);
    const QRgb red = Pixel(kRed);
    EXPECT_TRUE(PixelNear(image, 0, 96, red)); // page ellipse, left
    EXPECT_TRUE(PixelNear(image, 144, 0, red)); // page ellipse, top
    EXPECT_TRUE(PixelNear(image, 48, 24, red)); // margin rectangle, corner
    EXPECT_TRUE(PixelNear(image, 239, 167, red)); // margin rectangle, far corner
    EXPECT_TRUE(PixelNear(image, 144, 24, red)); // margin ellipse touches the rectangle
    EXPECT_TRUE(PixelIs(image, 144, 96, Pixel(kGreen)));
    EXPECT_TRUE(PixelIs(image, 10, 10, Pixel(kGreen)));

    call.offsetX = 150;
    call.zoom = 0.5;
    const QImage zoomed = render(t.doc, call);
    EXPECT_TRUE(PixelNear(zoomed, 5, 48, red)); // (0 + 150 twips) x 0.5
    EXPECT_TRUE(PixelNear(zoomed, 29, 12, red));
}

TEST(RenderPage, LeavesTheContextInThePixelMappingWithItsObjects)
{
    Quarters q;
    QImage image = GreyCanvas(300, 200, 96);
    DeviceContext context(&image);
    const GdiPen pen { gdi::kPenSolid, 3, 0x123456 };
    const GdiBrush brush { gdi::kBrushSolid, 0, 0x654321 };
    context.selectPen(pen);
    context.selectBrush(brush);
    RenderPage(q.t.doc, context, 0, false, nullptr, 1.0, false, false, 0, 0, true);
    EXPECT_EQ(context.mapMode(), gdi::kMapText);
    EXPECT_EQ(context.pen(), pen);
    EXPECT_EQ(context.brush(), brush);
}

TEST(RenderPage, BadIndexIsSubscriptOutOfRangeAndTheRendererIsIdleAgain)
{
    struct
    {
        const char *name;
        int page;
        int band;
        int object;
    } rows[] = { { "page", 1, 0, 0 }, { "band", 0, 3, 0 }, { "object", 0, 0, 9 } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TestDocument t;
        const int band = t.addBand();
        addBlock(t, band, kRed, 0, 0, 10, 10);
        t.addPage();
        t.place(0, row.band, 0, { { row.object, -1 } });
        try {
            render(t.doc, Call { row.page });
            ADD_FAILURE() << "no error";
        } catch (const Error &e) {
            EXPECT_EQ(e.number(), Error::kSubscriptOutOfRange);
        }
        EXPECT_TRUE(RenderIdle);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

} // namespace
