#include "xml/ElementReader.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace zet;

namespace {

struct LookupCase
{
    const char *what;
    const char *text;
    const char *name;
    const char *value;
};

// Takes every element of the cursor, as the record reader does.
QStringList takeAll(int handle)
{
    QStringList values;
    while (!CursorAtEnd(handle)) {
        values << CursorTake(handle);
        CursorNext(handle);
    }
    return values;
}

class ElementCursor : public testing::Test
{
protected:
    void TearDown() override { EXPECT_EQ(CursorTableSize(), 0) << "a walk left its cursor open"; }
};

} // namespace

TEST(GetElementValue, FollowsTheThreePasses)
{
    const LookupCase cases[] = {
        { "plain", "x<a>1</a>y", "a", "1" },
        { "first of two", "<a>1</a><a>2</a>", "a", "1" },
        { "nested same name ends at the inner close", "<a>1<a>2</a>3</a>", "a", "1<a>2" },
        { "content holds other tags unchanged", "<r><b>x</b> &amp; </r>", "r", "<b>x</b> &amp; " },
        { "missing close tag", "<a>1", "a", "" },
        { "close tag before the open tag only", "</a><a>1", "a", "" },
        { "tag with something after the name is not the tag", "<a x=1>1</a>", "a", "" },
        { "exact open with close in another case: pass 1 decides", "<a>1</A><A>2</A>", "a", "" },
        { "exact case preferred over earlier other case", "<A>1</A><a>2</a>", "a", "2" },
        { "lower-case text found by pass 2", "<row>1</row>", "Row", "1" },
        { "pass 2 open without its close decides", "<row>1</ROW>", "Row", "" },
        { "capitals found by pass 3", "<ROW>1</Row>", "row", "1" },
        { "mixed case found by pass 3", "<rOw>1</RoW>", "Row", "1" },
        { "empty name", "<>1</>", "", "1" },
        { "name with a bracket", "<a<b>1</a<b>", "a<b", "1" },
        { "empty value", "<a></a>", "a", "" },
        { "absent", "<b>1</b>", "a", "" },
        { "empty text", "", "a", "" },
    };
    for (const LookupCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(GetElementValue(QString::fromUtf8(c.text), QString::fromUtf8(c.name)),
            QString::fromUtf8(c.value));
    }
}

TEST(FindElement, ReportsZeroBasedPositionsAndTheTagsOfTheNamePassedIn)
{
    ElementMatch m;
    ASSERT_TRUE(FindElement(QStringLiteral("ab<X>cd</x>ef"), QStringLiteral("x"), &m));
    EXPECT_EQ(m.OpenTag, QStringLiteral("<x>"));
    EXPECT_EQ(m.CloseTag, QStringLiteral("</x>"));
    EXPECT_EQ(m.OpenPos, 2);
    EXPECT_EQ(m.ContentStart, 5);
    EXPECT_EQ(m.ClosePos, 7);
    EXPECT_EQ(m.AfterClose, 11);

    ElementMatch absent;
    EXPECT_FALSE(FindElement(QStringLiteral("<x>1"), QStringLiteral("x"), &absent));
    EXPECT_EQ(absent.OpenPos, -1);
    EXPECT_EQ(absent.ClosePos, -1);
}

TEST(RemoveElement, TakesOutTheFirstElementWithItsTags)
{
    EXPECT_EQ(RemoveElement(QStringLiteral("a<x>1</x>b<x>2</x>"), QStringLiteral("x")),
        QStringLiteral("ab<x>2</x>"));
    EXPECT_EQ(RemoveElement(QStringLiteral("<X>1</X>rest"), QStringLiteral("x")), QStringLiteral("rest"));
    EXPECT_EQ(RemoveElement(QStringLiteral("<x>1</X>"), QStringLiteral("x")), QStringLiteral("<x>1</X>"));
    EXPECT_EQ(RemoveElement(QString(), QStringLiteral("x")), QString());
}

