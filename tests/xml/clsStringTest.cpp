#include "xml/clsString.h"

#include "zetview/Error.h"

#include <QRandomGenerator>
#include <functional>
#include <gtest/gtest.h>

using namespace zet;

namespace {

// Runs action and checks that it raised the given run-time error number.
void expectError(int number, const std::function<void()> &action)
{
    try {
        action();
        ADD_FAILURE() << "no error raised, expected " << number;
    } catch (const Error &error) {
        EXPECT_EQ(error.number(), number) << error.message().toStdString();
        EXPECT_FALSE(error.message().isEmpty());
    }
}

QString repeated(QChar c, int count)
{
    return QString(count, c);
}

} // namespace

TEST(clsString, NewBuilderIsEmptyWithTheDefaultChunk)
{
    clsString s;
    EXPECT_EQ(s.ChunkSize(), 8192);
    EXPECT_EQ(s.Length(), 0);
    EXPECT_EQ(s.Capacity(), 0);
    EXPECT_EQ(s.GetString(1, -1), QString());
}

TEST(clsString, GrowsByWholeChunks)
{
    clsString s;
    s.Append(QStringLiteral("x"));
    EXPECT_EQ(s.Length(), 1);
    EXPECT_EQ(s.Capacity(), 8192);

    clsString t;
    t.SetString(repeated(QLatin1Char('a'), 10000));
    EXPECT_EQ(t.Capacity(), 16384);
    EXPECT_EQ(t.Length(), 10000);

    clsString u;
    u.SetChunkSize(10);
    u.Append(repeated(QLatin1Char('b'), 25));
    EXPECT_EQ(u.Capacity(), 30);
    u.SetChunkSize(4);
    u.Append(repeated(QLatin1Char('b'), 6)); // 31 needed: one chunk of 4
    EXPECT_EQ(u.Capacity(), 34);
    u.Append(repeated(QLatin1Char('b'), 3)); // exactly full: no growth
    EXPECT_EQ(u.Capacity(), 34);
    EXPECT_EQ(u.Length(), 34);
}

TEST(clsString, ContentNeverShowsTheSparePart)
{
    clsString s;
    s.SetString(QStringLiteral("a long first content"));
    s.SetString(QStringLiteral("short"));
    EXPECT_EQ(s.GetString(1, -1), QStringLiteral("short"));
    EXPECT_EQ(s.Length(), 5);
    EXPECT_EQ(s.Capacity(), 8192); // SetString keeps the buffer
    s.Append(QStringLiteral("!"));
    EXPECT_EQ(s.GetString(1, -1), QStringLiteral("short!"));
}

TEST(clsString, SetStringWithEmptyTextGivesBackTheBuffer)
{
    clsString s;
    s.SetString(repeated(QLatin1Char('z'), 50000));
    s.SetString(QString());
    EXPECT_EQ(s.Capacity(), 0);
    EXPECT_EQ(s.Length(), 0);
    s.Append(QStringLiteral("ab"));
    EXPECT_EQ(s.GetString(1, -1), QStringLiteral("ab"));
    EXPECT_EQ(s.Capacity(), 8192);
}

TEST(clsString, ChunkSizeMustStayPositive)
{
    clsString s;
    s.SetChunkSize(100);
    EXPECT_EQ(s.ChunkSize(), 100);
    expectError(Error::kInvalidCall, [&] { s.SetChunkSize(0); });
    expectError(Error::kInvalidCall, [&] { s.SetChunkSize(-8); });
    expectError(Error::kOverflow, [&] { s.SetChunkSize(1 << 30); }); // 2^31 bytes
    EXPECT_EQ(s.ChunkSize(), 100);
    s.SetChunkSize((1 << 30) - 1);
    EXPECT_EQ(s.ChunkSize(), (1 << 30) - 1);
}

struct GetStringCase
{
    const char *what;
    int start;
    int length;
    const char *expected;
};

TEST(clsString, GetStringPartsOfTheContent)
{
    const GetStringCase cases[] = {
        { "whole", 1, -1, "abcdef" },
        { "middle", 2, 3, "bcd" },
        { "zero length", 3, 0, "" },
        { "reaching the end exactly", 4, 3, "def" },
        { "past the end is cut", 4, 100, "def" },
        { "rest from start", 5, -1, "ef" },
        { "last character", 6, 1, "f" },
        { "start just after the end", 7, -1, "" },
        { "start far beyond the end", 1000, 2, "" },
        { "huge length does not overflow", 2, 2147483647, "bcdef" },
    };
    clsString s;
    s.SetString(QStringLiteral("abcdefGHIJKL"));
    s.SetString(QStringLiteral("abcdef")); // leftovers "GHIJKL" stay in the buffer
    for (const GetStringCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(s.GetString(c.start, c.length), QString::fromLatin1(c.expected));
    }
    expectError(Error::kInvalidCall, [&] { s.GetString(0, -1); });
    expectError(Error::kInvalidCall, [&] { s.GetString(1, -2); });
}

