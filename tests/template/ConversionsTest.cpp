#include "template/Conversions.h"

#include "zetview/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zet {
namespace {

struct NumberCase
{
    const char *what;
    QString text;
    double expected;
};

TEST(ParseNumber, ReadsTheLeadingNumber)
{
    const NumberCase cases[] = {
        { "empty text", QString(), 0 },
        { "no number at all", QStringLiteral("abc"), 0 },
        { "plain integer", QStringLiteral("1440"), 1440 },
        { "decimal point", QStringLiteral("12.5"), 12.5 },
        { "comma ends the number", QStringLiteral("12,5"), 12 },
        { "second point ends the number", QStringLiteral("1.2.3"), 1.2 },
        { "fraction only", QStringLiteral(".25"), 0.25 },
        { "point alone", QStringLiteral("."), 0 },
        { "plus sign", QStringLiteral("+7"), 7 },
        { "minus sign", QStringLiteral("-7"), -7 },
        { "two signs", QStringLiteral("--7"), 0 },
        { "blanks anywhere", QStringLiteral(" - 1 2 . 5 e 1"), -125 },
        { "tab and line feed skipped", QStringLiteral("\t1\n2"), 12 },
        { "carriage return stops", QStringLiteral("12\r3"), 12 },
        { "leading carriage return", QStringLiteral("\r12"), 0 },
        { "trailing text", QStringLiteral("15twips"), 15 },
        { "exponent E", QStringLiteral("1E3"), 1000 },
        { "exponent d", QStringLiteral("1D2"), 100 },
        { "exponent lower d", QStringLiteral("1d2"), 100 },
        { "negative exponent", QStringLiteral("25e-1"), 2.5 },
        { "exponent without digits", QStringLiteral("3e"), 3 },
        { "exponent sign without digits", QStringLiteral("3e+"), 3 },
        { "hexadecimal", QStringLiteral("&H10"), 16 },
        { "hexadecimal lower case", QStringLiteral("&hff"), 255 },
        { "hexadecimal read unsigned", QStringLiteral("&HFFFF"), 65535 },
        { "hexadecimal beyond 32 bits", QStringLiteral("&hFFFFFFFFF"), 68719476735.0 },
        { "hexadecimal stops at a non-digit", QStringLiteral("&H1G"), 1 },
        { "octal", QStringLiteral("&O17"), 15 },
        { "octal lower case", QStringLiteral("&o17"), 15 },
        { "octal stops at 8", QStringLiteral("&O18"), 1 },
        { "ampersand alone", QStringLiteral("&"), 0 },
        { "ampersand with another letter", QStringLiteral("&X10"), 0 },
        { "huge but finite", QStringLiteral("1e308"), 1e308 },
        { "below the smallest double", QStringLiteral("1e-400"), 0 },
        { "zero with a huge exponent", QStringLiteral("0e99999"), 0 },
        { "many leading zeros", QString(5000, QLatin1Char('0')) + QStringLiteral("42"), 42 },
    };
    for (const NumberCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_DOUBLE_EQ(ParseNumber(c.text), c.expected);
    }
}

TEST(ParseNumber, OutOfDoubleRangeIsAnOverflowNeverInfinity)
{
    const QString cases[] = {
        QStringLiteral("1e309"),
        QStringLiteral("-1e400"),
        QStringLiteral("1e99999999999999999999"),
        QStringLiteral("&H") + QString(300, QLatin1Char('F')),
        QString(400, QLatin1Char('9')),
    };
    for (const QString &text : cases) {
        SCOPED_TRACE(text.left(40).toStdString());
        try {
            const double value = ParseNumber(text);
            ADD_FAILURE() << "no error, got " << value;
        } catch (const Error &error) {
            EXPECT_EQ(error.number(), 6);
            EXPECT_EQ(error.message(), QStringLiteral("Overflow"));
        }
    }
}

TEST(ParseNumber, AVeryLongValueIsReadInOnePass)
{
    const QString digits = QStringLiteral("1.") + QString(20 * 1024 * 1024, QLatin1Char('5'));
    EXPECT_DOUBLE_EQ(ParseNumber(digits), 1.5555555555555556);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    const std::pair<double, int> cases[] = {
        { 0.5, 0 },
        { 1.5, 2 },
        { 2.5, 2 },
        { -0.5, 0 },
        { -1.5, -2 },
        { -2.5, -2 },
        { 0.49, 0 },
        { 0.51, 1 },
        { -3.7, -4 },
        { 2147483647.4, 2147483647 },
        { -2147483648.5, -2147483648 },
    };
    for (const auto &[value, expected] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(RoundHalfEven(value), expected);
    }
}

TEST(RoundHalfEven, OutsideThirtyTwoBitsOrNotANumberIsAnOverflow)
{
    const double cases[] = {
        2147483647.5,
        -2147483649.0,
        1e308,
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(),
    };
    for (double value : cases) {
        SCOPED_TRACE(value);
        try {
            RoundHalfEven(value);
            ADD_FAILURE() << "no error";
        } catch (const Error &error) {
            EXPECT_EQ(error.number(), Error::kOverflow);
        }
    }
}

TEST(ParseInteger, RoundsTheNumberHalfToEven)
{
    EXPECT_EQ(ParseInteger(QStringLiteral("1.5")), 2);
    EXPECT_EQ(ParseInteger(QStringLiteral("2.5")), 2);
    EXPECT_EQ(ParseInteger(QStringLiteral("12,5")), 12);
    EXPECT_EQ(ParseInteger(QStringLiteral("&H10")), 16);
    EXPECT_EQ(ParseInteger(QStringLiteral("&H7FFFFFFF")), 2147483647);
    EXPECT_EQ(ParseInteger(QString()), 0);
}

TEST(ParseInteger, NumbersBeyondThirtyTwoBitsAreErrorSix)
{
    for (const char *text : { "&hFFFFFFFFF", "&HFFFFFFFF", "1e308", "2147483648", "-2147483649" }) {
        SCOPED_TRACE(text);
        try {
            ParseInteger(QString::fromLatin1(text));
            ADD_FAILURE() << "no error";
        } catch (const Error &error) {
            EXPECT_EQ(error.number(), 6);
        }
    }
}

TEST(ParseBoolean, FalseOnlyForTheFalseWords)
{
    const std::pair<const char *, bool> cases[] = {
        { "", false },
        { "0", false },
        { "null", false },
        { "NULL", false },
        { "falso", false },
        { "FALSO", false },
        { "False", false },
        { "1", true },
        { "-1", true },
        { "True", true },
        { "No", true },
        { " 0", true },
        { "00", true },
        { "false ", true },
        { "nullo", true },
    };
    for (const auto &[text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseBoolean(QString::fromLatin1(text)), expected);
    }
}

} // namespace
} // namespace zet
