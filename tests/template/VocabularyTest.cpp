#include "template/Vocabulary.h"

#include <gtest/gtest.h>

#include <QSet>

namespace zet {
namespace {

QSet<QString> templateKeySet()
{
    QSet<QString> keys;
    for (QLatin1String key : key::kTemplateKeys)
        keys.insert(key);
    return keys;
}

TEST(Vocabulary, TemplateKeysAreListedOnce)
{
    EXPECT_EQ(templateKeySet().size(), qsizetype(key::kTemplateKeys.size()));
    for (QLatin1String key : key::kTemplateKeys)
        EXPECT_FALSE(key.isEmpty());
}

TEST(Vocabulary, EveryGroupedKeyIsATemplateKey)
{
    const QSet<QString> all = templateKeySet();
    for (QLatin1String key : key::kObjectKeys)
        EXPECT_TRUE(all.contains(key)) << key.data();
    for (QLatin1String key : key::kFontKeys)
        EXPECT_TRUE(all.contains(key)) << key.data();
    for (QLatin1String key : key::kTopLevelKeys)
        EXPECT_TRUE(all.contains(key)) << key.data();
    for (const key::BandKeys &band : key::kBandKeys) {
        for (QLatin1String name : { band.Presence, band.Height, band.Break, band.NewPage, band.Repeat }) {
            if (!name.isEmpty()) {
                EXPECT_TRUE(all.contains(name)) << name.data();
            }
        }
    }
}

TEST(Vocabulary, EveryBandKeyIsReadFromTheWholeTemplate)
{
    QSet<QString> topLevel;
    for (QLatin1String key : key::kTopLevelKeys)
        topLevel.insert(key);
    for (const key::BandKeys &band : key::kBandKeys) {
        for (QLatin1String name : { band.Presence, band.Height, band.Break, band.NewPage, band.Repeat }) {
            if (!name.isEmpty()) {
                EXPECT_TRUE(topLevel.contains(name)) << name.data();
            }
        }
    }
}

TEST(Vocabulary, BandKeysFollowTheirBandName)
{
    for (const key::BandKeys &band : key::kBandKeys) {
        SCOPED_TRACE(band.Presence.data());
        EXPECT_EQ(QString(band.Height), QLatin1String("Altezza") + band.Presence);
        if (!band.Break.isEmpty()) {
            EXPECT_EQ(QString(band.Break), QLatin1String("Interruzione") + band.Presence);
        }
        if (!band.NewPage.isEmpty()) {
            EXPECT_EQ(QString(band.NewPage), QLatin1String("NuovaPagina") + band.Presence);
        }
        if (!band.Repeat.isEmpty()) {
            EXPECT_EQ(QString(band.Repeat).toLower(), (QLatin1String("Replica") + band.Presence).toLower());
        }
    }
}

TEST(Vocabulary, LevelKeyAppendsTheLevel)
{
    EXPECT_EQ(key::LevelKey(key::kRecordsetStruct, 0), QStringLiteral("RecordsetStruct0"));
    EXPECT_EQ(key::LevelKey(key::kFieldName, 12), QStringLiteral("FieldName12"));
}

} // namespace
} // namespace zet
