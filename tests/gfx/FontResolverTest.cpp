#include "gfx/FontResolver.h"

#include <gtest/gtest.h>

using namespace zet;

TEST(ResolveFontFamily, WindowsFacesBecomeMetricCompatibleFamilies)
{
    const struct
    {
        const char *requested;
        const char *resolved;
    } rows[] = {
        { "Arial", "Liberation Sans" }, { "Times New Roman", "Liberation Serif" },
        { "courier new", "Liberation Mono" }, { "MS Sans Serif", "Liberation Sans" },
        { "Microsoft Sans Serif", "Liberation Sans" }, { "Tahoma", "Liberation Sans" },
        { "Verdana", "Liberation Sans" }, { "Segoe UI", "Liberation Sans" },
        { "No Such Face 123", "Liberation Sans" }, { "", "Liberation Sans" },
        { "Liberation Serif", "Liberation Serif" }, // installed: used as named
    };
    for (int pass = 0; pass < 2; ++pass) { // the second pass answers from what was remembered
        for (const auto &row : rows) {
            SCOPED_TRACE(row.requested);
            EXPECT_EQ(
                resolveFontFamily(QString::fromLatin1(row.requested)), QString::fromLatin1(row.resolved));
        }
    }
}
