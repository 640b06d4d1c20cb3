#include "render/Placeholders.h"
#include "FakeEditBoxes.h"
#include "TestDocument.h"
#include "render/DatePicture.h"

#include <QLocale>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

// Sunday 4 January 2026, 09:05:07.
const QDateTime kSunday(QDate(2026, 1, 4), QTime(9, 5, 7));

// A report of pageCount pages, each with one placed band listing one text
// object (bound to valueIndex, or to none).
struct OneItemReport
{
    explicit OneItemReport(const QString &text, int pageCount = 1, int valueIndex = -1)
    {
        const int band = t.addBand();
        t.addText(band, text, 0, 0, 1440, 300, false);
        for (int i = 0; i < pageCount; ++i)
            t.place(t.addPage(), band, 0, { { t.lastObject, valueIndex } });
    }
    QString resolve(int page = 0)
    {
        resolveObjectText(t.doc, page, 0, 0, t.lastObject, kSunday);
        return t.doc.objects[t.lastObject].value;
    }
    TestDocument t;
};

TEST(ResolveObjectText, PlaceholdersOnTheThirdOfSevenPagesInItalian)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const struct
    {
        const char *text;
        const char *expected;
    } rows[] = {
        { "Pagina [&p] di [&P]", "Pagina 3 di 7" },
        { "[&p][&P][&p]", "373" },
        { "[&p ]", "[&p ]" },
        { "[[&p]]", "[3]" },
        { "[&d]", "04/01/2026" },
        { "Il [&d   ]", "Il 04/01/2026" },
        { "[&d  mmmm yyyy ]", "Gennaio 2026" },
        { "[&ddddd d mmmm]", "Domenica 4 Gennaio" },
        { "[&dddd dd mmm yy]", "Dom 04 Gen 26" },
        { "[&dhh:nn:ss]", "09:05:07" },
        { "[&dh:m]", "9:5" }, // m after h is the minute
        { "[&dw ww q y]", "1 2 1 4" },
        { "[&dDD-MM-YYYY]", "04-01-2026" },
        { "[&d\"oggi\" d]", "Oggi 4" },
        { "[&dyyyy] e [&dyyyy]", "2026 e 2026" },
        { "[&dyyyy]/[&dmm]", "2026/01" },
        { "[&p] - [&dd]", "3 - 4" },
        // Without a closing bracket a date token stays as it is.
        { "Data: [&ddd/mm", "Data: [&ddd/mm" },
        { "[&dyyyy] [&dmm", "2026 [&dmm" },
        { "] [&dyyyy] d", "] 2026 d" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        OneItemReport report(QString::fromUtf8(row.text), 7);
        report.resolve(0); // each page starts again from the template text
        EXPECT_EQ(report.resolve(2), QString::fromUtf8(row.expected));
        EXPECT_EQ(report.t.doc.objects[0].loadedValue, QString::fromUtf8(row.text));
    }
    QLocale::setDefault(QLocale::c());
}

TEST(DatePicture, SeparatorsFollowTheLocale)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(formatDatePicture(kSunday, QStringLiteral("dd/mm/yyyy hh:nn"), german),
        QStringLiteral("04.01.2026 09:05"));
    EXPECT_EQ(formatDatePicture(kSunday, QStringLiteral("dd\\/mm"), german), QStringLiteral("04/01"));
}

