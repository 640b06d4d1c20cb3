#include "template/Vocabulary.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// The keys named in a guide's key tables: in the first cell of tables headed
// "Key", "Sub-key" or "Element", in every cell but the first of the one headed "Band".
QSet<QString> keysInTables(const char *guide)
{
    QFile file(QStringLiteral(ZET_SOURCE_DIR "/docs/") + QLatin1String(guide));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << guide;
    static const QRegularExpression code(QStringLiteral("`([A-Za-z][A-Za-z0-9_.\\-]*)`"));
    QSet<QString> keys;
    QString header;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        QStringList cells = line.trimmed().split(u'|');
        if (cells.size() < 3 || !line.trimmed().startsWith(u'|')) {
            header.clear();
            continue;
        }
        cells = cells.mid(1, cells.size() - 2);
        if (header.isEmpty()) {
            header = cells.first().trimmed();
            continue;
        }
        if (header == QLatin1String("Band"))
            cells.removeFirst();
        else if (header == QLatin1String("Key") || header == QLatin1String("Sub-key")
            || header == QLatin1String("Element"))
            cells = cells.mid(0, 1);
        else
            continue;
        for (const QString &cell : cells) {
            for (auto it = code.globalMatch(cell); it.hasNext();)
                keys.insert(it.next().captured(1));
        }
    }
    return keys;
}

} // namespace

TEST(UserGuide, NamesEveryKeyOfTheVocabularyAndNoOther)
{
    QSet<QString> vocabulary;
    for (QLatin1String key : zet::key::kTemplateKeys)
        vocabulary.insert(key);
    for (QLatin1String key : zet::key::kStructureKeyPrefixes)
        vocabulary.insert(key);
    for (QLatin1String key : zet::key::kDataKeys)
        vocabulary.insert(key);
    const QSet<QString> documented = keysInTables("template-format.md") | keysInTables("data-format.md");
    QStringList undocumented = (vocabulary - documented).values();
    QStringList unknown = (documented - vocabulary).values();
    undocumented.sort();
    unknown.sort();
    EXPECT_TRUE(undocumented.isEmpty())
        << "keys missing from the guide: " << qPrintable(undocumented.join(u' '));
    EXPECT_TRUE(unknown.isEmpty()) << "guide keys not in the vocabulary: " << qPrintable(unknown.join(u' '));
}
