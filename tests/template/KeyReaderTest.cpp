#include "template/KeyReader.h"

#include "xml/ElementReader.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace zet;

// Random texts of tags in several letter cases, broken tags and text: keys read as the element lookup reads
// them.
TEST(KeyReader, GivesWhatTheElementLookupGives)
{
    const QLatin1String names[] = { QLatin1String("Nome"), QLatin1String("AltezzaCorpoDati"),
        QLatin1String("ReplicafineDati"), QLatin1String("Image-ID"), QLatin1String("x") };
    QStringList pieces = { "<", ">", "</", "valore", " ", "<<", "\u0130", "<Nomex>" };
    for (QLatin1String name : names)
        for (const QString &spelling : { QString(name), QString(name).toLower(), QString(name).toUpper() })
            pieces += { "<" + spelling + ">", "</" + spelling + ">", "<" + spelling, spelling + ">" };
    QRandomGenerator random(42);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        for (int i = random.bounded(1, 16); i > 0; --i)
            text += pieces[random.bounded(int(pieces.size()))];
        const KeyReader reader(text, names);
        for (QLatin1String name : names)
            ASSERT_EQ(reader.value(name), getElementValue(text, name))
                << text.toStdString() << " / " << name.data();
    }
}
