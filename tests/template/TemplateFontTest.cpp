#include "template/TemplateFont.h"

#include "TemplateTestHelpers.h"

#include <gtest/gtest.h>

using namespace zet;
using test::elements;

TEST(ParseFont, AppliesEverySubKeyToTheDefaultFont)
{
    EXPECT_EQ(parseFont(QStringLiteral("<Unknown>1</Unknown>")), ReportFont());
    const ReportFont font = parseFont(elements({ { "Bold", "-1" }, { "Charset", "238" }, { "Italic", "True" },
        { "Name", "Courier New" }, { "Size", "9,75" }, { "Strikethrough", "1" }, { "Underline", "falso" } }));
    EXPECT_EQ((QList<bool> { font.bold(), font.italic, font.strikethrough, font.underline }),
        (QList<bool> { true, true, true, false }));
    EXPECT_EQ((QList<double> { double(font.charset), font.size }), (QList<double> { 238, 9.75 }));
    EXPECT_EQ(font.name, QStringLiteral("Courier New"));
}

// Bold sets the weight to 700 or 400; a Weight key, applied after it, wins.
TEST(ParseFont, WeightIsAppliedAfterBold)
{
    const std::tuple<const char *, const char *, int> cases[] = { // Bold, Weight, weight
        { "1", "", 700 }, { "0", "", 400 }, { "1", "400", 400 }, { "0", "600", 600 }, { "", "5000", 1000 },
        { "1", "-3", 0 }
    };
    for (const auto &[bold, weight, expected] : cases)
        EXPECT_EQ(parseFont(elements({ { "Bold", bold }, { "Weight", weight } })).weight, expected)
            << bold << weight;
}

TEST(ParseFont, BadSizesAndCharsetsAreErrors)
{
    const std::tuple<const char *, const char *, int> cases[]
        = { { "Size", "12pt", Error::kTypeMismatch }, { "Size", "0", Error::kInvalidCall },
              { "Size", "1e300", Error::kOverflow }, { "Charset", "ANSI", Error::kTypeMismatch },
              { "Charset", "70000", Error::kOverflow }, { "Weight", "1e9", Error::kOverflow } };
    for (const auto &[key, value, error] : cases)
        EXPECT_EQ(test::errorNumber([&] {
            parseFont(elements({ { key, value } }));
        }),
            error)
            << key << "=" << value;
}
