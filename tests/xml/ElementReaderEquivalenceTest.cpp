// The element reader searches without copying or lower-casing and walks its
// cursors without rebuilding their text. Its results must be exactly those of
// the plain algorithm: every lookup scans from the start, a cursor keeps a
// lower-cased copy of its text and rebuilds both after each take. That plain
// algorithm lives here, as the reference, and both run side by side on many
// random texts.

#include "xml/ElementReader.h"

#include <QList>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace reference {

using zet::ElementMatch;

QString lower(const QString &text)
{
    QString result = text;
    for (QChar &c : result)
        c = c.toLower();
    return result;
}

QString trim(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

bool findPass(const QString &haystack, const QString &openTag, const QString &closeTag, ElementMatch *match,
    bool *openFound)
{
    const int open = int(haystack.indexOf(openTag));
    *openFound = open >= 0;
    if (open < 0)
        return false;
    const int close = int(haystack.indexOf(closeTag, open));
    if (close < 0)
        return false;
    match->OpenPos = open;
    match->ContentStart = open + int(openTag.size());
    match->ClosePos = close;
    match->AfterClose = close + int(closeTag.size());
    return true;
}

bool findElement(const QString &text, const QString &name, ElementMatch *match)
{
    const QString openTag = QLatin1Char('<') + name + QLatin1Char('>');
    const QString closeTag = QLatin1String("</") + name + QLatin1Char('>');
    match->OpenTag = openTag;
    match->CloseTag = closeTag;
    bool openFound = false;
    if (findPass(text, openTag, closeTag, match, &openFound))
        return true;
    if (openFound)
        return false;
    if (findPass(text, lower(openTag), lower(closeTag), match, &openFound))
        return true;
    if (openFound)
        return false;
    return findPass(lower(text), lower(openTag), lower(closeTag), match, &openFound);
}

QString getElementValue(const QString &text, const QString &name)
{
    ElementMatch m;
    if (!findElement(text, name, &m))
        return QString();
    return text.mid(m.ContentStart, m.ClosePos - m.ContentStart);
}

QString removeElement(const QString &text, const QString &name)
{
    ElementMatch m;
    if (!findElement(text, name, &m))
        return text;
    return text.left(m.OpenPos) + text.mid(m.AfterClose);
}

QString setElementValue(const QString &text, const QString &name, const QString &value)
{
    ElementMatch m;
    const QString element = QLatin1Char('<') + name + QLatin1Char('>') + trim(value) + QLatin1String("</")
        + name + QLatin1Char('>');
    if (!findElement(text, name, &m))
        return text + element;
    return text.left(m.OpenPos) + element + text.mid(m.AfterClose);
}

struct Cursor
{
    bool open = false;
    bool valid = false;
    QString text;
    QString lowerText;
    QString name;
    QString openTag;
    QString closeTag;
    int contentStart = 0;
    int closePos = 0;
};

QList<Cursor> table;

Cursor *cursorAt(int handle)
{
    if (handle == -1)
        handle = int(table.size());
    if (handle < 1 || handle > table.size())
        return nullptr;
    return &table[handle - 1];
}

bool searchFrom(Cursor &cursor, int from)
{
    if (!cursor.name.isEmpty()) {
        const int open = int(cursor.lowerText.indexOf(cursor.openTag, from));
        if (open >= 0) {
            const int close = int(cursor.lowerText.indexOf(cursor.closeTag, open + 1));
            if (close >= 0) {
                cursor.contentStart = open + int(cursor.openTag.size());
                cursor.closePos = close;
                cursor.valid = true;
                return true;
            }
        }
    }
    cursor.contentStart = -1;
    cursor.closePos = -1;
    cursor.valid = false;
    return false;
}

int openCursor(const QString &text, const QString &name)
{
    table.append(Cursor());
    Cursor &cursor = table.last();
    cursor.open = true;
    cursor.text = text;
    cursor.lowerText = lower(text);
    cursor.name = name;
    cursor.name.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
    cursor.openTag = lower(QLatin1Char('<') + cursor.name + QLatin1Char('>'));
    cursor.closeTag = lower(QLatin1String("</") + cursor.name + QLatin1Char('>'));
    searchFrom(cursor, 0);
    return int(table.size());
}

bool cursorAtEnd(int handle)
{
    Cursor *cursor = cursorAt(handle);
    if (!cursor || cursor->contentStart != -1)
        return false;
    cursor->valid = false;
    return true;
}

QString cursorCurrent(int handle)
{
    Cursor *cursor = cursorAt(handle);
    if (!cursor || !cursor->valid || cursor->contentStart < 0 || cursor->closePos < 0)
        return QString();
    return cursor->text.mid(cursor->contentStart, cursor->closePos - cursor->contentStart);
}

bool cursorNext(int handle)
{
    Cursor *cursor = cursorAt(handle);
    if (!cursor || cursor->contentStart == -1 || cursor->name.isEmpty())
        return false;
    return searchFrom(*cursor, cursor->contentStart);
}

QString cursorTake(int handle)
{
    Cursor *cursor = cursorAt(handle);
    if (!cursor || !cursor->valid || cursor->contentStart < 0)
        return QString();
    const QString value = cursorCurrent(handle);
    const int openPos = cursor->contentStart - int(cursor->openTag.size());
    cursor->text = cursor->text.left(openPos) + cursor->text.mid(cursor->closePos + cursor->closeTag.size());
    cursor->lowerText = lower(cursor->text);
    cursor->contentStart = openPos;
    cursor->valid = false;
    return value;
}

QString closeCursor(int &handle)
{
    const int resolved = handle == -1 ? int(table.size()) : handle;
    handle = -1;
    Cursor *cursor = cursorAt(resolved);
    if (!cursor)
        return QString();
    const QString result = cursor->text;
    if (resolved != table.size()) {
        *cursor = Cursor();
    } else {
        cursor->open = false;
        while (!table.isEmpty() && !table.last().open)
            table.removeLast();
    }
    return result;
}

} // namespace reference

