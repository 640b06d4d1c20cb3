#include "render/Placeholders.h"
#include "FakeEditBoxes.h"
#include "TestDocument.h"
#include "render/DatePicture.h"
#include "zetview/Error.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace zet;
using zet::testing::FakeEditBoxes;
using zet::testing::TestDocument;

namespace {

// Sunday 4 January 2026, 09:05:07.
const QDateTime kSunday(QDate(2026, 1, 4), QTime(9, 5, 7));

class ItalianLocale : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

// A document of pageCount pages whose first page holds one placed band with
// one listed text object.
struct OneItemReport
{
    explicit OneItemReport(
        const QString &text, int pageCount = 1, int valueIndex = -1, int controlType = kControlText)
    {
        const int band = t.addBand();
        t.addText(band, text, 0, 0, 1440, 300, false).ControlType = controlType;
        for (int i = 0; i < pageCount; ++i)
            t.addPage();
        for (int i = 0; i < pageCount; ++i)
            t.place(i, band, 0, { { t.lastObject, valueIndex } });
    }
    QString resolve(int page = 0)
    {
        ResolveObjectText(t.doc, page, 0, 0, t.lastObject, kSunday);
        return t.doc.Objects[t.lastObject].Value;
    }
    TestDocument t;
};

struct PageCase
{
    const char *name;
    const char *text;
    const char *expected;
};

class PageNumbers : public ItalianLocale, public ::testing::WithParamInterface<PageCase>
{
};

TEST_P(PageNumbers, OnTheThirdOfSevenPages)
{
    OneItemReport report(QString::fromUtf8(GetParam().text), 7);
    EXPECT_EQ(report.resolve(2), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Placeholders, PageNumbers,
    ::testing::Values(PageCase { "NumberAndCount", "Pagina [&p] di [&P]", "Pagina 3 di 7" },
        PageCase { "CapitalPIsTheCount", "[&P]/[&P]", "7/7" },
        PageCase { "SpaceBeforeBracketIsNoPlaceholder", "[&p ]", "[&p ]" },
        PageCase { "LowerCaseDoesNotMatchUpperPlaceholder", "[&p][&P][&p]", "373" },
        PageCase { "AdjacentBracketsDoNotOverlap", "[[&p]]", "[3]" },
        PageCase { "PlainText", "Totale", "Totale" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ItalianLocale, EveryPageStartsAgainFromTheTemplateText)
{
    OneItemReport report(QStringLiteral("p. [&p]"), 3);
    EXPECT_EQ(report.resolve(0), QStringLiteral("p. 1"));
    EXPECT_EQ(report.resolve(2), QStringLiteral("p. 3"));
    EXPECT_EQ(report.t.doc.Objects[report.t.lastObject].LoadedValue, QStringLiteral("p. [&p]"));
}

struct DateCase
{
    const char *name;
    const char *text;
    const char *expected;
};

class DatePlaceholders : public ItalianLocale, public ::testing::WithParamInterface<DateCase>
{
};

TEST_P(DatePlaceholders, FillSundayFourthOfJanuary)
{
    OneItemReport report(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(report.resolve(), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Placeholders, DatePlaceholders,
    ::testing::Values(DateCase { "EmptyFormat", "[&d]", "04/01/2026" },
        DateCase { "SpacesOnlyFormat", "Il [&d   ]", "Il 04/01/2026" },
        DateCase { "LongMonthAndYear", "[&dmmmm yyyy]", "Gennaio 2026" },
        DateCase { "TrimmedFormat", "[&d  mmmm yyyy ]", "Gennaio 2026" },
        DateCase { "WeekdayNames", "[&ddddd d mmmm]", "Domenica 4 Gennaio" },
        DateCase { "ShortNames", "[&dddd dd mmm yy]", "Dom 04 Gen 26" },
        DateCase { "Time", "[&dhh:nn:ss]", "09:05:07" }, DateCase { "MinutesAfterHour", "[&dh:m]", "9:5" },
        DateCase { "Numbers", "[&dw ww q y]", "1 2 1 4" },
        DateCase { "UpperCaseCodes", "[&dDD-MM-YYYY]", "04-01-2026" },
        DateCase { "QuotedLiteral", "[&d\"oggi\" d]", "Oggi 4" },
        DateCase { "TwoEqualTokens", "[&dyyyy] e [&dyyyy]", "2026 e 2026" },
        DateCase { "TwoDifferentTokens", "[&dyyyy]/[&dmm]", "2026/01" },
        DateCase { "WithPageNumbers", "[&p] - [&dd]", "1 - 4" },
        DateCase { "NoClosingBracket", "Data: [&ddd/mm", "Data: [&ddd/mm" },
        DateCase { "UnclosedSecondTokenStays", "[&dyyyy] [&dmm", "2026 [&dmm" },
        DateCase { "BracketBeforeTokenIgnored", "] [&dyyyy]", "] 2026" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DatePicture, SeparatorsFollowTheLocale)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(FormatDatePicture(kSunday, QStringLiteral("dd/mm/yyyy hh:nn"), german),
        QStringLiteral("04.01.2026 09:05"));
    EXPECT_EQ(FormatDatePicture(kSunday, QStringLiteral("dd\\/mm"), german), QStringLiteral("04/01"));
}

TEST(DatePicture, WeekOfYearStartsOnSundayWithTheWeekOfFirstJanuary)
{
    const QLocale c = QLocale::c();
    struct
    {
        QDate date;
        const char *expected;
    } rows[] = {
        { QDate(2023, 1, 1), "1 1" }, // a Sunday that is 1 January
        { QDate(2023, 1, 7), "7 1" }, // the Saturday after
        { QDate(2023, 1, 8), "1 2" }, // next Sunday starts week 2
        { QDate(2026, 1, 3), "7 1" }, // 1 January 2026 is a Thursday
        { QDate(2026, 12, 31), "5 53" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.date.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(FormatDatePicture(QDateTime(row.date, QTime()), QStringLiteral("w ww"), c),
            QString::fromUtf8(row.expected));
    }
}

TEST(ProperCase, UpperCasesTheFirstLetterOfEachWhiteSpaceSeparatedWord)
{
    EXPECT_EQ(ProperCase(QStringLiteral("GENNAIO 2026")), QStringLiteral("Gennaio 2026"));
    EXPECT_EQ(ProperCase(QStringLiteral("lunedì,  5 MARZO")), QStringLiteral("Lunedì,  5 Marzo"));
    EXPECT_EQ(ProperCase(QStringLiteral("a\tb\nc")), QStringLiteral("A\tB\nC"));
    EXPECT_EQ(ProperCase(QStringLiteral("1ST 04/gen")), QStringLiteral("1st 04/gen"));
}

TEST_F(ItalianLocale, BoundTextShowsTheCurrentDataValueWithoutPlaceholders)
{
    OneItemReport report(QStringLiteral("template"), 1, 0);
    const int value = report.t.addValue(QStringLiteral("Pag. [&p]"));
    EXPECT_EQ(report.resolve(), QStringLiteral("Pag. [&p]"));
    report.t.doc.Values[value].Value = QStringLiteral("corretto");
    EXPECT_EQ(report.resolve(), QStringLiteral("corretto"));
}

TEST_F(ItalianLocale, BoundFramedFieldShowsTheDataValue)
{
    OneItemReport report(QStringLiteral("template"), 1, 0, kControlFramedText);
    report.t.addValue(QStringLiteral("Rossi"));
    EXPECT_EQ(report.resolve(), QStringLiteral("Rossi"));
}

TEST_F(ItalianLocale, BoundObjectOfOtherTypeKeepsItsValue)
{
    OneItemReport report(QStringLiteral("[&p]"), 1, 0, kControlShape);
    report.t.addValue(QStringLiteral("ignored"));
    EXPECT_EQ(report.resolve(), QStringLiteral("[&p]"));
}

TEST(ResolveObjectText, IndexOutsideAListIsSubscriptOutOfRange)
{
    OneItemReport report(QStringLiteral("x"), 1, 5);
    const int object = report.t.lastObject;
    struct
    {
        const char *name;
        int page, band, item, object;
    } rows[] = {
        { "page", 1, 0, 0, object },
        { "negative page", -1, 0, 0, object },
        { "placed band", 0, 1, 0, object },
        { "item", 0, 0, 1, object },
        { "object", 0, 0, 0, object + 1 },
        { "value", 0, 0, 0, object },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        try {
            ResolveObjectText(report.t.doc, row.page, row.band, row.item, row.object, kSunday);
            ADD_FAILURE() << "no error";
        } catch (const Error &e) {
            EXPECT_EQ(e.number(), Error::kSubscriptOutOfRange);
        }
    }
}

class PlaceEditBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const int band = t.addBand();
        ReportObject &o = t.addText(band, QStringLiteral("Verdi"), 0, 0, 100, 100, false);
        o.ControlType = kControlFramedText;
        o.Alignment = 3;
        o.TextColour = 0x0000FF;
        o.BackColour = 0x00FF00;
        object = t.lastObject;
    }
    TestDocument t;
    int object = -1;
};

TEST_F(PlaceEditBoxTest, FillsTheBoxAndRecordsTheValueIndex)
{
    FakeEditBoxes boxes(1);
    boxes.boxes[0].tag = QStringLiteral("<Altro>x</Altro><IndexDato>99</IndexDato>");
    int used = -1;
    PlaceEditBox(t.doc, boxes, used, boxes.upperBound(), object, 12, 100, 200, 1600, 500);

    EXPECT_EQ(used, 0);
    const auto &box = boxes.boxes[0];
    EXPECT_TRUE(box.visible);
    EXPECT_EQ(box.text, QStringLiteral("Verdi"));
    EXPECT_EQ(box.alignment, 0) << "justified shows left-aligned";
    EXPECT_EQ(box.foreColor, 0x0000FF);
    EXPECT_EQ(box.backColor, 0x00FF00);
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.top, 200);
    EXPECT_EQ(box.width, 1500);
    EXPECT_EQ(box.height, 300);
    ASSERT_TRUE(box.font.has_value());
    EXPECT_EQ(box.font->Name, QStringLiteral("Arial"));
    EXPECT_EQ(box.tag, QStringLiteral("<Altro>x</Altro><IndexDato>12</IndexDato>"));
    EXPECT_EQ(box.frontCount, 1);
    EXPECT_TRUE(boxes.loads.isEmpty());
}

TEST_F(PlaceEditBoxTest, ReusesExistingBoxesThenLoadsNewOnesInOrder)
{
    FakeEditBoxes boxes(2);
    const int last = boxes.upperBound();
    int used = -1;
    for (int i = 0; i < 4; ++i)
        PlaceEditBox(t.doc, boxes, used, last, object, i, 0, 0, 10, 10);
    EXPECT_EQ(used, 3);
    EXPECT_EQ(boxes.loads, (QList<int> { 2, 3 }));
    EXPECT_EQ(boxes.outOfOrderLoads, 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(boxes.boxes[i].tag, QStringLiteral("<IndexDato>%1</IndexDato>").arg(i));
    EXPECT_EQ(boxes.visibleCount(), 4);
}

} // namespace
