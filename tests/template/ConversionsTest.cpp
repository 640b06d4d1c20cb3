#include "template/Conversions.h"

#include "TemplateTestHelpers.h"

#include <gtest/gtest.h>

using namespace zet;
using test::errorNumber;

TEST(ParseNumber, ReadsTheLeadingNumber)
{
    // Blanks are skipped anywhere (a carriage return is no blank); a comma ends the number; &H / &O are
    // unsigned; below the smallest double is 0; beyond the largest is error 6, never infinity.
    const std::tuple<QString, double, int> cases[]
        = { { QString(), 0, 0 }, { "abc", 0, 0 }, { "12,5", 12, 0 }, { "1.2.3", 1.2, 0 }, { ".25", 0.25, 0 },
              { "--7", 0, 0 }, { " - 1 2 . 5 e 1", -125, 0 }, { "12\r3", 12, 0 }, { "1E3", 1000, 0 },
              { "1d2", 100, 0 }, { "25e-1", 2.5, 0 }, { "3e+", 3, 0 }, { "&hFFFFFFFFF", 68719476735.0, 0 },
              { "&H1G", 1, 0 }, { "&o178", 15, 0 }, { "&X10", 0, 0 }, { "1e-400", 0, 0 }, { "0e99999", 0, 0 },
              { QString(5000, u'0') + "42", 42, 0 }, { "1." + QString(100000, u'5'), 1.5555555555555556, 0 },
              { "1e308", 1e308, 0 }, { "-1e309", 0, 6 }, { "&H" + QString(300, u'F'), 0, 6 },
              { QString(400, u'9'), 0, 6 } };
    for (const auto &[text, expected, error] : cases) {
        double value = 0;
        EXPECT_EQ(errorNumber([&] { value = parseNumber(text); }), error) << text.left(40).toStdString();
        EXPECT_DOUBLE_EQ(value, expected) << text.left(40).toStdString();
    }
}

TEST(ParseInteger, RoundsHalvesToEvenWithinThirtyTwoBits)
{
    const std::tuple<const char *, int, int> cases[] = { // text, value, error
        { "0.5", 0, 0 }, { "1.5", 2, 0 }, { "2.5", 2, 0 }, { "-2.5", -2, 0 }, { "0.51", 1, 0 },
        { "-3.7", -4, 0 }, { "2147483647.4", 2147483647, 0 }, { "-2147483648.5", -2147483648, 0 },
        { "2147483647.5", 0, 6 }, { "-2147483649", 0, 6 }, { "&HFFFFFFFF", 0, 6 }
    };
    for (const auto &[text, expected, error] : cases) {
        int value = 0;
        EXPECT_EQ(errorNumber([&] { value = parseInteger(QString::fromLatin1(text)); }), error) << text;
        EXPECT_EQ(value, expected) << text;
    }
}

TEST(ParseBoolean, FalseOnlyForTheFalseWords)
{
    for (const char *text : { "", "0", "null", "NULL", "Falso", "false" })
        EXPECT_FALSE(parseBoolean(QString::fromLatin1(text))) << text;
    for (const char *text : { "1", "-1", "True", "No", " 0", "00", "false ", "nullo" })
        EXPECT_TRUE(parseBoolean(QString::fromLatin1(text))) << text;
}