namespace {

// Names that differ only in case (also letters whose lower-casing is special:
// U+0130, the Kelvin sign), names holding angle brackets or a slash, and the
// empty name.
const QStringList kNames = {
    QStringLiteral("a"),
    QStringLiteral("A"),
    QStringLiteral("ab"),
    QStringLiteral("aB"),
    QStringLiteral("AB"),
    QStringLiteral("Row"),
    QStringLiteral("row"),
    QStringLiteral("i"),
    QStringLiteral("I"),
    QStringLiteral("\u0130"),
    QStringLiteral("k"),
    QStringLiteral("\u212A"),
    QStringLiteral("\u00E4"),
    QStringLiteral("\u00C4"),
    QStringLiteral(""),
    QStringLiteral("<a>"),
    QStringLiteral("a<"),
    QStringLiteral("<a"),
    QStringLiteral("a>"),
    QStringLiteral("/a"),
    QStringLiteral("a</a"),
    QStringLiteral("<"),
    QStringLiteral(">"),
    QStringLiteral("a b"),
};

class TextMaker
{
public:
    explicit TextMaker(quint32 seed)
        : random_(seed)
    { }

    int below(int n) { return int(random_.bounded(n)); }

    QString name() { return kNames.at(below(int(kNames.size()))); }

    // A name for a tag in the text: mostly the plain ones, so elements match.
    QString tagName() { return kNames.at(below(below(4) == 0 ? int(kNames.size()) : 14)); }

    // A flat run of tags and stray characters.
    QString flat()
    {
        QString text;
        const int tokens = below(30);
        for (int i = 0; i < tokens; ++i)
            text += token();
        return text;
    }

    // Elements inside elements, with closing tags sometimes missing or
    // written in another case.
    QString nested(int depth = 0)
    {
        QString text;
        const int children = below(depth == 0 ? 6 : 4);
        for (int i = 0; i < children; ++i) {
            if (depth > 4 || below(3) == 0) {
                text += token();
                continue;
            }
            const QString n = tagName();
            text += QLatin1Char('<') + n + QLatin1Char('>') + nested(depth + 1);
            const int close = below(6);
            if (close == 0)
                continue;
            const QString closeName = close == 1 ? n.toUpper() : close == 2 ? n.toLower() : n;
            text += QLatin1String("</") + closeName + QLatin1Char('>');
        }
        return text;
    }

    QString text() { return below(2) == 0 ? flat() : nested(); }

    QString value()
    {
        static const QString pieces[] = { QStringLiteral(" "), QStringLiteral("v"), QStringLiteral("<a>"),
            QStringLiteral("  x y  "), QStringLiteral("\t") };
        QString result;
        const int count = below(4);
        for (int i = 0; i < count; ++i)
            result += pieces[below(5)];
        return result;
    }

private:
    QString token()
    {
        switch (below(14)) {
        case 0:
        case 1:
            return QLatin1Char('<') + tagName() + QLatin1Char('>');
        case 2:
        case 3:
            return QLatin1String("</") + tagName() + QLatin1Char('>');
        case 4:
            return QLatin1Char('<') + tagName();
        case 5:
            return tagName() + QLatin1Char('>');
        case 6:
            return QStringLiteral("<");
        case 7:
            return QStringLiteral(">");
        case 8:
            return QStringLiteral("</");
        case 9:
            return QStringLiteral(" ");
        case 10:
            return QStringLiteral("x");
        case 11:
            return QStringLiteral("\U0001F600"); // a surrogate pair
        case 12:
            return QString(QChar(char16_t(below(0x10000)))); // any unit, lone surrogates too
        default:
            return QStringLiteral("<>");
        }
    }

