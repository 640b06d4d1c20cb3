#include "render/PageRenderer.h"
#include "TestDocument.h"
#include "support/PixelProbe.h"
#include "zetview/Error.h"

#include <QCursor>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

// Records what the renderer sets on each box as "key=value" words, and the order of loads.
struct FakeEditBoxes : EditBoxes
{
    explicit FakeEditBoxes(int count)
        : boxes(count)
    { }
    int upperBound() const override { return int(boxes.size()) - 1; }
    void load(int i) override { loads.append(i), boxes.resize(i + 1); }
    void setVisible(int i, bool visible) override { boxes[i]["visible"] = QString::number(visible); }
    void setFont(int i, const ReportFont *font) override { boxes[i]["font"] = font ? font->name : "?"; }
    void setAlignment(int i, TextAlignment a) override { boxes[i]["align"] = QString::number(int(a)); }
    void setForeColor(int i, int colour) override { boxes[i]["fore"] = QString::number(colour, 16); }
    void setBackColor(int i, int colour) override { boxes[i]["back"] = QString::number(colour, 16); }
    void setGeometry(int i, int l, int t, int w, int h) override
    {
        boxes[i]["at"] = QStringLiteral("%1,%2,%3,%4").arg(l).arg(t).arg(w).arg(h);
    }
    // While the renderer fills the boxes they are not idle (the preview would
    // take the texts for the user's edits) and the pointer is busy.
    void setText(int i, const QString &text) override
    {
        boxes[i]["text"] = text;
        const QCursor *cursor = QGuiApplication::overrideCursor();
        EXPECT_TRUE(!idle() && cursor != nullptr && cursor->shape() == Qt::BusyCursor);
    }
    QString tag(int i) const override { return boxes[i].value("tag"); }
    void setTag(int i, const QString &tag) override { boxes[i]["tag"] = tag; }
    void bringToFront(int i) override { boxes[i]["front"] += '+'; }

    QString box(int i) const
    {
        QStringList words;
        for (auto it = boxes[i].begin(); it != boxes[i].end(); ++it)
            words << it.key() + '=' + it.value();
        return words.join(' ');
    }
    int visibleCount() const
    {
        return int(std::ranges::count_if(boxes, [](const auto &b) { return b.value("visible") == "1"; }));
    }

    QList<QMap<QString, QString>> boxes;
    QList<int> loads;
};

constexpr int kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kYellow = 0x00FFFF;
const QRgb kWhite = qRgb(255, 255, 255), kGrey = kCanvasGrey;

// At 96 dpi (15 twips a pixel) on a grey 460 x 320 canvas the test page is
// 288 x 192 pixels. The context must be left as it was given.
QImage render(ReportDocument &doc, const RenderOptions &options = {}, int page = 0)
{
    QImage image = greyCanvas(460, 320, 96);
    DeviceContext context(&image);
    const GdiPen pen { gdi::kPenSolid, 3, 0x123456 };
    const GdiBrush brush { gdi::kBrushSolid, 0x654321 };
    context.selectPen(pen), context.selectBrush(brush);
    renderPage(doc, context, page, options);
    EXPECT_TRUE(context.mapMode() == MapMode::Pixels && context.pen() == pen && context.brush() == brush);
    context.endPainting();
    return image;
}

// A filled rectangle without border.
int addBlock(TestDocument &t, int band, int colour, double left, double top, double width, double height,
    bool fixed = true)
{
    ReportObject &o = t.addObject(band, ControlType::Shape, left, top, width, height, fixed);
    o.style = ShapeStyle::Rectangle, o.backColour = colour;
    return t.lastObject;
}

// A band placed at 750 twips with one green object at (150, 150) in it, 750
// twips square: pixels 10..59 across, 60..109 down.
TEST(RenderPage, ObjectsOfVisibleBandsBelowTheBandTopOnAWhitePageByViewAndPrintable)
{
    const std::tuple<const char *, bool, bool, RenderView, bool, bool> rows[] = {
        // name, fixed, printable, view, band visible, drawn
        { "fixed printable, full view", true, true, RenderView::Full, true, true },
        { "fixed not printable, full view", true, false, RenderView::Full, true, false },
        { "listed printable, print view", false, true, RenderView::Print, true, true },
        { "listed not printable, full view", false, false, RenderView::Full, true, true },
        { "listed not printable, print view", false, false, RenderView::Print, true, false },
        { "band not visible", true, true, RenderView::Full, false, false },
    };
    for (const auto &[name, fixed, printable, view, bandVisible, drawn] : rows) {
        SCOPED_TRACE(name);
        TestDocument t;
        const int band = t.addBand(bandVisible);
        const int object = addBlock(t, band, kGreen, 150, 150, 750, 750, fixed);
        t.doc.objects[object].printable = printable;
        t.place(t.addPage(), band, 750, fixed ? QList<PlacedItem> {} : QList<PlacedItem> { { object, -1 } });
        expectProbes(render(t.doc, { .view = view }),
            { { 35, 85, drawn ? pixel(kGreen) : kWhite }, { 35, 55, kWhite }, { 5, 85, kWhite } });
    }
}

