#include "template/Vocabulary.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QString readGuide(const char *name)
{
    QFile file(QStringLiteral(ZET_SOURCE_DIR "/docs/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

// Keys named in the guide's key tables: the first cell of tables headed
// "Key", "Sub-key" or "Element", and every cell but the first of the band
// table (headed "Band").
QSet<QString> keysInTables(const QString &markdown)
{
    static const QRegularExpression code(QStringLiteral("`([A-Za-z][A-Za-z0-9_.\\-]*)`"));
    QSet<QString> keys;
    QString header;
    bool inTable = false;
    for (QString line : markdown.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (!line.startsWith(QLatin1Char('|'))) {
            inTable = false;
            continue;
        }
        QStringList cells = line.split(QLatin1Char('|'));
        cells = cells.mid(1, cells.size() - 2);
        if (!inTable) {
            inTable = true;
            header = cells.value(0).trimmed();
            continue;
        }
        if (cells.value(0).startsWith(QLatin1String("---")))
            continue;
        QStringList scanned;
        if (header == QLatin1String("Key") || header == QLatin1String("Sub-key")
            || header == QLatin1String("Element"))
            scanned << cells.value(0);
        else if (header == QLatin1String("Band"))
            scanned = cells.mid(1);
        for (const QString &cell : scanned) {
            auto it = code.globalMatch(cell);
            while (it.hasNext())
                keys.insert(it.next().captured(1));
        }
    }
    return keys;
}

template<typename Array>
void addAll(QSet<QString> &set, const Array &keys)
{
    for (QLatin1String key : keys)
        set.insert(QString(key));
}

} // namespace

TEST(UserGuide, NamesEveryKeyOfTheVocabularyAndNoOther)
{
    QSet<QString> vocabulary;
    addAll(vocabulary, zet::key::kTemplateKeys);
    addAll(vocabulary, zet::key::kStructureKeyPrefixes);
    addAll(vocabulary, zet::key::kDataKeys);

    const QSet<QString> documented
        = keysInTables(readGuide("template-format.md")) | keysInTables(readGuide("data-format.md"));

    QStringList undocumented = (vocabulary - documented).values();
    QStringList unknown = (documented - vocabulary).values();
    undocumented.sort();
    unknown.sort();
    EXPECT_TRUE(undocumented.isEmpty()) << "keys missing from the guide: " << qPrintable(undocumented.join(u' '));
    EXPECT_TRUE(unknown.isEmpty()) << "guide keys that are not in the vocabulary: " << qPrintable(unknown.join(u' '));
}
