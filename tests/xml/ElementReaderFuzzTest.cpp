// Random, mutated, huge, binary and pathologically nested texts through every
// element operation: each must end with a result, in time linear in the text
// (the shapes below would take hours with a rescan per element).

#include "xml/ElementReader.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

using namespace zet;

namespace {

const QStringList kNames = { "Row", "a", "B", "", "<a", "a>b", "/a", "\u00C9l\u00E8ve" };

// A walk that takes every element: what was taken and what is left add up to
// the text. Returns the number of elements taken.
qsizetype takeWalk(const QString &text, const QString &name)
{
    QString stripped = name;
    stripped.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
    const qsizetype tags = 2 * stripped.size() + 5; // "<name>" and "</name>"
    qsizetype removed = 0;
    qsizetype taken = 0;
    int h = OpenCursor(text, name);
    for (; !CursorAtEnd(h); CursorNext(h), ++taken)
        removed += CursorTake(h).size() + tags;
    EXPECT_EQ(CloseCursor(h).size(), text.size() - removed);
    return taken;
}

// A walk that only moves on: the text is left as it was. Returns the number
// of elements visited, each one starting at a '<'.
qsizetype nextWalk(const QString &text, const QString &name, bool readValues)
{
    qsizetype visited = 0;
    int h = OpenCursor(text, name);
    for (; !CursorAtEnd(h); CursorNext(h), ++visited) {
        if (readValues) {
            EXPECT_TRUE(text.contains(CursorCurrent(h))) << "element " << visited;
        }
    }
    EXPECT_EQ(CloseCursor(h), text);
    EXPECT_LE(visited, text.count(QLatin1Char('<')));
    return visited;
}

void singleLookups(const QString &text, const QString &name)
{
    ElementMatch m;
    const bool found = FindElement(text, name, &m);
    const QString removed = RemoveElement(text, name);
    const QString set = SetElementValue(text, name, QStringLiteral(" v "));
    const QString element = QLatin1Char('<') + name + QStringLiteral(">v</") + name + QLatin1Char('>');
    if (found) {
        EXPECT_LE(0, m.OpenPos);
        EXPECT_LE(m.OpenPos, m.ClosePos);
        EXPECT_LE(m.AfterClose, text.size());
        EXPECT_EQ(GetElementValue(text, name).size(), m.ClosePos - m.ContentStart);
        EXPECT_EQ(removed.size(), text.size() - (m.AfterClose - m.OpenPos));
        EXPECT_EQ(set.size(), removed.size() + element.size());
        EXPECT_EQ(QStringView(set).mid(m.OpenPos, element.size()), element);
    } else {
        EXPECT_EQ(GetElementValue(text, name), QString());
        EXPECT_EQ(removed, text);
        EXPECT_EQ(set, text + element);
    }
}

void everyOperation(const QString &text, const QString &name)
{
    SCOPED_TRACE(QStringLiteral("name \"%1\", %2 units").arg(name).arg(text.size()).toStdString());
    singleLookups(text, name);
    takeWalk(text, name);
    nextWalk(text, name, text.size() < 10000);
    EXPECT_EQ(LowerPerChar(text).size(), text.size());
    EXPECT_EQ(CursorTableSize(), 0);
}

QString records(QRandomGenerator &random, int count)
{
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QStringLiteral("<Row><a>%1</a><B>x &lt; y</B><Row><a>in</a></Row></Row>\n")
                    .arg(random.generate());
        if (random.bounded(10) == 0)
            text += QStringLiteral("<row><A></A></ROW>");
    }
    return text;
}

QString mutated(QRandomGenerator &random, QString text)
{
    static const QString inserts[]
        = { "<", ">", "</", "<Row>", "</Row>", "<a>", "</A>", QString(QChar(0)), "\U0001F600" };
    for (int i = 1 + random.bounded(20); i > 0 && !text.isEmpty(); --i) {
        const int at = random.bounded(int(text.size()));
        const int length = random.bounded(int(text.size()) - at + 1);
        switch (random.bounded(6)) {
        case 0:
            text.remove(at, length);
            break;
        case 1:
            text.insert(at, text.mid(at, length));
            break;
        case 2:
            text.insert(at, inserts[random.bounded(9)]);
            break;
        case 3:
            text.replace(at, length, text.mid(at, length).toUpper());
            break;
        case 4:
            text[at] = QChar(char16_t(random.bounded(0x10000)));
            break;
        default:
            text.truncate(at);
            break;
        }
    }
    return text;
}

} // namespace

