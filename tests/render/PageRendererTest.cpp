#include "render/PageRenderer.h"
#include "TestDocument.h"
#include "render/DatePicture.h"
#include "render/ObjectDrawing.h"
#include "render/Placeholders.h"
#include "support/PixelProbe.h"
#include "support/TemplateText.h"
#include "template/ImageList.h"
#include "xml/ElementReader.h"

#include <QBuffer>
#include <QCursor>
#include <QGuiApplication>
#include <QLocale>
#include <QPicture>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;
using zet::test::errorText;

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
        boxes[i]["at"] = u"%1,%2,%3,%4"_s.arg(l).arg(t).arg(w).arg(h);
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

// Report colours (red in the low byte) and the pixels of the paper, the grey canvas and the figures.
constexpr int kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kYellow = 0x00FFFF, kWhite = 0xFFFFFF,
              kBlack = 0;
const QRgb kPaper = qRgb(255, 255, 255), kGrey = kCanvasGrey, kLine = pixel(kRed), kFill = pixel(kGreen),
           kInk = pixel(kBlack);

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
            { { 35, 85, drawn ? pixel(kGreen) : kPaper }, { 35, 55, kPaper }, { 5, 85, kPaper } });
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
        t.addValue(u"caricato"_s);
        editValue(t.doc, i, u"Valore %1"_s.arg(i)); // the current value is shown
    }
    ReportObject &second = t.doc.objects[1];
    second.left = 1650.5, second.topInBand = 150.5, second.width = 1200.5;
    second.alignment = TextAlignment::Justified, second.textColour = kRed;
    t.addText(band, u"[&p]/[&P]"_s, 150, 600, 3000, 300, false);
    t.place(t.addPage(), band, 0, { { 0, 0 }, { 1, 1 }, { 2, -1 } });
    t.place(t.addPage(), band, 0, { { 1, 1 }, { 2, -1 } });

    FakeEditBoxes boxes(1);
    boxes.boxes[0]["tag"] = u"<Altro>x</Altro><IndexDato>99</IndexDato>"_s;
    EXPECT_TRUE(boxes.idle()) << "before the first render";
    expectProbes(
        render(t.doc, { .editBoxes = &boxes, .offsetX = 30 }), { { 20, 15, kPaper } }); // not painted
    EXPECT_EQ(boxes.loads, QList<int> { 1 }) << "box 0, then a new one";
    // Moved by the offset, justified shown left-aligned.
    EXPECT_EQ(QStringList({ boxes.box(0), boxes.box(1) }),
        QStringList({ "align=0 at=180,150,1200,300 back=ff00 font=Arial fore=0 front=+ "
                      "tag=<Altro>x</Altro><IndexDato>0</IndexDato> text=Valore 0 visible=1",
            "align=0 at=1680,150,1200,300 back=ff00 font=Arial fore=ff front=+ tag=<IndexDato>1</IndexDato> "
            "text=Valore 1 visible=1" }));
    EXPECT_EQ(t.doc.objects[2].value, u"1/2"_s);
    EXPECT_TRUE(boxes.idle() && QGuiApplication::overrideCursor() == nullptr);

    // The next page uses one box and hides the other.
    render(t.doc, { .editBoxes = &boxes }, 1);
    EXPECT_EQ(std::tuple(boxes.visibleCount(), boxes.boxes[0]["text"], t.doc.objects[2].value),
        std::tuple(1, u"Valore 1"_s, u"2/2"_s));
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
    t.doc.images.append(ImageEntry { u"p"_s, QString(), picture });
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
        return std::vector<Probe> { { 45, 50, kPaper }, { 50, 18, kPaper }, { 50, 22, yellow },
            { 287, 150, blue }, { 330, 150, cut ? kGrey : blue } };
    };
    const std::tuple<const char *, RenderOptions, std::vector<Probe>> rows[] = {
        { "100 %", {},
            { { 10, 10, yellow }, { 250, 150, blue }, { 202, 12, qRgb(0, 255, 255) },
                { 215, 25, pixel(kGreen) }, { 290, 100, kGrey } } },
        { "zoom 1.5: the page is 432 x 288 pixels", { .zoom = 1.5 },
            { { 72, 72, yellow, 8 }, { 360, 216, blue, 8 }, { 430, 75, kPaper, 8 }, { 434, 75, kGrey },
                { 75, 291, kGrey } } },
        { "offsets", { .offsetX = 720, .offsetY = 300 }, offset(false) },
        { "offsets, page buffer", { .pageBuffer = true, .offsetX = 720, .offsetY = 300 }, offset(true) },
        // Red over the content: the page ellipse, left and top; the margin
        // rectangle's corners, one touched by the margin ellipse.
        { "outlines", { .outlines = true },
            { near(0, 96, red), near(144, 0, red), near(144, 24, red), near(239, 167, red),
                { 144, 96, kPaper } } },
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
    const std::string outOfRange = "9: Subscript out of range: ";
    const std::pair<void (*)(D, O), std::string> rows[] = {
        { [](D d, O) { d.pages.clear(); }, outOfRange + "Pages(0) with 0 entries" },
        { [](D d, O) { d.pages[0].placedBands[0].bandIndex = 3; }, outOfRange + "Bands(3) with 1 entries" },
        { [](D d, O o) { d.objects[2].imageIndex = 1, o.imageBuffer = true; },
            outOfRange + "Images(1) with 1 entries nell'oggetto n. 3" },
        { [](D d, O) {
             d.objects[0].controlType = ControlType::Text, d.pages[0].placedBands[0].items = { { 0, 5 } };
         },
            outOfRange + "Values(5) with 0 entries nell'oggetto n. 1" },
        { [](D, O o) { o.zoom = 0; }, "no error" },
        { [](D d, O) { d.pageHeight = NAN; },
            "6: Overflow: il disegno starebbe oltre ±1073741824 twip (Altezza = nan)" },
        { [](D, O o) { o.zoom = 1e9; }, "6: Overflow: il disegno starebbe oltre i 32 bit (zoom = 1e+09)" },
    };
    for (const auto &[damage, expected] : rows) {
        TestDocument t = quarters();
        FakeEditBoxes boxes(1);
        RenderOptions options { .editBoxes = &boxes, .pageBuffer = true };
        damage(t.doc, options);
        EXPECT_EQ(errorText([&] { render(t.doc, options); }), expected);
        EXPECT_TRUE(boxes.idle() && QGuiApplication::overrideCursor() == nullptr);
    }
    // A picture object without a usable picture draws nothing at all, not even
    // the white bitmap of the picture buffer: moved off the page, it would show on the grey.
    // Each picture type, with no image or an empty one, with or without the picture buffer.
    for (int n = 0; n < 8; ++n) {
        TestDocument t = quarters();
        t.doc.images = n & 2 ? QList<ImageEntry> { { "p", {}, QImage() } } : QList<ImageEntry> {};
        t.doc.objects[2].controlType = n & 1 ? ControlType::StretchedPicture : ControlType::Picture;
        t.doc.objects[2].border = true;
        expectProbes(render(t.doc, { .imageBuffer = (n & 4) != 0, .offsetX = 1440 }),
            { { 296, 10, kGrey }, { 305, 20, kGrey } });
    }
}