TEST(clsString, InsertAtEveryAllowedPosition)
{
    const struct
    {
        int start;
        const char *expected;
    } cases[] = { { 1, "XYabc" }, { 2, "aXYbc" }, { 3, "abXYc" }, { 4, "abcXY" } };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.start);
        clsString s;
        s.SetString(QStringLiteral("abc"));
        s.Insert(c.start, QStringLiteral("XY"));
        EXPECT_EQ(s.GetString(1, -1), QString::fromLatin1(c.expected));
        EXPECT_EQ(s.Length(), 5);
    }
    clsString s;
    s.InsertByVal(1, QStringLiteral("first"));
    EXPECT_EQ(s.GetString(1, -1), QStringLiteral("first"));
    EXPECT_EQ(s.Capacity(), 8192);
}

TEST(clsString, InsertOutsideTheContentRaisesErrorNineAndChangesNothing)
{
    for (int start : { 0, -1, 5, 100 }) {
        SCOPED_TRACE(start);
        clsString s;
        s.SetString(QStringLiteral("abc"));
        expectError(Error::kSubscriptOutOfRange, [&] { s.Insert(start, QStringLiteral("XY")); });
        EXPECT_EQ(s.GetString(1, -1), QStringLiteral("abc"));
        EXPECT_EQ(s.Capacity(), 8192);
    }
}

