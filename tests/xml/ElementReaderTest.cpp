#include "xml/ElementReader.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <tuple>

using namespace zet;

TEST(ElementLookup, FollowsTheThreePasses)
{
    // Text, name, value.
    const std::tuple<const char *, const char *, const char *, const char *> cases[] = {
        { "first of two", "x<a>1</a><a>2</a>", "a", "1" },
        { "nested same name ends at the inner close", "<a>1<a>2</a>3</a>", "a", "1<a>2" },
        { "content holds other tags unchanged", "<r><b>x</b> &amp; </r>", "r", "<b>x</b> &amp; " },
        { "missing close tag", "<a>1", "a", "" },
        { "close tag before the open tag only", "</a><a>1", "a", "" },
        { "tag with something after the name is not the tag", "<a x=1>1</a>", "a", "" },
        { "exact open with close in another case: pass 1 decides", "<Row>1</ROW><row>2</row>", "Row", "" },
        { "exact case preferred over earlier other case", "<A>1</A><a>2</a>", "a", "2" },
        { "lower-case text found by pass 2", "<row>1</row>", "Row", "1" },
        { "pass 2 open without its close decides", "<row>1</ROW>", "Row", "" },
        { "capitals found by pass 3", "<ROW>1</Row>", "row", "1" },
        { "mixed case found by pass 3", "<rOw>1</RoW>", "Row", "1" },
        { "empty name", "<>1</>", "", "1" },
        { "name with a bracket", "<a<b>1</a<b>", "a<b", "1" },
    };
    for (const auto &[what, text, name, value] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(
            getElementValue(QString::fromUtf8(text), QString::fromUtf8(name)), QString::fromUtf8(value));
    }

    // Positions are 0-based; the tags are those of the name passed in.
    ElementMatch m;
    ASSERT_TRUE(findElement(QStringLiteral("ab<X>cd</x>ef"), QStringLiteral("x"), &m));
    EXPECT_EQ(m.openTag + m.closeTag, QStringLiteral("<x></x>"));
    EXPECT_EQ(
        QList<int>({ m.openPos, m.contentStart, m.closePos, m.afterClose }), QList<int>({ 2, 5, 7, 11 }));
    EXPECT_EQ(removeElement(QStringLiteral("a<X>1</X>b<x>2</x>c"), QStringLiteral("x")),
        QStringLiteral("a<X>1</X>bc"));
    EXPECT_EQ(removeElement(QStringLiteral("<x>1</X>"), QStringLiteral("x")), QStringLiteral("<x>1</X>"));
}

TEST(ElementLookup, SetReplacesTheFirstElementOrAppends)
{
    // Text, name, value, result.
    const std::tuple<const char *, const char *, const char *, const char *, const char *> cases[] = {
        { "replaces the first element", "<r><v>1</v><v>2</v></r>", "v", "9", "<r><v>9</v><v>2</v></r>" },
        { "trims spaces only", "<v>1</v>", "v", "  \t9 x\t  ", "<v>\t9 x\t</v>" },
        { "blanks give an empty element", "<v>1</v>", "v", "   ", "<v></v>" },
        { "appends after the enclosing close tag", "<r><a>1</a></r>", "b", "2", "<r><a>1</a></r><b>2</b>" },
        { "writes the name as passed in", "<ROW>old</ROW>tail", "Row", "new", "<Row>new</Row>tail" },
        { "open tag without close is not replaced", "<v>1", "v", "2", "<v>1<v>2</v>" },
    };
    for (const auto &[what, text, name, value, result] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(setElementValue(QString::fromUtf8(text), QString::fromUtf8(name), QString::fromUtf8(value)),
            QString::fromUtf8(result));
    }
}

// Whole walks: every element taken (as the record reader does) or only
// visited; the text the cursor returns on closing.
TEST(ElementCursor, WalksTakeOrVisitElementsAndCloseReturnsWhatIsLeft)
{
    // Text, name, take, values, text left.
    const std::tuple<const char *, const char *, const char *, bool, QStringList, const char *> cases[] = {
        { "three siblings taken", "<r> <i>1</i>,<I>2</I>,<i>3</i> </r>", "i", true, { "1", "2", "3" },
            "<r> ,, </r>" },
        { "siblings visited once", "<a>1</a><b>x</b><A>2</a>", "A", false, { "1", "2" },
            "<a>1</a><b>x</b><A>2</a>" },
        { "next enters a nested element of the same name", "<a>1<a>2</a>3</a><a>4</a>", "a", false,
            { "1<a>2", "2", "4" }, "<a>1<a>2</a>3</a><a>4</a>" },
        { "taking a nested pair leaves its tail", "<a>1<a>2</a>3</a><a>4</a>", "a", true, { "1<a>2", "4" },
            "3</a>" },
        { "a tag joined by a take lies before the walk", "<<a>1</a>a>2</a>", "a", true, { "1" }, "<a>2</a>" },
        { "a missing close tag ends the walk", "<a>1</a><a>2<b></b>", "a", true, { "1" }, "<a>2<b></b>" },
        { "the name is stripped of angle brackets", "<Row>1</Row>", "<Row>", false, { "1" }, "<Row>1</Row>" },
        { "an empty name finds nothing", "<>1</>", "", true, {}, "<>1</>" },
        { "a name of brackets only finds nothing", "<>1</>", "<<>>", true, {}, "<>1</>" },
    };
    for (const auto &[what, text, name, take, values, rest] : cases) {
        SCOPED_TRACE(what);
        int h = openCursor(QString::fromUtf8(text), QString::fromUtf8(name));
        QStringList seen;
        for (; !cursorAtEnd(h); cursorNext(h))
            seen << (take ? cursorTake(h) : cursorCurrent(h));
        EXPECT_EQ(seen, values);
        EXPECT_FALSE(cursorNext(h));
        EXPECT_EQ(cursorTake(h), QString());
        EXPECT_EQ(closeCursor(h), QString::fromUtf8(rest));
        EXPECT_EQ(h, -1);
        EXPECT_EQ(cursorTableSize(), 0);
    }
}

// The table itself (handles from 1, -1 for the newest, closing below the top)
// is checked against the plain algorithm by the equivalence test.
TEST(ElementCursor, HandlesOutsideTheTableDoNothing)
{
    int open = openCursor(QStringLiteral("<a>1</a>"), QStringLiteral("a"));
    for (int handle : { 0, -2, 2, 7 }) {
        SCOPED_TRACE(handle);
        EXPECT_FALSE(cursorAtEnd(handle));
        EXPECT_FALSE(cursorNext(handle));
        EXPECT_EQ(cursorCurrent(handle), QString());
        EXPECT_EQ(cursorTake(handle), QString());
        EXPECT_EQ(closeCursor(handle), QString());
        EXPECT_EQ(handle, -1);
    }
    EXPECT_EQ(cursorTableSize(), 1);
    EXPECT_EQ(closeCursor(open), QStringLiteral("<a>1</a>"));
    EXPECT_EQ(cursorCurrent(-1), QString());
}