TEST(ElementReaderFuzz, MutatedAndBinaryTexts)
{
    QRandomGenerator random(7);
    const QString seed = records(random, 20);
    for (int i = 0; i < 1500 && !HasFailure(); ++i)
        everyOperation(mutated(random, seed), kNames.at(random.bounded(int(kNames.size()))));

    for (int i = 0; i < 20; ++i) {
        QString text(1 + random.bounded(50000), Qt::Uninitialized);
        const bool bytes = i % 2 == 0; // a template's raw image bytes read as Latin-1
        for (QChar &c : text)
            c = QChar(char16_t(bytes ? random.bounded(256) : random.bounded(0x10000)));
        for (const QString &name : kNames)
            everyOperation(text, name);
    }
}

TEST(ElementReaderFuzz, HugeAndUnbalancedTexts)
{
    QRandomGenerator random(9);
    QString huge = records(random, 50000); // about 3.5 million units
    for (int i = 0; i < 50; ++i)
        huge.insert(random.bounded(int(huge.size())), QStringLiteral("<Row>"));
    EXPECT_GT(takeWalk(huge, QStringLiteral("row")), 45000);
    EXPECT_GT(nextWalk(huge, QStringLiteral("ROW"), false), 95000);
    singleLookups(huge, QStringLiteral("Row"));
    singleLookups(huge, QStringLiteral("missing"));

    const int count = 400000;
    const struct
    {
        const char *what;
        QString text;
        qsizetype visited;
    } cases[] = {
        // 400,000 elements all closing at the one closing tag at the end.
        { "opens then one close", QStringLiteral("<a>").repeated(count) + QStringLiteral("</a>"), count },
        { "opens only", QStringLiteral("<a>").repeated(count), 0 },
        { "closes only", QStringLiteral("</a>").repeated(count), 0 },
        { "unterminated tags", QStringLiteral("<a").repeated(count), 0 },
        { "brackets only", QStringLiteral("<<>>").repeated(count), 0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(nextWalk(c.text, QStringLiteral("a"), false), c.visited);
        takeWalk(c.text, QStringLiteral("a"));
        singleLookups(c.text, QStringLiteral("A"));
        EXPECT_EQ(CursorTableSize(), 0);
    }
}

TEST(ElementReaderFuzz, TenThousandDeepNesting)
{
    const int depth = 10000;
    const QString text
        = QStringLiteral("<a>").repeated(depth) + QLatin1Char('x') + QStringLiteral("</a>").repeated(depth);
    // Every level is visited, each ending at the innermost closing tag.
    int h = OpenCursor(text, QStringLiteral("A"));
    for (int level = 0; level < depth; ++level, CursorNext(h)) {
        ASSERT_EQ(CursorCurrent(h).size(), 3 * (depth - level - 1) + 1) << "level " << level;
    }
    EXPECT_TRUE(CursorAtEnd(h));
    EXPECT_EQ(CloseCursor(h), text);
    singleLookups(text, QStringLiteral("a"));
    // The outer element ends at the innermost closing tag, so its value holds
    // no closing tag at all and a reader one level down finds nothing.
    h = OpenCursor(text, QStringLiteral("a"));
    const QString outer = CursorTake(h);
    EXPECT_FALSE(CursorNext(h));
    EXPECT_EQ(CloseCursor(h), QStringLiteral("</a>").repeated(depth - 1));
    EXPECT_EQ(outer, QStringLiteral("<a>").repeated(depth - 1) + QLatin1Char('x'));
    EXPECT_EQ(takeWalk(outer, QStringLiteral("a")), 0);

    // Distinct names one level each, read by nested walks with one cursor per
    // level open at once, as a recursive reader does.
    QString nested = QStringLiteral("x");
    for (int level = 1999; level >= 0; --level)
        nested = QStringLiteral("<L%1>").arg(level) + nested + QStringLiteral("</l%1>").arg(level);
    QString value = nested;
    QList<int> handles;
    for (int level = 0; level < 2000; ++level) {
        handles.append(OpenCursor(value, QStringLiteral("l%1").arg(level)));
        ASSERT_FALSE(CursorAtEnd(handles.last())) << "level " << level;
        value = CursorTake(handles.last());
    }
    EXPECT_EQ(value, QStringLiteral("x"));
    EXPECT_EQ(CursorTableSize(), 2000);
    for (; !handles.isEmpty(); handles.removeLast())
        EXPECT_EQ(CloseCursor(handles.last()), QString());
    EXPECT_EQ(CursorTableSize(), 0);
    EXPECT_EQ(GetElementValue(nested, QStringLiteral("l1999")), QStringLiteral("x"));
}