// Two listed green framed fields bound to values 0 and 1 on page 0, the second
// alone on page 1, and a listed page number text on both. The second field is
// justified in red at (1650.5, 150.5), 1200.5 twips wide: its frame rounds the
// edges half to even, the right one from the rounded left, to (1650, 150)-(2850, 450).
TEST(RenderPage, EditBoxesStandOverFramedFieldsAtFullSizeAndTextsGetThePageNumbers)
{
    TestDocument t;
    const int band = t.addBand();
    for (int i = 0; i < 2; ++i) {
        t.addText(band, QString(), 150, 150, 1200, 300, false).controlType = ControlType::FramedText;
        t.doc.objects[i].backColour = kGreen;
        t.addValue(QStringLiteral("Valore %1").arg(i));
        t.doc.values[i].loadedValue = QStringLiteral("caricato"); // the current value is shown
    }
    ReportObject &second = t.doc.objects[1];
    second.left = 1650.5, second.topInBand = 150.5, second.width = 1200.5;
    second.alignment = TextAlignment::Justified, second.textColour = kRed;
    t.addText(band, QStringLiteral("[&p]/[&P]"), 150, 600, 3000, 300, false);
    t.place(t.addPage(), band, 0, { { 0, 0 }, { 1, 1 }, { 2, -1 } });
    t.place(t.addPage(), band, 0, { { 1, 1 }, { 2, -1 } });

    FakeEditBoxes boxes(1);
    boxes.boxes[0]["tag"] = QStringLiteral("<Altro>x</Altro><IndexDato>99</IndexDato>");
    EXPECT_TRUE(boxes.idle()) << "before the first render";
    expectProbes(
        render(t.doc, { .editBoxes = &boxes, .offsetX = 30 }), { { 20, 15, kWhite } }); // not painted
    EXPECT_EQ(boxes.loads, QList<int> { 1 }) << "box 0, then a new one";
    // Moved by the offset, justified shown left-aligned.
    EXPECT_EQ(QStringList({ boxes.box(0), boxes.box(1) }),
        QStringList({ "align=0 at=180,150,1200,300 back=ff00 font=Arial fore=0 front=+ "
                      "tag=<Altro>x</Altro><IndexDato>0</IndexDato> text=Valore 0 visible=1",
            "align=0 at=1680,150,1200,300 back=ff00 font=Arial fore=ff front=+ tag=<IndexDato>1</IndexDato> "
            "text=Valore 1 visible=1" }));
    EXPECT_EQ(t.doc.objects[2].value, QStringLiteral("1/2"));
    EXPECT_TRUE(boxes.idle() && QGuiApplication::overrideCursor() == nullptr);

    // The next page uses one box and hides the other.
    render(t.doc, { .editBoxes = &boxes }, 1);
    EXPECT_EQ(std::tuple(boxes.visibleCount(), boxes.boxes[0]["text"], t.doc.objects[2].value),
        std::tuple(1, QStringLiteral("Valore 1"), QStringLiteral("2/2")));
    // In print view or zoomed the fields are painted (right of their text,
    // 1275 x 405 twips times the zoom) and every box is hidden.
    for (const auto &[view, zoom] : { std::pair { RenderView::Print, 1.0 }, { RenderView::Full, 1.5 } }) {
        expectProbes(render(t.doc, { .view = view, .editBoxes = &boxes, .zoom = zoom }),
            { { int(85 * zoom), int(27 * zoom), pixel(kGreen), 8 } });
        EXPECT_EQ(boxes.visibleCount(), 0);
    }
}

// A yellow block on the top left inch, a blue one on the bottom right quarter,
// a 300-twip green picture frame at (3000, 150) holding a cyan picture of 8 x 8
// pixels; margins of 720 twips left and right, 360 top and bottom.
TestDocument quarters()
{
    TestDocument t;
    t.doc.marginLeft = t.doc.marginRight = 720;
    t.doc.marginTop = t.doc.marginBottom = 360;
    addBlock(t, t.addBand(), kYellow, 0, 0, 1440, 1440);
    addBlock(t, 0, kBlue, 2880, 1440, 1440, 1440);
    QImage picture(8, 8, QImage::Format_BGR888);
    picture.fill(QColor(0, 255, 255));
    t.doc.images.append(ImageEntry { QStringLiteral("p"), QString(), picture });
    t.addObject(0, ControlType::Picture, 3000, 150, 300, 300).backColour = kGreen;
    t.place(t.addPage(), 0, 0);
    return t;
}

