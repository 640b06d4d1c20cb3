#include "template/Conversions.h"
#include "template/TemplateFont.h"

#include "TemplateTestHelpers.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

TEST(ParseNumber, ReadsTheLeadingNumber)
{
    // Blanks are skipped anywhere (a carriage return is no blank); a comma ends the number; &H / &O are
    // unsigned; below the smallest double is 0; beyond the largest is error 6, never infinity.
    const std::tuple<QString, double, int> cases[] = { { QString(), 0, 0 }, { "12,5", 12, 0 },
        { "1.2.3", 1.2, 0 }, { "--7", 0, 0 }, { " - 1 2 . 5 e 1", -125, 0 }, { "12\r3", 12, 0 },
        { "1d-2", 0.01, 0 }, { "&hFFFFFFFFF", 68719476735.0, 0 }, { "&o178", 15, 0 }, { "1e-400", 0, 0 },
        { QString(5000, u'0') + "42", 42, 0 }, { "1." + QString(100000, u'5'), 1.5555555555555556, 0 },
        { "1e308", 1e308, 0 }, { "-1e309", 0, 6 }, { "&H" + QString(300, u'F'), 0, 6 } };
    for (const auto &[text, expected, error] : cases) {
        double value = 0;
        EXPECT_EQ(errorNumber([&] { value = parseNumber(text); }), error) << text.left(40).toStdString();
        EXPECT_DOUBLE_EQ(value, expected) << text.left(40).toStdString();
    }
}

TEST(ParseInteger, RoundsHalvesToEvenWithinThirtyTwoBits)
{
    const std::tuple<const char *, int, int> cases[] = { // text, value, error
        { "0.5", 0, 0 }, { "1.5", 2, 0 }, { "-2.5", -2, 0 }, { "2147483647.4", 2147483647, 0 },
        { "-2147483648.5", -2147483648, 0 }, { "2147483647.5", 0, 6 }, { "-2147483649", 0, 6 },
        { "&HFFFFFFFF", 0, 6 }
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

// Bold sets the weight to 700 or 400; a Weight key, applied after it, wins.
TEST(ParseFont, WeightIsAppliedAfterBoldAndBadNumbersAreErrors)
{
    EXPECT_EQ(parseFont(QStringLiteral("<Unknown>1</Unknown>")), ReportFont());
    for (const auto &[bold, weight, expected] : { std::tuple { "1", "", 700 }, { "0", "", 400 },
             { "1", "400", 400 }, { "0", "600", 600 }, { "", "5000", 1000 }, { "1", "-3", 0 } })
        EXPECT_EQ(parseFont(elements({ { "Bold", bold }, { "Weight", weight } })).weight, expected)
            << bold << weight;
    const std::tuple<const char *, const char *, int> cases[]
        = { { "Size", "12pt", Error::kTypeMismatch }, { "Size", "0", Error::kInvalidCall },
              { "Size", "1e300", Error::kOverflow }, { "Charset", "ANSI", Error::kTypeMismatch },
              { "Charset", "70000", Error::kOverflow }, { "Weight", "1e9", Error::kOverflow } };
    for (const auto &[key, value, error] : cases) {
        const QString text = elements({ { key, value } });
        EXPECT_EQ(errorNumber([&] { parseFont(text); }), error) << key << "=" << value;
    }
}
