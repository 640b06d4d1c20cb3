#include "template/TemplateFont.h"

#include "TemplateText.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

namespace zet {
namespace {

using test::elements;

TEST(ParseFont, StartsFromTheDefaultFont)
{
    const ReportFont font = ParseFont(QStringLiteral("<Unknown>1</Unknown>"));
    EXPECT_EQ(font, ReportFont());
    EXPECT_EQ(font.Name, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(font.Size, 8.25);
    EXPECT_EQ(font.Weight, 400);
    EXPECT_FALSE(font.Bold());
}

TEST(ParseFont, AppliesEverySubKey)
{
    const ReportFont font = ParseFont(elements({ { "Bold", "-1" }, { "Charset", "238" }, { "Italic", "True" },
        { "Name", "Courier New" }, { "Size", "9,75" }, { "Strikethrough", "1" }, { "Underline", "falso" } }));
    EXPECT_TRUE(font.Bold());
    EXPECT_EQ(font.Weight, 700);
    EXPECT_EQ(font.Charset, 238);
    EXPECT_TRUE(font.Italic);
    EXPECT_EQ(font.Name, QStringLiteral("Courier New"));
    EXPECT_EQ(font.Size, 9.75);
    EXPECT_TRUE(font.Strikethrough);
    EXPECT_FALSE(font.Underline);
}

TEST(ParseFont, WeightIsAppliedAfterBold)
{
    const struct
    {
        const char *bold;
        const char *weight;
        int expectedWeight;
        bool expectedBold;
    } cases[] = {
        { "1", "", 700, true },
        { "0", "", 400, false },
        { "1", "400", 400, false },
        { "0", "600", 600, true },
        { "", "550", 550, false },
        { "", "551", 551, true },
        { "", "5000", 1000, true },
        { "1", "-3", 0, false },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.bold) + " / " + c.weight);
        const ReportFont font = ParseFont(elements({ { "Bold", c.bold }, { "Weight", c.weight } }));
        EXPECT_EQ(font.Weight, c.expectedWeight);
        EXPECT_EQ(font.Bold(), c.expectedBold);
    }
}

TEST(ParseFont, SizeTakesEitherDecimalSeparator)
{
    for (const char *size : { "8.25", "8,25", " 8.25 " }) {
        SCOPED_TRACE(size);
        EXPECT_EQ(ParseFont(elements({ { "Size", size } })).Size, 8.25);
    }
}

TEST(ParseFont, BadSizesAndCharsetsAreErrors)
{
    const struct
    {
        const char *key;
        const char *value;
        int error;
    } cases[] = {
        { "Size", "grande", Error::kTypeMismatch },
        { "Size", "12pt", Error::kTypeMismatch },
        { "Size", "0", Error::kInvalidCall },
        { "Size", "-4", Error::kInvalidCall },
        { "Size", "1e300", Error::kOverflow },
        { "Size", "nan", Error::kTypeMismatch },
        { "Charset", "ANSI", Error::kTypeMismatch },
        { "Charset", "70000", Error::kOverflow },
        { "Weight", "1e9", Error::kOverflow },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        try {
            ParseFont(elements({ { c.key, c.value } }));
            ADD_FAILURE() << "no error";
        } catch (const Error &error) {
            EXPECT_EQ(error.number(), c.error);
        }
    }
}

} // namespace
} // namespace zet