// Sunday 4 January 2026, 09:05:07.
const QDateTime kSunday(QDate(2026, 1, 4), QTime(9, 5, 7));

// The text an object listed on each of seven pages shows on page 2 (0-based).
QString resolved(const QString &text)
{
    TestDocument t;
    t.addText(t.addBand(), text, 0, 0, 1440, 300, false);
    for (int i = 0; i < 7; ++i)
        t.place(t.addPage(), 0, 0, { { 0, -1 } });
    resolveObjectText(t.doc, 0, 0, 0, 0, kSunday); // each page starts again from the template text
    resolveObjectText(t.doc, 2, 0, 0, 0, kSunday);
    return t.doc.objects[0].value;
}

TEST(ResolveObjectText, PlaceholdersOnTheThirdOfSevenPagesInItalian)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const std::pair<const char *, const char *> rows[] = { { "Pagina [&p] di [&P] [&p]", "Pagina 3 di 7 3" },
        { "[&p ]", "[&p ]" }, { "Il [&d   ]", "Il 04/01/2026" }, { "[&d  mmmm yyyy ]", "Gennaio 2026" },
        { "[&ddddd d mmmm]", "Domenica 4 Gennaio" }, { "[&dddd dd mmm yy]", "Dom 04 Gen 26" },
        { "[&dDD-MM-YYYY]", "04-01-2026" }, { "[&dhh:nn:ss h:m]", "09:05:07 9:5" }, // m after h is the minute
        { "[&dw ww q y]", "1 2 1 4" }, { "[&d\"oggi\" d]", "Oggi 4" }, { "[&p] - [&dd]", "3 - 4" },
        // Runs longer than one code are read as several codes, left to right.
        { "[&dyyyyyy]", "202626" }, { "[&ddddddddd]", "Domenica 4 Gennaio 202604" } };
    for (const auto &[text, expected] : rows)
        EXPECT_EQ(resolved(QString::fromUtf8(text)), QString::fromUtf8(expected)) << text;
    QLocale::setDefault(QLocale::c());
}

