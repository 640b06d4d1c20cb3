// Binary, huge, unbalanced and deeply nested texts through every element
// operation: each ends with a result, in time linear in the text (the shapes
// below would take hours with a rescan per element). Small random texts are
// compared with the plain algorithm by the equivalence test.

#include "xml/ElementCursor.h"
#include "xml/ElementReader.h"

#include <QList>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <utility>

using namespace zet;

TEST(ElementReaderFuzz, BinaryHugeUnbalancedAndDeepTexts)
{
    QRandomGenerator random(8);
    // Texts and the elements a walk for "a" visits (-1: any number).
    QList<std::pair<QString, qsizetype>> texts;
    for (int i = 0; i < 20; ++i) {
        QString text(1 + random.bounded(50000), Qt::Uninitialized);
        for (QChar &c : text) // even: a template's raw image bytes read as Latin-1
            c = QChar(char16_t(random.bounded(i % 2 == 0 ? 256 : 0x10000)));
        texts.append({ text, -1 });
    }
    QString records; // about 3.5 million units, 100,000 elements, 50 stray opening tags
    for (int i = 0; i < 50000; ++i)
        records += QStringLiteral("<A><b>%1</b><A><b>in</b></a></A>\n").arg(random.generate());
    for (int i = 0; i < 50; ++i)
        records.insert(random.bounded(int(records.size())), QStringLiteral("<a>"));
    const int count = 400000;
    const int depth = 10000;
    texts.append({ { records, -1 },
        // 400,000 elements all closing at the one closing tag at the end.
        { QStringLiteral("<a>").repeated(count) + QStringLiteral("</a>"), count },
        { QStringLiteral("<a>").repeated(count), 0 }, { QStringLiteral("</a>").repeated(count), 0 },
        { QStringLiteral("<a").repeated(count), 0 },
        { QStringLiteral("<A>").repeated(depth) + 'x' + QStringLiteral("</a>").repeated(depth), depth } });
    for (const auto &[text, visited] : texts) {
        for (const char *name : { "a", "B", "", "<a", "a>b", "/a", "\u00C9l\u00E8ve" }) {
            const QString n = QString::fromUtf8(name);
            SCOPED_TRACE(QStringLiteral("name \"%1\", %2 units").arg(n).arg(text.size()).toStdString());
            // What a walk takes and leaves adds up to the text; visiting leaves it as it was.
            const qsizetype tags = 2 * QString(n).remove(QRegularExpression("[<>]")).size() + 5;
            for (const bool take : { false, true }) {
                ElementCursor cursor(text, n);
                qsizetype met = 0;
                qsizetype removed = 0;
                for (; !cursor.atEnd(); cursor.next(), ++met)
                    removed += take ? cursor.take().size() + tags : 0;
                EXPECT_EQ(cursor.remainingText().size(), text.size() - removed);
                EXPECT_TRUE(take || cursor.remainingText() == text);
                EXPECT_TRUE(n != QLatin1String("a") || take || visited < 0 || met == visited);
            }
            ElementMatch m;
            const qsizetype cut = findElement(text, n, &m) ? m.afterClose - m.openPos : 0;
            EXPECT_EQ(getElementValue(text, n).size(), cut ? m.closePos - m.contentStart : 0);
            EXPECT_EQ(removeElement(text, n).size(), text.size() - cut);
            EXPECT_EQ(
                setElementValue(text, n, QStringLiteral(" v ")).size(), text.size() - cut + 2 * n.size() + 6);
        }
    }
}
