#include "template/Conversions.h"

#include "TemplateTestHelpers.h"

#include <gtest/gtest.h>

#include <limits>

namespace zet {
namespace {

using test::errorNumber;

TEST(ParseNumber, ReadsTheLeadingNumber)
{
    // Blanks are skipped anywhere (a carriage return is no blank); a comma ends the number; &H / &O are
    // unsigned; below the smallest double is 0.
    const std::pair<QString, double> cases[] = { { QString(), 0 }, { "abc", 0 }, { "12,5", 12 },
        { "1.2.3", 1.2 }, { ".25", 0.25 }, { ".", 0 }, { "+7", 7 }, { "--7", 0 }, { " - 1 2 . 5 e 1", -125 },
        { "\t1\n2", 12 }, { "12\r3", 12 }, { "15twips", 15 }, { "1E3", 1000 }, { "1D2", 100 }, { "1d2", 100 },
        { "25e-1", 2.5 }, { "3e+", 3 }, { "&H10", 16 }, { "&hff", 255 }, { "&hFFFFFFFFF", 68719476735.0 },
        { "&H1G", 1 }, { "&O17", 15 }, { "&o178", 15 }, { "&X10", 0 }, { "1e308", 1e308 }, { "1e-400", 0 },
        { "0e99999", 0 }, { QString(5000, QLatin1Char('0')) + QStringLiteral("42"), 42 },
        { QStringLiteral("1.") + QString(100000, QLatin1Char('5')), 1.5555555555555556 } };

    for (const auto &[text, expected] : cases)
        EXPECT_DOUBLE_EQ(parseNumber(text), expected) << text.left(40).toStdString();
}

TEST(ParseNumber, BeyondTheRangeOfADoubleIsAnOverflowNeverInfinity)
{
    const QString cases[]
        = { QStringLiteral("1e309"), QStringLiteral("-1e400"), QStringLiteral("1e99999999999999999999"),
              QStringLiteral("&H") + QString(300, QLatin1Char('F')), QString(400, QLatin1Char('9')) };
    for (const QString &text : cases)
        EXPECT_EQ(errorNumber([&] { parseNumber(text); }), 6) << text.left(40).toStdString();
    try {
        parseNumber(QStringLiteral("1e309"));
    } catch (const Error &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Overflow"));
    }
}

// ParseInteger rounds ParseNumber half to even; error 6 outside 32 bits.
TEST(ParseInteger, RoundsHalvesToEvenWithinThirtyTwoBits)
{
    const std::tuple<const char *, int, int> cases[] = { // text, value, error
        { "", 0, 0 }, { "0.5", 0, 0 }, { "1.5", 2, 0 }, { "2.5", 2, 0 }, { "-1.5", -2, 0 }, { "-2.5", -2, 0 },
        { "0.51", 1, 0 }, { "-3.7", -4, 0 }, { "12,5", 12, 0 }, { "&H7FFFFFFF", 2147483647, 0 },
        { "2147483647.4", 2147483647, 0 }, { "-2147483648.5", -2147483648, 0 }, { "2147483647.5", 0, 6 },
        { "-2147483649", 0, 6 }, { "&HFFFFFFFF", 0, 6 }, { "&hFFFFFFFFF", 0, 6 }, { "1e308", 0, 6 }
    };
    for (const auto &[text, expected, error] : cases) {
        int value = 0;
        EXPECT_EQ(errorNumber([&] { value = parseInteger(QString::fromLatin1(text)); }), error) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (double value : { std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
             std::numeric_limits<double>::quiet_NaN() })
        EXPECT_EQ(errorNumber([&] { roundHalfEven(value); }), 6) << value;
}

TEST(ParseBoolean, FalseOnlyForTheFalseWords)
{
    for (const char *text : { "", "0", "null", "NULL", "Falso", "false" })
        EXPECT_FALSE(parseBoolean(QString::fromLatin1(text))) << text;
    for (const char *text : { "1", "-1", "True", "No", " 0", "00", "false ", "nullo" })
        EXPECT_TRUE(parseBoolean(QString::fromLatin1(text))) << text;
}

} // namespace
} // namespace zet
