#include "template/KeyReader.h"

#include "xml/ElementReader.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace zet {
namespace {

const QLatin1String kNames[]
    = { QLatin1String("Nome"), QLatin1String("Altezza"), QLatin1String("AltezzaCorpoDati"),
          QLatin1String("ReplicafineDati"), QLatin1String("Image-ID"), QLatin1String("x") };

// Pieces that make opening and closing tags of the names in several letter
// cases, broken tags and plain text.
QStringList pieces()
{
    QStringList list;
    for (QLatin1String name : kNames) {
        for (const QString &spelling : { QString(name), QString(name).toLower(), QString(name).toUpper() }) {
            list << QLatin1Char('<') + spelling + QLatin1Char('>')
                 << QLatin1String("</") + spelling + QLatin1Char('>');
            list << QLatin1Char('<') + spelling << spelling + QLatin1Char('>');
        }
    }
    list << QStringLiteral("<") << QStringLiteral(">") << QStringLiteral("</") << QStringLiteral("valore")
         << QStringLiteral(" ") << QStringLiteral("<<") << QStringLiteral("\u0130")
         << QStringLiteral("<Nomex>");
    return list;
}

TEST(KeyReader, GivesWhatTheElementLookupGives)
{
    const QStringList parts = pieces();
    QRandomGenerator random(42);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int count = random.bounded(1, 16);
        for (int i = 0; i < count; ++i)
            text += parts[random.bounded(int(parts.size()))];
        const KeyReader reader(text, kNames);
        for (QLatin1String name : kNames)
            ASSERT_EQ(reader.value(name), getElementValue(text, name))
                << text.toStdString() << " / " << name.data();
    }
}

} // namespace
} // namespace zet
