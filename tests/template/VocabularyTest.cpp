#include "template/Vocabulary.h"

#include <gtest/gtest.h>

#include <QSet>

namespace zet {
namespace {

template <typename Keys> QSet<QString> keySet(const Keys &keys)
{
    QSet<QString> set;
    for (QLatin1String key : keys)
        set.insert(key);
    return set;
}

TEST(Vocabulary, KeysAreListedOnceInEveryGroupTheyBelongTo)
{
    const QSet<QString> all = keySet(key::kTemplateKeys);
    EXPECT_EQ(all.size(), qsizetype(key::kTemplateKeys.size()));
    EXPECT_FALSE(all.contains(QString()));
    for (const QSet<QString> &group :
        { keySet(key::kTopLevelKeys), keySet(key::kObjectKeys), keySet(key::kFontKeys) })
        EXPECT_TRUE(all.contains(group)) << QStringList(group.values()).join(' ').toStdString();

    // A band's keys are its presence key behind a prefix, all read from the
    // whole template.
    const QSet<QString> topLevel = keySet(key::kTopLevelKeys);
    for (const key::BandKeys &band : key::kBandKeys) {
        const std::pair<QLatin1String, const char *> keys[]
            = { { band.Presence, "" }, { band.Height, "Altezza" }, { band.Break, "Interruzione" },
                  { band.NewPage, "NuovaPagina" }, { band.Repeat, "Replica" } };
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
