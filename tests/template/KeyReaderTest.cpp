#include "template/KeyReader.h"

#include "xml/ElementCursor.h"
#include "xml/ElementReader.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace zet;

// Random texts of tags in several letter cases, broken tags and text: keys read as the element lookup reads
// them, in the whole text and in any part that starts after a '>' and ends at a '<'; elements come as an
// element cursor walks them.
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
        QList<qsizetype> begins = { 0 };
        QList<qsizetype> ends = { text.size() };
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == u'>')
                begins << i + 1;
            if (text.at(i) == u'<')
                ends << i;
        }
        const qsizetype begin = begins[random.bounded(int(begins.size()))];
        const qsizetype end = std::max(begin, ends[random.bounded(int(ends.size()))]);
        const QString part = text.mid(begin, end - begin);
        for (QLatin1String name : names) {
            ASSERT_EQ(reader.value(name), getElementValue(text, name))
                << text.toStdString() << " / " << name.data();
            ASSERT_EQ(reader.value(name, { begin, end }), getElementValue(part, name))
                << text.toStdString() << " [" << begin << ", " << end << ") / " << name.data();
            QStringList walked;
            for (ElementCursor cursor(text, name); !cursor.atEnd(); cursor.next())
                walked << cursor.current();
            QStringList parts;
            for (const KeyReader::Part element : reader.elements(name))
                parts << text.mid(element.begin, element.end - element.begin);
            ASSERT_EQ(parts, walked) << text.toStdString() << " / " << name.data();
        }
    }
}
