// The rules of matching, case by case; the equivalence test checks that the
// reader follows its plain reference on random texts, these check the rules.

#include "xml/ElementReader.h"
#include "xml/ElementCursor.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <tuple>

using namespace zet;

TEST(ElementLookup, FollowsTheThreePasses)
{
    // Text, name, value.
    const std::tuple<const char *, const char *, const char *, const char *> cases[] = {
        { "nested same name ends at the inner close", "<a>1<a>2</a>3</a>", "a", "1<a>2" },
        { "tag with something after the name is not the tag", "<a x=1>1</a>", "a", "" },
        { "exact open with close in another case: pass 1 decides", "<Row>1</ROW><row>2</row>", "Row", "" },
        { "exact case preferred over earlier other case", "<A>1</A><a>2</a>", "a", "2" },
        { "lower-case text found by pass 2", "<row>1</row>", "Row", "1" },
        { "pass 2 open without its close decides", "<row>1</ROW>", "Row", "" },
        { "capitals found by pass 3", "<ROW>1</Row>", "row", "1" },
    };
    for (const auto &[what, text, name, value] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(
            getElementValue(QString::fromUtf8(text), QString::fromUtf8(name)), QString::fromUtf8(value));
    }
    EXPECT_EQ(setElementValue(QStringLiteral("<r><a>1</a></r>"), QStringLiteral("b"), QStringLiteral(" 2 ")),
        QStringLiteral("<r><a>1</a></r><b>2</b>"));
    EXPECT_EQ(setElementValue(QStringLiteral("<ROW>old</ROW>"), QStringLiteral("Row"), QStringLiteral("  ")),
        QStringLiteral("<Row></Row>"));
}

// Whole walks: every element taken (as the record reader does) or only
// visited, and the text left.
TEST(ElementCursor, WalksTakeOrVisitElementsAndLeaveTheRest)
{
    // Text, name, take, values, text left.
    const std::tuple<const char *, const char *, const char *, bool, QStringList, const char *> cases[] = {
        { "three siblings taken", "<r> <i>1</i>,<I>2</I>,<i>3</i> </r>", "i", true, { "1", "2", "3" },
            "<r> ,, </r>" },
        { "next enters a nested element of the same name", "<a>1<a>2</a>3</a><a>4</a>", "a", false,
            { "1<a>2", "2", "4" }, "<a>1<a>2</a>3</a><a>4</a>" },
        { "taking a nested pair leaves its tail", "<a>1<a>2</a>3</a><a>4</a>", "a", true, { "1<a>2", "4" },
            "3</a>" },
        { "a tag joined by a take lies before the walk", "<<a>1</a>a>2</a>", "a", true, { "1" }, "<a>2</a>" },
        { "a missing close tag ends the walk", "<a>1</a><a>2<b></b>", "a", true, { "1" }, "<a>2<b></b>" },
        { "the name is stripped of angle brackets", "<Row>1</Row>", "<Row>", false, { "1" }, "<Row>1</Row>" },
        { "a name of brackets only finds nothing", "<>1</>", "<<>>", true, {}, "<>1</>" },
    };
    for (const auto &[what, text, name, take, values, rest] : cases) {
        SCOPED_TRACE(what);
        ElementCursor cursor(QString::fromUtf8(text), QString::fromUtf8(name));
        QStringList seen;
        for (; !cursor.atEnd(); cursor.next())
            seen << (take ? cursor.take() : cursor.current());
        EXPECT_EQ(seen, values);
        EXPECT_FALSE(cursor.next());
        EXPECT_EQ(cursor.take(), QString());
        EXPECT_EQ(cursor.remainingText(), QString::fromUtf8(rest));
    }
}