TEST(SetElementValue, ReplacesOrAppends)
{
    const struct
    {
        const char *what;
        const char *text;
        const char *name;
        const char *value;
        const char *expected;
    } cases[] = {
        { "replaces the first element", "<r><v>1</v><v>2</v></r>", "v", "9", "<r><v>9</v><v>2</v></r>" },
        { "trims spaces only", "<v>1</v>", "v", "  \t9 x\t  ", "<v>\t9 x\t</v>" },
        { "blanks give an empty element", "<v>1</v>", "v", "   ", "<v></v>" },
        { "appends after the enclosing close tag", "<r><a>1</a></r>", "b", "2", "<r><a>1</a></r><b>2</b>" },
        { "appends to empty text", "", "b", " 2 ", "<b>2</b>" },
        { "writes the name as passed in", "<ROW>old</ROW>tail", "Row", "new", "<Row>new</Row>tail" },
        { "open tag without close is not replaced", "<v>1", "v", "2", "<v>1<v>2</v>" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(
            SetElementValue(QString::fromUtf8(c.text), QString::fromUtf8(c.name), QString::fromUtf8(c.value)),
            QString::fromUtf8(c.expected));
    }
}

TEST(LowerPerChar, KeepsTheLengthOfEveryUnit)
{
    // As a whole string U+0130 lower-cases to two units ("i" and a combining
    // dot); unit by unit it has no lower case of one unit and stays.
    const QString text = QStringLiteral("AbC\u0130\u00C4\U0001F600");
    const QString lower = LowerPerChar(text);
    EXPECT_EQ(lower.size(), text.size());
    EXPECT_EQ(lower, QStringLiteral("abc\u0130\u00E4\U0001F600"));
}

TEST_F(ElementCursor, TakesThreeSiblingsInOrderAndLeavesTheRest)
{
    int h = OpenCursor(QStringLiteral("<r> <i>1</i>,<I>2</I>,<i>3</i> </r>"), QStringLiteral("i"));
    EXPECT_EQ(takeAll(h), QStringList({ "1", "2", "3" }));
    EXPECT_EQ(CloseCursor(h), QStringLiteral("<r> ,, </r>"));
    EXPECT_EQ(h, -1);
}

TEST_F(ElementCursor, NextVisitsEachSiblingOnceWithoutChangingTheText)
{
    const QString text = QStringLiteral("<a>1</a><b>x</b><A>2</a>");
    int h = OpenCursor(text, QStringLiteral("A"));
    QStringList seen;
    while (!CursorAtEnd(h)) {
        seen << CursorCurrent(h);
        CursorNext(h);
    }
    EXPECT_EQ(seen, QStringList({ "1", "2" }));
    EXPECT_FALSE(CursorNext(h));
    EXPECT_EQ(CloseCursor(h), text);
}

TEST_F(ElementCursor, NextEntersANestedElementOfTheSameName)
{
    int h = OpenCursor(QStringLiteral("<a>1<a>2</a>3</a><a>4</a>"), QStringLiteral("a"));
    EXPECT_EQ(CursorCurrent(h), QStringLiteral("1<a>2"));
    ASSERT_TRUE(CursorNext(h));
    EXPECT_EQ(CursorCurrent(h), QStringLiteral("2"));
    ASSERT_TRUE(CursorNext(h));
    EXPECT_EQ(CursorCurrent(h), QStringLiteral("4"));
    EXPECT_FALSE(CursorNext(h));
    EXPECT_TRUE(CursorAtEnd(h));
    CloseCursor(h);
}

TEST_F(ElementCursor, TakingANestedPairLeavesItsTail)
{
    // The take removes "<a>1<a>2</a>"; the walk then finds the next opening tag.
    int h = OpenCursor(QStringLiteral("<a>1<a>2</a>3</a><a>4</a>"), QStringLiteral("a"));
    EXPECT_EQ(takeAll(h), QStringList({ "1<a>2", "4" }));
    EXPECT_EQ(CloseCursor(h), QStringLiteral("3</a>"));
}

TEST_F(ElementCursor, AfterATakeNothingIsCurrentUntilNext)
{
    int h = OpenCursor(QStringLiteral("<a>1</a><a>2</a>"), QStringLiteral("a"));
    EXPECT_EQ(CursorTake(h), QStringLiteral("1"));
    EXPECT_FALSE(CursorAtEnd(h));
    EXPECT_EQ(CursorCurrent(h), QString());
    EXPECT_EQ(CursorTake(h), QString()); // a second take removes nothing
    ASSERT_TRUE(CursorNext(h));
    EXPECT_EQ(CursorCurrent(h), QStringLiteral("2"));
    EXPECT_EQ(CloseCursor(h), QStringLiteral("<a>2</a>"));
}

TEST_F(ElementCursor, ATagJoinedByATakeLiesBeforeTheWalkAndIsNotVisited)
{
    int h = OpenCursor(QStringLiteral("<<a>1</a>a>2</a>"), QStringLiteral("a"));
    EXPECT_EQ(takeAll(h), QStringList({ "1" }));
    EXPECT_EQ(CloseCursor(h), QStringLiteral("<a>2</a>"));
}

TEST_F(ElementCursor, NamesAreStrippedOfAngleBracketsAndAnEmptyNameFindsNothing)
{
    int h = OpenCursor(QStringLiteral("<Row>1</Row>"), QStringLiteral("<Row>"));
    EXPECT_EQ(CursorCurrent(h), QStringLiteral("1"));
    CloseCursor(h);

    for (const char *name : { "", "<>", "<<>>" }) {
        SCOPED_TRACE(name);
        int e = OpenCursor(QStringLiteral("<>1</>"), QString::fromLatin1(name));
        EXPECT_TRUE(CursorAtEnd(e));
        EXPECT_FALSE(CursorNext(e));
        EXPECT_EQ(CursorTake(e), QString());
        EXPECT_EQ(CloseCursor(e), QStringLiteral("<>1</>"));
    }
}

TEST_F(ElementCursor, AMissingCloseTagEndsTheWalk)
{
    int h = OpenCursor(QStringLiteral("<a>1</a><a>2<b></b>"), QStringLiteral("a"));
    EXPECT_EQ(takeAll(h), QStringList({ "1" }));
    EXPECT_EQ(CloseCursor(h), QStringLiteral("<a>2<b></b>"));
}

TEST_F(ElementCursor, HandlesCountFromOneAndMinusOneIsTheNewest)
{
    int outer = OpenCursor(QStringLiteral("<a>1</a>"), QStringLiteral("a"));
    int inner = OpenCursor(QStringLiteral("<b>2</b>"), QStringLiteral("b"));
    EXPECT_EQ(outer, 1);
    EXPECT_EQ(inner, 2);
    EXPECT_EQ(CursorCurrent(-1), QStringLiteral("2"));
    EXPECT_EQ(CursorTake(-1), QStringLiteral("2"));
    int newest = -1;
    EXPECT_EQ(CloseCursor(newest), QString());
    EXPECT_EQ(CursorTableSize(), 1);
    EXPECT_EQ(CursorCurrent(-1), QStringLiteral("1"));
    CloseCursor(outer);
}

TEST_F(ElementCursor, HandlesOutsideTheTableDoNothing)
{
    for (int handle : { 0, -1, -2, 1, 7 }) {
        SCOPED_TRACE(handle);
        EXPECT_FALSE(CursorAtEnd(handle));
        EXPECT_FALSE(CursorNext(handle));
        EXPECT_EQ(CursorCurrent(handle), QString());
        EXPECT_EQ(CursorTake(handle), QString());
        int h = handle;
        EXPECT_EQ(CloseCursor(h), QString());
        EXPECT_EQ(h, -1);
    }
}

TEST_F(ElementCursor, ClosingBelowTheTopClearsTheSlotAndTheTopShrinksTheTable)
{
    int first = OpenCursor(QStringLiteral("<a>1</a>"), QStringLiteral("a"));
    int second = OpenCursor(QStringLiteral("<a>2</a>"), QStringLiteral("a"));
    int third = OpenCursor(QStringLiteral("<a>3</a>"), QStringLiteral("a"));
    int stale = second;
    EXPECT_EQ(CloseCursor(second), QStringLiteral("<a>2</a>"));
    EXPECT_EQ(CursorTableSize(), 3);
    // A cleared slot is an empty cursor that is not at its end.
    EXPECT_FALSE(CursorAtEnd(stale));
    EXPECT_FALSE(CursorNext(stale));
    EXPECT_EQ(CursorCurrent(stale), QString());
    EXPECT_EQ(CloseCursor(third), QStringLiteral("<a>3</a>"));
    EXPECT_EQ(CursorTableSize(), 1); // the cleared slot went with the top
    EXPECT_EQ(OpenCursor(QStringLiteral("x"), QStringLiteral("a")), 2);
    int reopened = 2;
    CloseCursor(reopened);
    CloseCursor(first);
}

TEST_F(ElementCursor, NestedWalksReadRecordsInsideRecords)
{
    const QString data = QStringLiteral("<Ordine><Riga><Qta>1</Qta></Riga><Riga><Qta>2</Qta></Riga></Ordine>"
                                        "<Ordine><Riga><Qta>3</Qta></Riga></Ordine>");
    QStringList quantities;
    int orders = OpenCursor(data, QStringLiteral("Ordine"));
    while (!CursorAtEnd(orders)) {
        int rows = OpenCursor(CursorTake(orders), QStringLiteral("Riga"));
        while (!CursorAtEnd(rows)) {
            quantities << GetElementValue(CursorTake(rows), QStringLiteral("qta"));
            CursorNext(rows);
        }
        EXPECT_EQ(CloseCursor(rows), QString());
        CursorNext(orders);
    }
    EXPECT_EQ(CloseCursor(orders), QString());
    EXPECT_EQ(quantities, QStringList({ "1", "2", "3" }));
}