TEST(DatePicture, WeekOfYearStartsOnSundayWithTheWeekOfFirstJanuary)
{
    // 1 January 2023 is a Sunday, 1 January 2026 a Thursday.
    for (const auto &[date, expected] :
        { std::pair { QDate(2023, 1, 1), "1 1" }, { QDate(2023, 1, 7), "7 1" }, { QDate(2023, 1, 8), "1 2" },
            { QDate(2026, 1, 3), "7 1" }, { QDate(2026, 12, 31), "5 53" } }) {
        SCOPED_TRACE(date.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(formatDatePicture(QDateTime(date, QTime()), QStringLiteral("w ww"), QLocale::c()),
            QString::fromUtf8(expected));
    }
}

TEST(ProperCase, UpperCasesTheFirstLetterOfEachWhiteSpaceSeparatedWord)
{
    EXPECT_EQ(properCase(QStringLiteral("lunedì,  5 MARZO\ta\nb 1ST")),
        QStringLiteral("Lunedì,  5 Marzo\tA\nB 1st"));
}

// A bound item shows the data value's current text, placeholders untouched,
// for text and framed text; other objects keep their own value.
TEST(ResolveObjectText, BoundItemsShowTheCurrentDataValue)
{
    for (const ControlType type : { ControlType::Text, ControlType::FramedText, ControlType::Shape }) {
        SCOPED_TRACE(static_cast<int>(type));
        OneItemReport report(QStringLiteral("[&p]"), 1, 0);
        report.t.doc.objects[0].controlType = type;
        report.t.addValue(QStringLiteral("Pag. [&p]"));
        report.t.doc.values[0].loadedValue = QStringLiteral("caricato");
        EXPECT_EQ(report.resolve(),
            type == ControlType::Shape ? QStringLiteral("[&p]") : QStringLiteral("Pag. [&p]"));
    }
}

TEST(ResolveObjectText, IndexOutsideAListIsSubscriptOutOfRange)
{
    OneItemReport report(QStringLiteral("x"), 1, 5);
    const struct
    {
        const char *list;
        int page, band, item, object;
    } rows[] = {
        { "Pages(1)", 1, 0, 0, 0 },
        { "Pages(-1)", -1, 0, 0, 0 },
        { "PlacedBands(1)", 0, 1, 0, 0 },
        { "Items(1)", 0, 0, 1, 0 },
        { "Objects(1)", 0, 0, 0, 1 },
        { "Values(5)", 0, 0, 0, 0 },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.list);
        EXPECT_THAT(raisedError([&] {
            resolveObjectText(report.t.doc, row.page, row.band, row.item, row.object, kSunday);
        }),
            ::testing::AllOf(::testing::StartsWith("9: "), ::testing::HasSubstr(row.list)));
    }
}

// Boxes 0 and 1 exist; four framed fields take them and load boxes 2 and 3.
TEST(PlaceEditBox, FillsExistingBoxesThenLoadsNewOnesInOrderRecordingTheValueIndex)
{
    TestDocument t;
    ReportObject &o = t.addText(t.addBand(), QStringLiteral("Verdi"), 0, 0, 100, 100, false);
    o.controlType = ControlType::FramedText;
    o.alignment = TextAlignment::Justified;
    o.textColour = 0x0000FF;
    o.backColour = 0x00FF00;
    FakeEditBoxes boxes(2);
    boxes.boxes[0].tag = QStringLiteral("<Altro>x</Altro><IndexDato>99</IndexDato>");
    const int last = boxes.upperBound();
    int used = -1;
    for (int i = 0; i < 4; ++i)
        placeEditBox(boxes, used, last, o, 12 + i, { 100, 200, 1600, 500 });

    EXPECT_EQ(used, 3);
    EXPECT_EQ(boxes.loads, (QList<int> { 2, 3 }));
    EXPECT_EQ(boxes.visibleCount(), 4);
    const auto &box = boxes.boxes[0];
    EXPECT_EQ(box.text, QStringLiteral("Verdi"));
    EXPECT_EQ(box.alignment, TextAlignment::Left) << "justified shows left-aligned";
    EXPECT_EQ(box.foreColor, 0x0000FF);
    EXPECT_EQ(box.backColor, 0x00FF00);
    EXPECT_EQ(box.geometry, QRect(100, 200, 1500, 300));
    EXPECT_EQ(box.fontName, QStringLiteral("Arial"));
    EXPECT_EQ(box.frontCount, 1);
    EXPECT_EQ(box.tag, QStringLiteral("<Altro>x</Altro><IndexDato>12</IndexDato>"));
    EXPECT_EQ(boxes.boxes[3].tag, QStringLiteral("<IndexDato>15</IndexDato>"));
}

} // namespace