TEST(RenderPage, ZoomOffsetsBuffersAndOutlines)
{
    const QRgb yellow = pixel(kYellow), blue = pixel(kBlue), red = pixel(kRed);
    // Offsets of (720, 300) twips move the yellow block to pixels 48..143 x
    // 20..115 and the blue one to 240..335 x 116..211, past the page's edge,
    // where the page buffer cuts it.
    const auto offset = [&](bool cut) {
        return std::vector<Probe> { { 45, 50, kWhite }, { 50, 18, kWhite }, { 50, 22, yellow },
            { 287, 150, blue }, { 330, 150, cut ? kGrey : blue } };
    };
    const std::tuple<const char *, RenderOptions, std::vector<Probe>> rows[] = {
        { "100 %", {},
            { { 10, 10, yellow }, { 250, 150, blue }, { 202, 12, qRgb(0, 255, 255) },
                { 215, 25, pixel(kGreen) }, { 290, 100, kGrey } } },
        { "zoom 1.5: the page is 432 x 288 pixels", { .zoom = 1.5 },
            { { 72, 72, yellow, 8 }, { 360, 216, blue, 8 }, { 430, 75, kWhite, 8 }, { 434, 75, kGrey },
                { 75, 291, kGrey } } },
        { "offsets", { .offsetX = 720, .offsetY = 300 }, offset(false) },
        { "offsets, page buffer", { .pageBuffer = true, .offsetX = 720, .offsetY = 300 }, offset(true) },
        // Red over the content: the page ellipse, left and top; the margin
        // rectangle's corners, one touched by the margin ellipse.
        { "outlines", { .outlines = true },
            { near(0, 96, red), near(144, 0, red), near(144, 24, red), near(239, 167, red),
                { 144, 96, kWhite } } },
    };
    for (const auto &[name, options, probes] : rows) {
        SCOPED_TRACE(name);
        TestDocument t = quarters();
        expectProbes(render(t.doc, options), probes);
    }
    TestDocument t = quarters();
    const QRect page(0, 0, 288, 192);
    EXPECT_EQ(render(t.doc, { .pageBuffer = true, .imageBuffer = true }).copy(page), render(t.doc).copy(page))
        << "buffered drawing matches direct drawing";
}

// Error 9 naming the list for a bad index, error 6 or a page for an absurd
// value; the boxes are idle again, the pointer restored, the page bitmap
// outlives the contexts on it while the error unwinds (under the sanitizers).
TEST(RenderPage, BadDocumentsEndInAPageOrARunTimeError)
{
    using D = ReportDocument &;
    using O = RenderOptions &;
    const auto outcome = [](auto damage) {
        TestDocument t = quarters();
        FakeEditBoxes boxes(1);
        RenderOptions options { .editBoxes = &boxes, .pageBuffer = true };
        damage(t.doc, options);
        std::string result = "no error";
        try {
            render(t.doc, options);
        } catch (const Error &e) {
            result = std::to_string(e.number()) + ": " + e.message().toStdString();
        }
        EXPECT_TRUE(boxes.idle() && QGuiApplication::overrideCursor() == nullptr);
        return result;
    };
    const std::string outOfRange = "9: Subscript out of range: ";
    EXPECT_EQ(outcome([](D d, O) { d.pages.clear(); }), outOfRange + "Pages(0) with 0 entries");
    EXPECT_EQ(outcome([](D d, O) { d.pages[0].placedBands[0].bandIndex = 3; }),
        outOfRange + "Bands(3) with 1 entries");
    EXPECT_EQ(outcome([](D d, O o) { d.objects[2].imageIndex = 1, o.imageBuffer = true; }),
        outOfRange + "Images(1) with 1 entries nell'oggetto n. 3");
    EXPECT_EQ(outcome([](D d, O) {
        d.objects[0].controlType = ControlType::Text, d.pages[0].placedBands[0].items = { { 0, 5 } };
    }),
        outOfRange + "Values(5) with 0 entries nell'oggetto n. 1");
    EXPECT_EQ(outcome([](D, O o) { o.zoom = 0; }), "no error");
    EXPECT_EQ(outcome([](D d, O) { d.pageHeight = NAN; }),
        "6: Overflow: il disegno starebbe oltre ±1073741824 twip (Altezza = nan)");
    EXPECT_EQ(outcome([](D, O o) { o.zoom = 1e9; }),
        "6: Overflow: il disegno starebbe oltre i 32 bit (zoom = 1e+09)");
    // A picture object without a usable picture draws nothing at all, not even
    // the white bitmap of the picture buffer: moved off the page, it would show on the grey.
    for (const ControlType type : { ControlType::Picture, ControlType::StretchedPicture }) {
        for (const QList<ImageEntry> &images : { QList<ImageEntry> {}, { { "p", {}, QImage() } } }) {
            for (const bool buffered : { false, true }) {
                TestDocument t = quarters();
                t.doc.images = images;
                t.doc.objects[2].controlType = type, t.doc.objects[2].border = true;
                expectProbes(render(t.doc, { .imageBuffer = buffered, .offsetX = 1440 }),
                    { { 296, 10, kGrey }, { 305, 20, kGrey } });
            }
        }
    }
}

} // namespace