// The date loop as it is defined: take the first token, replace every copy of it, start again.
QString filledPassByPass(QString value)
{
    for (qsizetype start, close;
         (start = value.indexOf("[&d")) >= 0 && (close = value.indexOf(u']', start + 3)) >= 0;) {
        const QString token = value.mid(start, close - start + 1);
        const QString picture = trimSpaces(QString(token).remove("[&d").remove(u']'));
        value.replace(token,
            properCase(formatDatePicture(kSunday, picture.isEmpty() ? "dd/mm/yyyy" : picture, QLocale::c())));
    }
    return value;
}

// Texts of tokens, tails of tokens and pictures that write "[&d" or "]" come
// out as the defining loop leaves them.
TEST(ReplaceDatePlaceholders, FillsAsTheDefiningLoopDoes)
{
    const QStringList pieces = { "[&d", "]", "d", "y", " ", "x", "[", "&", "\\", "\"", "[&dd]", "[&d]",
        "[&d\\[&\\d]", "[&d\"&d\"]", "[&d[]" };
    QRandomGenerator random(20261206);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        for (int n = random.bounded(30); n > 0; --n)
            text += pieces[random.bounded(int(pieces.size()))];
        ASSERT_EQ(replaceDatePlaceholders(text, kSunday), filledPassByPass(text)) << text.toStdString();
    }
}

// A grey canvas of width x height pixels at dpi after draw(canvas) in twips.
template <typename Draw> QImage drawnOn(int width, int height, int dpi, Draw &&draw)
{
    TwipsCanvas canvas(width, height, dpi);
    draw(canvas.api);
    return canvas.image();
}

// Red border, green back, black 10-point Arial text.
ReportObject object(ControlType type, bool border, bool transparent)
{
    ReportObject o;
    o.controlType = type, o.border = border, o.transparentBack = transparent;
    o.borderColour = kRed, o.backColour = kGreen, o.textColour = kBlack;
    o.font = ReportFont { .name = u"Arial"_s, .size = 10 };
    return o;
}

// At 1440 dpi, one pixel per twip, in the frame (100, 100)-(300, 205): the
// middle row is 152 (truncated), the middle column 200.
TEST(DrawShape, EachStylePaintsExactlyItsFigure)
{
    using enum ShapeStyle;
    const std::tuple<const char *, ShapeStyle, bool, bool, std::vector<Probe>> rows[] = {
        { "horizontal line, even without border", HorizontalLine, false, false,
            { { 200, 152, kLine }, { 200, 151, kGrey }, { 200, 153, kGrey } } },
        { "vertical line", VerticalLine, false, true, { { 200, 150, kLine }, { 199, 150, kGrey } } },
        { "rising diagonal", RisingDiagonal, true, false, { near(200, 152, kLine), { 120, 120, kGrey } } },
        { "falling diagonal", FallingDiagonal, true, false, { near(200, 152, kLine), { 280, 120, kGrey } } },
        { "filled rectangle", Rectangle, true, false,
            { { 100, 150, kLine }, { 299, 150, kLine }, { 200, 204, kLine }, { 200, 150, kFill },
                { 300, 150, kGrey } } },
        { "filled ellipse", Ellipse, true, false,
            { near(100, 152, kLine), { 200, 152, kFill }, { 105, 105, kGrey } } },
        { "unknown style", ShapeStyle(6), true, false, { { 100, 150, kGrey }, { 200, 152, kGrey } } },
    };
    for (const auto &[name, style, border, transparent, probes] : rows) {
        SCOPED_TRACE(name);
        ReportObject shape = object(ControlType::Shape, border, transparent);
        shape.style = style;
        const auto draw = [&](Canvas &c) { drawShape(c, shape, { 100, 100, 300, 205 }); };
        expectProbes(drawnOn(400, 250, 1440, draw), probes);
    }
}

