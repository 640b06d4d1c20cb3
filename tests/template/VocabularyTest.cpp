#include "template/Vocabulary.h"

#include <gtest/gtest.h>

#include <QSet>

namespace zet {
namespace {

// A band's keys are its presence key behind a prefix, all read from the whole
// template.
TEST(Vocabulary, BandKeysFollowTheirBandNameAndAreReadFromTheWholeTemplate)
{
    QSet<QString> topLevel;
    for (QLatin1String name : key::kTopLevelKeys)
        topLevel.insert(name);
    for (const key::BandKeys &band : key::kBandKeys) {
        const std::pair<QLatin1String, const char *> keys[]
            = { { band.Presence, "" }, { band.height, "Altezza" }, { band.Break, "Interruzione" },
                  { band.newPage, "NuovaPagina" }, { band.repeat, "Replica" } };
        for (const auto &[name, prefix] : keys) {
            if (name.isEmpty())
                continue;
            SCOPED_TRACE(name.data());
            EXPECT_TRUE(topLevel.contains(name));
            EXPECT_EQ(QString(name).toLower(), (QLatin1String(prefix) + band.Presence).toLower());
        }
    }
}

} // namespace
} // namespace zet