    QRandomGenerator random_;
};

QString describe(const QString &text, const QString &name)
{
    return QStringLiteral("text \"%1\" name \"%2\"").arg(text, name);
}

void expectSameMatch(const QString &text, const QString &name)
{
    zet::ElementMatch fast;
    zet::ElementMatch slow;
    const bool fastFound = zet::FindElement(text, name, &fast);
    const bool slowFound = reference::findElement(text, name, &slow);
    ASSERT_EQ(fastFound, slowFound);
    EXPECT_EQ(fast.OpenTag, slow.OpenTag);
    EXPECT_EQ(fast.CloseTag, slow.CloseTag);
    EXPECT_EQ(fast.OpenPos, slow.OpenPos);
    EXPECT_EQ(fast.ContentStart, slow.ContentStart);
    EXPECT_EQ(fast.ClosePos, slow.ClosePos);
    EXPECT_EQ(fast.AfterClose, slow.AfterClose);
    EXPECT_EQ(zet::FindElement(text, name), fastFound); // without a match to fill
}

// Runs both cursor tables side by side through random operations on random
// handles: live ones, -1, closed ones and ones outside the table.
class CursorPair
{
public:
    explicit CursorPair(TextMaker &maker)
        : maker_(maker)
    { }

    void open(const QString &text, const QString &name)
    {
        const int fast = zet::OpenCursor(text, name);
        const int slow = reference::openCursor(text, name);
        ASSERT_EQ(fast, slow);
        handles_.append(fast);
    }

    void step()
    {
        int handle = pickHandle();
        SCOPED_TRACE(QStringLiteral("handle %1").arg(handle).toStdString());
        switch (maker_.below(10)) {
        case 0:
        case 1:
            ASSERT_EQ(zet::CursorAtEnd(handle), reference::cursorAtEnd(handle));
            break;
        case 2:
            ASSERT_EQ(zet::CursorCurrent(handle), reference::cursorCurrent(handle));
            break;
        case 3:
        case 4:
            ASSERT_EQ(zet::CursorNext(handle), reference::cursorNext(handle));
            break;
        case 5:
        case 6:
            ASSERT_EQ(zet::CursorTake(handle), reference::cursorTake(handle));
            break;
        case 7: {
            // A nested walk over the current value, as the record reader does.
            const QString value = zet::CursorCurrent(handle);
            open(maker_.below(3) == 0 ? maker_.text() : value, maker_.name());
            break;
        }
        case 8:
            close(handle);
            break;
        default:
            walkWithTakes(handle);
            break;
        }
        ASSERT_EQ(zet::CursorTableSize(), int(reference::table.size()));
    }

    void closeAll()
    {
        while (!handles_.isEmpty())
            close(handles_.at(maker_.below(int(handles_.size()))));
        ASSERT_EQ(zet::CursorTableSize(), 0);
        ASSERT_EQ(reference::table.size(), 0);
    }

private:
    int pickHandle()
    {
        const int size = int(reference::table.size());
        switch (maker_.below(8)) {
        case 0:
            return -1;
        case 1:
            return maker_.below(size + 3) - 1; // 0, beyond the table, closed slots
        default:
            return handles_.isEmpty() ? -1 : handles_.at(maker_.below(int(handles_.size())));
        }
    }

    void close(int handle)
    {
        const int resolved = handle == -1 ? zet::CursorTableSize() : handle;
        int fastHandle = handle;
        int slowHandle = handle;
        const QString fast = zet::CloseCursor(fastHandle);
        const QString slow = reference::closeCursor(slowHandle);
        ASSERT_EQ(fast, slow);
        ASSERT_EQ(fastHandle, -1);
        ASSERT_EQ(slowHandle, -1);
        handles_.removeAll(resolved);
        // Handles above the shrunk table no longer exist.
        handles_.removeIf([](int h) { return h > zet::CursorTableSize(); });
    }

    // The record reader's pattern: take every element, then move on.
    void walkWithTakes(int handle)
    {
        for (int guard = 0; guard < 200 && !zet::CursorAtEnd(handle); ++guard) {
            ASSERT_FALSE(reference::cursorAtEnd(handle));
            ASSERT_EQ(zet::CursorTake(handle), reference::cursorTake(handle));
            ASSERT_EQ(zet::CursorNext(handle), reference::cursorNext(handle));
        }
        ASSERT_EQ(zet::CursorAtEnd(handle), reference::cursorAtEnd(handle));
    }

    TextMaker &maker_;
    QList<int> handles_;
};

} // namespace

