#include "template/TemplateFont.h"

#include "TemplateTestHelpers.h"

#include <gtest/gtest.h>

namespace zet {
namespace {

using test::elements;
using test::errorNumber;

TEST(ParseFont, StartsFromTheDefaultFontAndAppliesEverySubKey)
{
    const ReportFont plain = parseFont(QStringLiteral("<Unknown>1</Unknown>"));
    EXPECT_EQ(plain, ReportFont());
    EXPECT_EQ(plain.name, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(plain.size, 8.25);
    EXPECT_EQ(plain.weight, 400);

    const ReportFont font = parseFont(elements({ { "Bold", "-1" }, { "Charset", "238" }, { "Italic", "True" },
        { "Name", "Courier New" }, { "Size", "9,75" }, { "Strikethrough", "1" }, { "Underline", "falso" } }));
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(font.charset, 238);
    EXPECT_TRUE(font.italic);
    EXPECT_EQ(font.name, QStringLiteral("Courier New"));
    EXPECT_EQ(font.size, 9.75);
    EXPECT_TRUE(font.strikethrough);
    EXPECT_FALSE(font.underline);
    EXPECT_EQ(parseFont(elements({ { "Size", "8.25" } })).size, 8.25);
}

// Bold sets the weight to 700 or 400; a Weight key, applied after it, wins.
TEST(ParseFont, WeightIsAppliedAfterBold)
{
    const std::tuple<const char *, const char *, int> cases[] = { // Bold, Weight, weight
        { "1", "", 700 }, { "0", "", 400 }, { "1", "400", 400 }, { "0", "600", 600 }, { "", "551", 551 },
        { "", "5000", 1000 }, { "1", "-3", 0 }
    };

    for (const auto &[bold, weight, expected] : cases)
        EXPECT_EQ(parseFont(elements({ { "Bold", bold }, { "Weight", weight } })).weight, expected)
            << bold << weight;
}

TEST(ParseFont, BadSizesAndCharsetsAreErrors)
{
    const std::tuple<const char *, const char *, int> cases[] = { { "Size", "grande", Error::kTypeMismatch },
        { "Size", "12pt", Error::kTypeMismatch }, { "Size", "nan", Error::kTypeMismatch },
        { "Size", "0", Error::kInvalidCall }, { "Size", "-4", Error::kInvalidCall },
        { "Size", "1e300", Error::kOverflow }, { "Charset", "ANSI", Error::kTypeMismatch },
        { "Charset", "70000", Error::kOverflow }, { "Weight", "1e9", Error::kOverflow } };

    for (const auto &[key, value, error] : cases) {
        const QString text = elements({ { key, value } });
        EXPECT_EQ(errorNumber([&] { parseFont(text); }), error) << key << "=" << value;
    }
}

} // namespace
} // namespace zet