// Text (or another type) at 96 dpi on white: the frame (1500, 1500, 5985,
// 1815) covers pixels 100..398 across and 100..120 down.
const QRect kTextFramePixels(100, 100, 299, 21);

QImage drawnText(const QString &text, TextAlignment alignment, bool border = false, bool transparent = false,
    int right = 5985, ControlType type = ControlType::Text)
{
    ReportObject o = object(type, border, transparent);
    o.value = text, o.alignment = alignment, o.backColour = kWhite;
    return drawnOn(450, 200, 96, [&](Canvas &c) { drawObject({}, c, o, { 1500, 1500, right, 1815 }); });
}

QRect ink(const QString &text, TextAlignment alignment, int right = 5985)
{
    return inkBox(drawnText(text, alignment, false, false, right), kTextFramePixels);
}

TEST(DrawTextObject, AlignmentPlacesTheInkInTheFrame)
{
    const QRect left = ink(u"Ciao"_s, TextAlignment::Left);
    EXPECT_NEAR(left.left(), 101, 2);
    EXPECT_NEAR(left.top(), 102, 2);
    EXPECT_NEAR(ink(u"Ciao"_s, TextAlignment::Right).right(), 397, 2);
    const QRect centre = ink(u"Ciao"_s, TextAlignment::Centre);
    EXPECT_NEAR((centre.left() + centre.right()) / 2.0, 249, 2);
    // Justified: from the left edge to two twips before the right one; eight W
    // in 40 pixels (overlapping by far more than 10 twips a gap) are left-aligned.
    const QRect two = ink(u"AB"_s, TextAlignment::Justified);
    EXPECT_TRUE(std::abs(two.left() - 100) <= 2 && std::abs(two.right() - 397) <= 2)
        << two.left() << two.right();
    const QString wide(8, u'W');
    EXPECT_EQ(ink(wide, TextAlignment::Justified, 2100), ink(wide, TextAlignment::Left, 2100));
}

// Justified characters never pile up: with more gaps than the frame has twips
// the text is left-aligned, and only characters that start in the frame and
// can reach the device are drawn. A huge text is then a few drawing commands
// (recorded here), not one per character.
TEST(DrawTextObject, AHugeJustifiedTextDrawsOnlyWhatCanShow)
{
    const std::tuple<const char *, QString, double, int> rows[] = { // text, font size, frame width (twips)
        { "more gaps than twips", QString(20000, u'l'), 0.5, 3000 },
        { "spread far beyond the device", QString(3000, u'x'), 8, 1000000 }
    };
    for (const auto &[name, text, size, width] : rows) {
        ReportObject o = object(ControlType::Text, false, true);
        o.value = text, o.alignment = TextAlignment::Justified, o.font->size = size;
        QPicture recording;
        recording.setBoundingRect(QRect(0, 0, 300, 100));
        {
            DeviceContext context(&recording);
            Canvas canvas;
            canvas.attach(&context);
            canvas.setMapMode(MapMode::Twips);
            drawObject({}, canvas, o, { 0, 0, width, 1500 });
        }
        EXPECT_LT(recording.size(), 40000) << name << ": bytes of drawing commands";
    }
}

