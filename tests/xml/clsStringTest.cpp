#include "xml/clsString.h"

#include "zetview/Error.h"

#include <QRandomGenerator>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

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
    }
}

// A builder holding text whose buffer still holds leftovers after it.
clsString withLeftovers(const QString &text, const QString &leftovers)
{
    clsString s;
    s.SetString(text + leftovers);
    s.SetString(text);
    return s;
}

} // namespace

TEST(clsString, GrowsByWholeChunksAndShrinksOnlyOnEmptyTextOrHeapMinimize)
{
    clsString s;
    EXPECT_EQ(s.ChunkSize(), 8192);
    EXPECT_EQ(s.Capacity(), 0);
    EXPECT_EQ(s.GetString(1, -1), QString());
    s.Append(QStringLiteral("x"));
    EXPECT_EQ(s.Length(), 1);
    EXPECT_EQ(s.Capacity(), 8192);
    s.SetString(QString(10000, QLatin1Char('a')));
    EXPECT_EQ(s.Capacity(), 16384);
    s.SetString(QStringLiteral("short")); // keeps the buffer, spare not shown
    EXPECT_EQ(s.Capacity(), 16384);
    EXPECT_EQ(s.GetString(1, -1), QStringLiteral("short"));
    s.SetString(QString());
    EXPECT_EQ(s.Capacity(), 0);
    EXPECT_EQ(s.Length(), 0);

    // The chunk must stay positive and its size in bytes fit in 32 bits.
    expectError(Error::kInvalidCall, [&] { s.SetChunkSize(0); });
    expectError(Error::kInvalidCall, [&] { s.SetChunkSize(-8); });
    expectError(Error::kOverflow, [&] { s.SetChunkSize(1 << 30); });
    EXPECT_EQ(s.ChunkSize(), 8192);
    s.SetChunkSize((1 << 30) - 1);
    EXPECT_EQ(s.ChunkSize(), (1 << 30) - 1);
}

// Valid positions are checked against plain strings below; these are the
// edges. A null expected text means error 9, with the builder left unchanged.
TEST(clsString, PositionsOutsideTheContent)
{
    const clsString s = withLeftovers(QStringLiteral("abcdef"), QStringLiteral("GHIJKL"));
    EXPECT_EQ(s.GetString(7, -1), QString());
    EXPECT_EQ(s.GetString(1000, 2), QString());
    EXPECT_EQ(s.GetString(2, 2147483647), QStringLiteral("bcdef"));
    expectError(Error::kInvalidCall, [&] { s.GetString(0, -1); });
    expectError(Error::kInvalidCall, [&] { s.GetString(1, -2); });

    // Insert "XY" (count -1) or remove count characters at start.
    const std::tuple<const char *, int, int, const char *> cases[] = {
        { "insert at the end", 7, -1, "abcdefXY" },
        { "insert at 0", 0, -1, nullptr },
        { "insert at -1", -1, -1, nullptr },
        { "insert past the end", 8, -1, nullptr },
        { "remove nothing after the end", 7, 0, "abcdef" },
        { "remove at 0", 0, 1, nullptr },
        { "remove start beyond", 8, 0, nullptr },
        { "remove past the end", 5, 3, nullptr },
        { "remove a negative count", 2, -2, nullptr },
        { "remove a huge count", 2, 2147483647, nullptr },
    };
    for (const auto &[what, start, count, expected] : cases) {
        SCOPED_TRACE(what);
        clsString t = s;
        const auto edit
            = [&] { count == -1 ? t.Insert(start, QStringLiteral("XY")) : t.Remove(start, count); };
        if (expected)
            edit();
        else
            expectError(Error::kSubscriptOutOfRange, edit);
        const QString content = QString::fromLatin1(expected ? expected : "abcdef");
        EXPECT_EQ(t.GetString(1, -1), content);
        EXPECT_EQ(t.Length(), content.size());
    }
}