TEST(ElementReaderEquivalence, FindElementReportsTheSameMatch)
{
    TextMaker maker(101);
    for (int i = 0; i < 6000; ++i) {
        const QString text = maker.text();
        const QString name = maker.name();
        SCOPED_TRACE(describe(text, name).toStdString());
        expectSameMatch(text, name);
    }
}

TEST(ElementReaderEquivalence, GetRemoveAndSetGiveTheSameText)
{
    TextMaker maker(202);
    for (int i = 0; i < 6000; ++i) {
        const QString text = maker.text();
        const QString name = maker.name();
        const QString value = maker.value();
        SCOPED_TRACE(describe(text, name).toStdString());
        ASSERT_EQ(zet::GetElementValue(text, name), reference::getElementValue(text, name));
        ASSERT_EQ(zet::RemoveElement(text, name), reference::removeElement(text, name));
        ASSERT_EQ(zet::SetElementValue(text, name, value), reference::setElementValue(text, name, value));
        ASSERT_EQ(zet::LowerPerChar(text), reference::lower(text));
        ASSERT_EQ(zet::TrimSpaces(value + text), reference::trim(value + text));
    }
}

TEST(ElementReaderEquivalence, RandomCursorOperationsGiveTheSameResults)
{
    TextMaker maker(303);
    for (int i = 0; i < 4000; ++i) {
        SCOPED_TRACE(i);
        CursorPair pair(maker);
        const QString text = maker.text();
        const QString name = maker.name();
        SCOPED_TRACE(describe(text, name).toStdString());
        pair.open(text, name);
        const int steps = maker.below(40);
        for (int s = 0; s < steps; ++s) {
            pair.step();
            if (testing::Test::HasFatalFailure())
                break;
        }
        pair.closeAll();
        if (testing::Test::HasFatalFailure())
            return;
    }
}

TEST(ElementReaderEquivalence, TakeWalksLeaveTheSameText)
{
    TextMaker maker(404);
    for (int i = 0; i < 6000; ++i) {
        const QString text = maker.text();
        const QString name = maker.tagName();
        SCOPED_TRACE(describe(text, name).toStdString());
        int fast = zet::OpenCursor(text, name);
        int slow = reference::openCursor(text, name);
        const bool takeAll = maker.below(2) == 0;
        while (!zet::CursorAtEnd(fast)) {
            ASSERT_FALSE(reference::cursorAtEnd(slow));
            if (takeAll || maker.below(2) == 0)
                ASSERT_EQ(zet::CursorTake(fast), reference::cursorTake(slow));
            else
                ASSERT_EQ(zet::CursorCurrent(fast), reference::cursorCurrent(slow));
            ASSERT_EQ(zet::CursorNext(fast), reference::cursorNext(slow));
        }
        ASSERT_TRUE(reference::cursorAtEnd(slow));
        ASSERT_EQ(zet::CloseCursor(fast), reference::closeCursor(slow));
        ASSERT_EQ(zet::CursorTableSize(), 0);
    }
}

// The case folding without a lowered copy must agree with QChar::toLower on
// every UTF-16 unit, and only '<' itself may stand for '<' (the search jumps
// from one '<' to the next).
TEST(ElementReaderEquivalence, EveryCodeUnitFoldsLikeQChar)
{
    QString all;
    for (int u = 0; u < 0x10000; ++u)
        all += QChar(char16_t(u));
    ASSERT_EQ(zet::LowerPerChar(all), reference::lower(all));
    const QString lowered = reference::lower(all);
    EXPECT_EQ(lowered.count(QLatin1Char('<')), 1);
    EXPECT_EQ(lowered.count(QLatin1Char('>')), 1);
    EXPECT_EQ(lowered.count(QLatin1Char('/')), 1);

    // Tags whose name holds a unit with a case mapping, in both cases.
    for (int u = 0; u < 0x10000; ++u) {
        const QChar c { char16_t(u) };
        if (c.toLower() == c && c.toUpper() == c)
            continue;
        SCOPED_TRACE(u);
        const QString upper = QString(c.toUpper()) + QLatin1Char('A');
        const QString lower = QString(c.toLower()) + QLatin1Char('a');
        const QString text = QStringLiteral("<%1>1</%2><%2>2</%1>").arg(upper, lower);
        for (const QString &name : { upper, lower, QString(c) + QLatin1Char('a') }) {
            ASSERT_EQ(zet::GetElementValue(text, name), reference::getElementValue(text, name));
            int fast = zet::OpenCursor(text, name);
            int slow = reference::openCursor(text, name);
            ASSERT_EQ(zet::CursorTake(fast), reference::cursorTake(slow));
            ASSERT_EQ(zet::CursorNext(fast), reference::cursorNext(slow));
            ASSERT_EQ(zet::CursorCurrent(fast), reference::cursorCurrent(slow));
            ASSERT_EQ(zet::CloseCursor(fast), reference::closeCursor(slow));
        }
    }
}