TEST(clsString, RemoveWithinTheContent)
{
    const struct
    {
        const char *what;
        int start;
        int count;
        const char *expected;
    } cases[] = {
        { "first", 1, 1, "bcdef" },
        { "middle", 3, 2, "abef" },
        { "up to the end", 4, 3, "abc" },
        { "everything", 1, 6, "" },
        { "nothing", 3, 0, "abcdef" },
        { "nothing after the end", 7, 0, "abcdef" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        clsString s;
        s.SetString(QStringLiteral("abcdef"));
        s.Remove(c.start, c.count);
        EXPECT_EQ(s.GetString(1, -1), QString::fromLatin1(c.expected));
        EXPECT_EQ(s.Length(), int(qstrlen(c.expected)));
    }
}

TEST(clsString, RemoveOutsideTheContentRaisesErrorNineAndChangesNothing)
{
    const struct
    {
        const char *what;
        int start;
        int count;
    } cases[] = {
        { "start zero", 0, 1 },
        { "start beyond", 8, 0 },
        { "count past the end", 5, 3 },
        { "negative count", 2, -1 },
        { "huge count", 2, 2147483647 },
        { "negative start", -3, 1 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        clsString s;
        s.SetString(QStringLiteral("abcdef"));
        expectError(Error::kSubscriptOutOfRange, [&] { s.Remove(c.start, c.count); });
        EXPECT_EQ(s.GetString(1, -1), QStringLiteral("abcdef"));
        EXPECT_EQ(s.Length(), 6);
    }
}

TEST(clsString, FindForwardAndBackward)
{
    clsString s;
    s.SetString(QStringLiteral("abcabcXYZ"));
    const struct
    {
        const char *what;
        const char *text;
        int start;
        bool reverse;
        int compare;
        int expected;
    } cases[] = {
        { "first occurrence", "bc", -1, false, 0, 2 },
        { "from a start", "bc", 3, false, 0, 5 },
        { "start at the last allowed position", "Y", 8, false, 0, 8 },
        { "start equal to Length gives 0", "Z", 9, false, 0, 0 },
        { "start zero gives 0", "a", 0, false, 0, 0 },
        { "absent", "q", -1, false, 0, 0 },
        { "binary is case-sensitive", "xyz", -1, false, 0, 0 },
        { "text ignores case", "xy", -1, false, 1, 7 },
        { "a match at Length is reported as 0", "Z", -1, false, 0, 0 },
        { "last occurrence", "abc", -1, true, 0, 4 },
        { "backwards from a start: match must end there", "abc", 5, true, 0, 1 },
        { "backwards from a start: match ending on it", "abc", 6, true, 0, 4 },
        { "backwards ignoring case", "ABC", 8, true, 1, 4 },
        { "empty text forward", "", 3, false, 0, 3 },
        { "empty text backward", "", 5, true, 0, 5 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(s.Find(QString::fromLatin1(c.text), c.start, c.reverse, c.compare), c.expected);
    }
    expectError(Error::kInvalidCall, [&] { s.Find(QStringLiteral("a"), -1, false, 2); });
}

TEST(clsString, FindSearchesTheWholeBuffer)
{
    clsString s;
    s.SetString(QStringLiteral("abcdef"));
    s.SetString(QStringLiteral("abc")); // buffer: "abcdef" then blanks
    // A match may run on into the leftovers of earlier content...
    EXPECT_EQ(s.Find(QStringLiteral("bcd")), 2);
    // ...and a backward search from the end meets the blanks of the spare
    // part first, which are not below Length.
    s.SetString(QStringLiteral("a b"));
    EXPECT_EQ(s.Find(QStringLiteral(" "), -1, true), 0);
    EXPECT_EQ(s.Find(QStringLiteral(" "), 2, true), 2);
}

TEST(clsString, HeapMinimizeLeavesAtMostOneSpareChunk)
{
    clsString s;
    const QString big = repeated(QLatin1Char('q'), 100000);
    s.SetString(big);
    EXPECT_EQ(s.Capacity(), 106496); // 13 chunks
    s.Remove(11, 99990);
    s.HeapMinimize();
    EXPECT_EQ(s.Capacity(), 8192); // twelve chunks given back: 8182 spare
    EXPECT_EQ(s.GetString(1, -1), repeated(QLatin1Char('q'), 10));
    s.Append(QStringLiteral("r"));
    EXPECT_EQ(s.GetString(1, -1), repeated(QLatin1Char('q'), 10) + QLatin1Char('r'));

    clsString exact; // spare of exactly one chunk is kept
    exact.Append(QStringLiteral("a"));
    exact.Remove(1, 1);
    exact.HeapMinimize();
    EXPECT_EQ(exact.Capacity(), 8192);
}

// Random edits checked against plain QString operations: content, length and
// the chunk arithmetic of the capacity.
TEST(clsString, RandomEditsMatchPlainStrings)
{
    QRandomGenerator random(20261206);
    for (int round = 0; round < 200; ++round) {
        clsString s;
        const int chunk = 1 + random.bounded(40);
        s.SetChunkSize(chunk);
        QString model;
        int capacity = 0;
        for (int step = 0; step < 60; ++step) {
            QString piece;
            const int pieceLength = random.bounded(30);
            for (int i = 0; i < pieceLength; ++i)
                piece += QChar(char16_t(u'a' + random.bounded(26)));
            const int op = random.bounded(5);
            const int start = 1 + random.bounded(int(model.size()) + 1);
            if (op == 0) {
                s.Append(piece);
                model += piece;
            } else if (op == 1) {
                s.Insert(start, piece);
                model.insert(start - 1, piece);
            } else if (op == 2) {
                const int count = random.bounded(int(model.size()) - start + 2);
                s.Remove(start, count);
                model.remove(start - 1, count);
            } else if (op == 3) {
                s.SetString(piece);
                model = piece;
                if (piece.isEmpty())
                    capacity = 0;
            } else {
                s.HeapMinimize();
                while (capacity - model.size() > chunk)
                    capacity -= chunk;
            }
            while (capacity < model.size())
                capacity += chunk;
            ASSERT_EQ(s.GetString(1, -1), model) << "round " << round << " step " << step;
            ASSERT_EQ(s.Length(), model.size());
            ASSERT_EQ(s.Capacity(), capacity) << "round " << round << " step " << step << " op " << op;
            if (!model.isEmpty()) {
                const int from = 1 + random.bounded(int(model.size()));
                const int length = random.bounded(int(model.size()) + 2) - 1;
                ASSERT_EQ(s.GetString(from, length), model.mid(from - 1, length == -1 ? -1 : length));
            }
        }
    }
}

TEST(clsString, ManyShortAppendsBuildTheWholeText)
{
    clsString s;
    const QString piece = QStringLiteral("<R>1</R>");
    const int pieces = 200000;
    for (int i = 0; i < pieces; ++i)
        s.Append(piece);
    EXPECT_EQ(s.Length(), pieces * 8);
    const QString text = s.GetString(1, -1);
    EXPECT_EQ(text.size(), pieces * 8);
    EXPECT_EQ(text.count(piece), pieces);
}
