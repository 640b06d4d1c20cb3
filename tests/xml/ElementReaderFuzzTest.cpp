// Random, mutated, huge, binary and pathologically nested texts through every
// element operation: each must end with a result, in time linear in the text
// (the shapes below would take hours with a rescan per element).

#include "xml/ElementReader.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

using namespace zet;

namespace {

const QStringList kNames = { QStringLiteral("Row"), QStringLiteral("a"), QStringLiteral("B"),
    QStringLiteral(""), QStringLiteral("<a"), QStringLiteral("a>b"), QStringLiteral("/a"),
    QStringLiteral("\u00C9l\u00E8ve") };

QString repeated(const QString &piece, int count)
{
    return piece.repeated(count);
}

// A walk that takes every element, checking that what was taken and what is
// left add up to the text. Returns the number of elements taken.
qsizetype takeWalk(const QString &text, const QString &name)
{
    QString stripped = name;
    stripped.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
    const qsizetype tags = 2 * stripped.size() + 5; // "<name>" and "</name>"
    qsizetype removed = 0;
    qsizetype taken = 0;
    int h = OpenCursor(text, name);
    while (!CursorAtEnd(h)) {
        removed += CursorTake(h).size() + tags;
        ++taken;
        CursorNext(h);
    }
    const QString rest = CloseCursor(h);
    EXPECT_EQ(rest.size(), text.size() - removed);
    return taken;
}

// A walk that only moves on: the text is left as it was. Returns the number
// of elements visited, each one starting at a '<'.
qsizetype nextWalk(const QString &text, const QString &name, bool readValues)
{
    qsizetype visited = 0;
    int h = OpenCursor(text, name);
    while (!CursorAtEnd(h)) {
        if (readValues) {
            EXPECT_TRUE(text.contains(CursorCurrent(h))) << "element " << visited;
        }
        ++visited;
        CursorNext(h);
    }
    EXPECT_EQ(CloseCursor(h), text);
    EXPECT_LE(visited, text.count(QLatin1Char('<')));
    return visited;
}

void singleLookups(const QString &text, const QString &name)
{
    ElementMatch m;
    const bool found = FindElement(text, name, &m);
    const QString value = GetElementValue(text, name);
    const QString removed = RemoveElement(text, name);
    const QString set = SetElementValue(text, name, QStringLiteral(" v "));
    const QString element = QLatin1Char('<') + name + QStringLiteral(">v</") + name + QLatin1Char('>');
    if (found) {
        EXPECT_LE(0, m.OpenPos);
        EXPECT_LE(m.OpenPos, m.ClosePos);
        EXPECT_LE(m.AfterClose, text.size());
        EXPECT_EQ(removed.size(), text.size() - (m.AfterClose - m.OpenPos));
        EXPECT_EQ(set.size(), removed.size() + element.size());
        EXPECT_EQ(QStringView(set).mid(m.OpenPos, element.size()), element);
    } else {
        EXPECT_EQ(value, QString());
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
    static const QString inserts[] = { QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("</"),
        QStringLiteral("<Row>"), QStringLiteral("</Row>"), QStringLiteral("<a>"), QStringLiteral("</A>"),
        QStringLiteral("\0"), QStringLiteral("\U0001F600") };
    const int mutations = 1 + random.bounded(20);
    for (int i = 0; i < mutations && !text.isEmpty(); ++i) {
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

TEST(ElementReaderFuzz, MutatedDataTexts)
{
    QRandomGenerator random(7);
    const QString seed = records(random, 20);
    for (int i = 0; i < 1500; ++i) {
        const QString text = mutated(random, seed);
        everyOperation(text, kNames.at(random.bounded(int(kNames.size()))));
        if (HasFailure())
            return;
    }
}

TEST(ElementReaderFuzz, BinaryTexts)
{
    QRandomGenerator random(8);
    for (int i = 0; i < 40; ++i) {
        QString text(1 + random.bounded(50000), Qt::Uninitialized);
        const bool bytes = i % 2 == 0; // a template's raw image bytes read as Latin-1
        for (QChar &c : text)
            c = QChar(char16_t(bytes ? random.bounded(256) : random.bounded(0x10000)));
        for (const QString &name : kNames)
            everyOperation(text, name);
    }
}

TEST(ElementReaderFuzz, HugeDataText)
{
    QRandomGenerator random(9);
    QString text = records(random, 50000); // about 3.5 million units
    for (int i = 0; i < 50; ++i)
        text.insert(random.bounded(int(text.size())), QStringLiteral("<Row>"));
    EXPECT_GT(takeWalk(text, QStringLiteral("row")), 45000);
    EXPECT_GT(nextWalk(text, QStringLiteral("ROW"), false), 95000);
    singleLookups(text, QStringLiteral("Row"));
    singleLookups(text, QStringLiteral("missing"));
}

TEST(ElementReaderFuzz, TenThousandDeepNesting)
{
    const int depth = 10000;
    const QString text
        = repeated(QStringLiteral("<a>"), depth) + QLatin1Char('x') + repeated(QStringLiteral("</a>"), depth);
    // Every level is visited, each ending at the innermost closing tag.
    EXPECT_EQ(nextWalk(text, QStringLiteral("A"), false), depth);
    int h = OpenCursor(text, QStringLiteral("A"));
    for (int level = 0; level < depth; ++level, CursorNext(h)) {
        ASSERT_EQ(CursorCurrent(h).size(), 3 * (depth - level - 1) + 1) << "level " << level;
    }
    EXPECT_TRUE(CursorAtEnd(h));
    CloseCursor(h);
    EXPECT_EQ(takeWalk(text, QStringLiteral("a")), 1);
    singleLookups(text, QStringLiteral("a"));
    // The outer element ends at the innermost closing tag, so its value holds
    // no closing tag at all and a reader one level down finds nothing.
    h = OpenCursor(text, QStringLiteral("a"));
    const QString outer = CursorTake(h);
    CloseCursor(h);
    EXPECT_EQ(outer, repeated(QStringLiteral("<a>"), depth - 1) + QLatin1Char('x'));
    h = OpenCursor(outer, QStringLiteral("a"));
    EXPECT_TRUE(CursorAtEnd(h));
    CloseCursor(h);
}

TEST(ElementReaderFuzz, DeepNestingOfDistinctNamesReadLevelByLevel)
{
    const int depth = 2000;
    QString text = QStringLiteral("x");
    for (int level = depth - 1; level >= 0; --level)
        text = QStringLiteral("<L%1>").arg(level) + text + QStringLiteral("</l%1>").arg(level);
    // Nested walks, one cursor per level open at once, as a recursive reader.
    QString value = text;
    QList<int> handles;
    for (int level = 0; level < depth; ++level) {
        handles.append(OpenCursor(value, QStringLiteral("l%1").arg(level)));
        ASSERT_FALSE(CursorAtEnd(handles.last())) << "level " << level;
        value = CursorTake(handles.last());
    }
    EXPECT_EQ(value, QStringLiteral("x"));
    EXPECT_EQ(CursorTableSize(), depth);
    while (!handles.isEmpty()) {
        EXPECT_EQ(CloseCursor(handles.last()), QString());
        handles.removeLast();
    }
    EXPECT_EQ(CursorTableSize(), 0);
    EXPECT_EQ(GetElementValue(text, QStringLiteral("l1999")), QStringLiteral("x"));
}

TEST(ElementReaderFuzz, UnbalancedTags)
{
    const int count = 400000;
    const struct
    {
        const char *what;
        QString text;
        qsizetype visited;
    } cases[] = {
        // 400,000 elements all closing at the one closing tag at the end.
        { "opens then one close", repeated(QStringLiteral("<a>"), count) + QStringLiteral("</a>"), count },
        { "opens only", repeated(QStringLiteral("<a>"), count), 0 },
        { "closes only", repeated(QStringLiteral("</a>"), count), 0 },
        { "unterminated tags", repeated(QStringLiteral("<a"), count), 0 },
        { "brackets only", repeated(QStringLiteral("<<>>"), count), 0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(nextWalk(c.text, QStringLiteral("a"), false), c.visited);
        takeWalk(c.text, QStringLiteral("a"));
        singleLookups(c.text, QStringLiteral("a"));
        singleLookups(c.text, QStringLiteral("A"));
        EXPECT_EQ(CursorTableSize(), 0);
    }
}