TEST(DrawObject, TextFlagsFramedTextAndUnknownCodes)
{
    const QString text = u"Ciao"_s;
    const QImage clipped = drawnText(QString(20, u'M'), TextAlignment::Left, false, true, 2250);
    EXPECT_TRUE(inkBox(clipped, QRect(150, 90, 300, 40)).isEmpty()) << "clipped to the frame";
    expectProbes(drawnText(text, TextAlignment::Left, false, true), { { 300, 110, kGrey } }); // transparent
    // A black border whatever the border colour; an unknown alignment draws no text.
    const QImage unknownAlignment = drawnText(text, TextAlignment(7), true, false);
    expectProbes(unknownAlignment, { { 100, 110, kInk }, { 150, 110, kPaper } });
    EXPECT_TRUE(inkBox(unknownAlignment, QRect(102, 102, 290, 17)).isEmpty());
    // Framed text: filled, no border even when asked for, inset by 45 twips.
    const QImage framed = drawnText(text, TextAlignment::Left, true, true, 5985, ControlType::FramedText);
    expectProbes(framed, { { 100, 110, kPaper }, { 150, 100, kPaper } });
    const QRect ink = inkBox(framed, kTextFramePixels);
    EXPECT_TRUE(ink.left() >= 103 && ink.left() <= 105 && ink.top() >= 104) << ink.left() << " " << ink.top();
    expectProbes(
        drawnText(text, TextAlignment::Left, true, false, 5985, ControlType(7)), { { 100, 110, kGrey } });
}

// 20 x 10 pixels, the left half red, the right half blue, stating a
// resolution; with a format, written to a file and read back as a template's
// image list reads it.
QImage storedHalves(int dotsPerMetre, const char *format = nullptr)
{
    const QImage picture = halves(20, 10, dotsPerMetre);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return format && picture.save(&buffer, format) ? pictureFromImageBytes(QString::fromLatin1(bytes))
                                                   : picture;
}

// At 1440 dpi, one pixel per twip: one picture pixel is 15 twips whatever
// resolution the file or the surface states, so the picture is 300 x 150.
TEST(DrawPicture, OwnSizeCutOrStretchedWithOrWithoutBorder)
{
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    const QImage at96 = storedHalves(3780);
    const std::vector<Probe> ownSize { { 175, 200, red, 24 }, { 325, 200, blue, 24 }, { 399, 249, blue, 24 },
        { 400, 200, kGrey }, { 300, 250, kGrey } };
    const QRect small(100, 100, 50, 50), large(100, 100, 400, 200);
    using enum ControlType;
    const std::tuple<const char *, QImage, ControlType, bool, bool, QRect, std::vector<Probe>> rows[] = {
        { "own size, BMP file stating 300 dpi", storedHalves(11811, "BMP"), Picture, true, false, small,
            ownSize },
        { "own size, surface stating 300 dpi", storedHalves(11811), Picture, true, false, small, ownSize },
        { "own size in a black border two twips larger", at96, Picture, true, true, small,
            { { 100, 200, kInk }, { 401, 200, kInk }, { 200, 251, kInk }, { 101, 101, red },
                { 402, 200, kGrey } } },
        { "cut at a smaller frame", at96, Picture, false, false, QRect(100, 100, 150, 100),
            { { 249, 150, red }, { 250, 150, kGrey }, { 150, 200, kGrey } } },
        { "cut in a border, inset by one twip", at96, Picture, false, true, large,
            { { 100, 150, kInk }, { 499, 150, kInk }, { 101, 101, red }, { 450, 150, kFill } } },
        { "stretched over the frame", at96, StretchedPicture, true, false, large,
            { { 280, 290, red, 8 }, { 320, 110, blue, 8 }, { 495, 295, blue, 8 }, { 505, 200, kGrey } } },
        { "stretched in a border", at96, StretchedPicture, true, true, large,
            { { 100, 200, kInk }, { 499, 200, kInk }, { 105, 200, red, 8 }, { 494, 200, blue, 8 } } },
        { "not stretched: cut without background", at96, StretchedPicture, false, false, large,
            { { 380, 200, blue }, { 450, 200, kGrey }, { 200, 280, kGrey } } },
    };
    for (const auto &[name, picture, type, fit, border, frame, probes] : rows) {
        SCOPED_TRACE(name);
        ReportObject o = object(type, border, false);
        o.fitToImage = o.fitToControl = fit;
        const ObjectFrame edges { frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1 };
        const QList<ImageEntry> images { { {}, {}, picture } };
        expectProbes(drawnOn(600, 400, 1440, [&](Canvas &c) { drawObject(images, c, o, edges); }), probes);
    }
}

} // namespace