TEST(clsString, FindSearchesTheWholeBufferButReportsOnlyPositionsBelowLength)
{
    // Text, start, reverse, compare (0 binary, 1 ignoring case), position.
    const std::tuple<const char *, const char *, int, bool, int, int> cases[] = {
        { "from a start", "bc", 3, false, 0, 5 },
        { "start at the last allowed position", "Y", 8, false, 0, 8 },
        { "start equal to Length gives 0", "Z", 9, false, 0, 0 },
        { "binary is case-sensitive", "xy", -1, false, 0, 0 },
        { "text ignores case", "xy", -1, false, 1, 7 },
        { "a match at Length is reported as 0", "Z", -1, false, 0, 0 },
        { "a match running into the leftovers", "YZq", -1, false, 0, 8 },
        { "last occurrence", "abc", -1, true, 0, 4 },
        { "backwards: the match must end at start", "abc", 5, true, 0, 1 },
        { "backwards: a match ending on start", "abc", 6, true, 0, 4 },
        { "backwards ignoring case", "ABC", 8, true, 1, 4 },
        { "backwards from the end meets the leftovers", "q", -1, true, 0, 0 },
        { "empty text forward", "", 3, false, 0, 3 },
        { "empty text backward", "", 5, true, 0, 5 },
    };
    const clsString s = withLeftovers(QStringLiteral("abcabcXYZ"), QStringLiteral("qqq"));
    for (const auto &[what, text, start, reverse, compare, expected] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(s.Find(QString::fromLatin1(text), start, reverse, compare), expected);
    }
    expectError(Error::kInvalidCall, [&] { s.Find(QStringLiteral("a"), -1, false, 2); });
}

TEST(clsString, HeapMinimizeLeavesAtMostOneSpareChunk)
{
    clsString s;
    s.SetString(QString(100000, QLatin1Char('q')));
    EXPECT_EQ(s.Capacity(), 106496); // 13 chunks
    s.Remove(11, 99990);
    s.HeapMinimize();
    EXPECT_EQ(s.Capacity(), 8192); // twelve chunks given back: 8182 spare
    s.Append(QStringLiteral("r"));
    EXPECT_EQ(s.GetString(1, -1), QString(10, QLatin1Char('q')) + QLatin1Char('r'));
    s.Remove(1, 11); // a spare part of exactly one chunk is kept
    s.HeapMinimize();
    EXPECT_EQ(s.Capacity(), 8192);
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
            SCOPED_TRACE(testing::Message() << "round " << round << " step " << step);
            QString piece;
            for (int i = random.bounded(30); i > 0; --i)
                piece += QChar(char16_t(u'a' + random.bounded(26)));
            const int start = 1 + random.bounded(int(model.size()) + 1);
            const int count = random.bounded(int(model.size()) - start + 2);
            switch (random.bounded(5)) {
            case 0:
                s.AppendByVal(piece);
                model += piece;
                break;
            case 1:
                s.InsertByVal(start, piece);
                model.insert(start - 1, piece);
                break;
            case 2:
                s.Remove(start, count);
                model.remove(start - 1, count);
                break;
            case 3:
                s.SetString(piece);
                model = piece;
                capacity = piece.isEmpty() ? 0 : capacity;
                break;
            default:
                s.HeapMinimize();
                while (capacity - model.size() > chunk)
                    capacity -= chunk;
            }
            while (capacity < model.size())
                capacity += chunk;
            ASSERT_EQ(s.GetString(1, -1), model);
            ASSERT_EQ(s.Length(), model.size());
            ASSERT_EQ(s.Capacity(), capacity);
            if (!model.isEmpty()) {
                const int length = random.bounded(int(model.size()) + 2) - 1;
                ASSERT_EQ(s.GetString(start, length), model.mid(start - 1, length));
            }
        }
    }
}

TEST(clsString, ManyShortAppendsBuildTheWholeText)
{
    clsString s;
    const QString piece = QStringLiteral("<R>1</R>");
    for (int i = 0; i < 200000; ++i)
        s.Append(piece);
    EXPECT_EQ(s.GetString(1, -1), piece.repeated(200000));
}
