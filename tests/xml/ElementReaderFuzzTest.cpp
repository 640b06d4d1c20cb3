// Random, huge, binary and pathologically nested texts through every
// element operation: each must end with a result, in time linear in the text
// (the shapes below would take hours with a rescan per element).

#include "xml/ElementReader.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>
#include <tuple>

using namespace zet;

namespace {

const QStringList kNames = { "Row", "a", "B", "", "<a", "a>b", "/a", "\u00C9l\u00E8ve" };

// A whole walk, taking every element or only moving on: what was taken and
// what is left add up to the text, and a walk that only moves on leaves it as
// it was. Returns the number of elements met, at most one per '<'.
qsizetype walk(const QString &text, const QString &name, bool take)
{
    QString stripped = name;
    stripped.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
    qsizetype removed = 0;
    qsizetype met = 0;
    int h = openCursor(text, name);
    for (; !cursorAtEnd(h); cursorNext(h), ++met) {
        if (take) {
            removed += cursorTake(h).size() + 2 * stripped.size() + 5; // with "<name>" and "</name>"
        } else if (text.size() < 10000) {
            EXPECT_TRUE(text.contains(cursorCurrent(h))) << "element " << met;
        }
    }
    const QString rest = closeCursor(h);
    EXPECT_EQ(rest.size(), text.size() - removed);
    EXPECT_TRUE(take || rest == text);
    EXPECT_LE(met, text.count(QLatin1Char('<')));
    return met;
}

void singleLookups(const QString &text, const QString &name)
{
    ElementMatch m;
    const bool found = findElement(text, name, &m);
    const QString removed = removeElement(text, name);
    const QString set = setElementValue(text, name, QStringLiteral(" v "));
    const QString element = QLatin1Char('<') + name + QStringLiteral(">v</") + name + QLatin1Char('>');
    if (found) {
        EXPECT_LE(0, m.openPos);
        EXPECT_LE(m.openPos, m.closePos);
        EXPECT_LE(m.afterClose, text.size());
        EXPECT_EQ(getElementValue(text, name).size(), m.closePos - m.contentStart);
        EXPECT_EQ(removed.size(), text.size() - (m.afterClose - m.openPos));
        EXPECT_EQ(set.size(), removed.size() + element.size());
        EXPECT_EQ(QStringView(set).mid(m.openPos, element.size()), element);
    } else {
        EXPECT_EQ(getElementValue(text, name), QString());
        EXPECT_EQ(removed, text);
        EXPECT_EQ(set, text + element);
    }
}

void everyOperation(const QString &text, const QString &name)
{
    SCOPED_TRACE(QStringLiteral("name \"%1\", %2 units").arg(name).arg(text.size()).toStdString());
    singleLookups(text, name);
    walk(text, name, true);
    walk(text, name, false);
    EXPECT_EQ(cursorTableSize(), 0);
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

} // namespace

// Random texts of every kind are compared with the plain algorithm by the
// equivalence test; these are large ones.
TEST(ElementReaderFuzz, BinaryTexts)
{
    QRandomGenerator random(8);
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
    EXPECT_GT(walk(huge, QStringLiteral("row"), true), 45000);
    EXPECT_GT(walk(huge, QStringLiteral("ROW"), false), 95000);
    singleLookups(huge, QStringLiteral("Row"));
    singleLookups(huge, QStringLiteral("missing"));

    const int count = 400000;
    // Text, elements visited.
    const std::tuple<const char *, QString, qsizetype> cases[] = {
        // 400,000 elements all closing at the one closing tag at the end.
        { "opens then one close", QStringLiteral("<a>").repeated(count) + QStringLiteral("</a>"), count },
        { "opens only", QStringLiteral("<a>").repeated(count), 0 },
        { "closes only", QStringLiteral("</a>").repeated(count), 0 },
        { "unterminated tags", QStringLiteral("<a").repeated(count), 0 },
        { "brackets only", QStringLiteral("<<>>").repeated(count), 0 },
    };
    for (const auto &[what, text, visited] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(walk(text, QStringLiteral("a"), false), visited);
        walk(text, QStringLiteral("a"), true);
        singleLookups(text, QStringLiteral("A"));
        EXPECT_EQ(cursorTableSize(), 0);
    }
}

TEST(ElementReaderFuzz, TenThousandDeepNesting)
{
    const int depth = 10000;
    const QString text
        = QStringLiteral("<a>").repeated(depth) + QLatin1Char('x') + QStringLiteral("</a>").repeated(depth);
    // Every level is visited, each ending at the innermost closing tag.
    int h = openCursor(text, QStringLiteral("A"));
    for (int level = 0; level < depth; ++level, cursorNext(h)) {
        ASSERT_EQ(cursorCurrent(h).size(), 3 * (depth - level - 1) + 1) << "level " << level;
    }
    EXPECT_TRUE(cursorAtEnd(h));
    EXPECT_EQ(closeCursor(h), text);
    singleLookups(text, QStringLiteral("a"));
    // The outer element ends at the innermost closing tag, so its value holds
    // no closing tag at all and a reader one level down finds nothing.
    h = openCursor(text, QStringLiteral("a"));
    const QString outer = cursorTake(h);
    EXPECT_FALSE(cursorNext(h));
    EXPECT_EQ(closeCursor(h), QStringLiteral("</a>").repeated(depth - 1));
    EXPECT_EQ(outer, QStringLiteral("<a>").repeated(depth - 1) + QLatin1Char('x'));
    EXPECT_EQ(walk(outer, QStringLiteral("a"), true), 0);
}
