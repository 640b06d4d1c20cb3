#include "gfx/FontResolver.h"

#include <gtest/gtest.h>

using namespace zet;

TEST(ResolveFontFamily, InstalledFamiliesStayAndOthersBecomeMetricCompatibleOnes)
{
    const std::pair<const char *, const char *> rows[] = {
        { "Liberation Serif", "Liberation Serif" }, // installed
        { "TIMES New Roman", "Liberation Serif" }, // any letter case
        { "No Such Face 123", "Liberation Sans" },
        { "", "Liberation Sans" },
    };
    for (int pass = 0; pass < 2; ++pass) { // the second pass answers from what was remembered
        for (auto [requested, resolved] : rows)
            EXPECT_EQ(resolveFontFamily(QString::fromLatin1(requested)), QString::fromLatin1(resolved))
                << requested;
    }
}
