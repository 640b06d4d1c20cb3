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

QString lower(QString text)
{
    for (QChar &c : text)
        c = c.toLower();
    return text;
}

QString trim(QString text)
{
    while (text.startsWith(QLatin1Char(' ')))
        text.remove(0, 1);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QString openTag(const QString &name)
{
    return QLatin1Char('<') + name + QLatin1Char('>');
}
QString closeTag(const QString &name)
{
    return QLatin1String("</") + name + QLatin1Char('>');
}

// 1: found, 0: opening tag without closing tag, -1: no opening tag.
int findPass(const QString &haystack, const QString &open, const QString &close, ElementMatch *match)
{
    const int openAt = int(haystack.indexOf(open));
    if (openAt < 0)
        return -1;
    const int closeAt = int(haystack.indexOf(close, openAt));
    if (closeAt < 0)
        return 0;
    *match = { match->openTag, match->closeTag, openAt, openAt + int(open.size()), closeAt,
        closeAt + int(close.size()) };
    return 1;
}

bool findElement(const QString &text, const QString &name, ElementMatch *match)
{
    match->openTag = openTag(name);
    match->closeTag = closeTag(name);
    int result = findPass(text, match->openTag, match->closeTag, match);
    if (result < 0)
        result = findPass(text, lower(match->openTag), lower(match->closeTag), match);
    if (result < 0)
        result = findPass(lower(text), lower(match->openTag), lower(match->closeTag), match);
    return result == 1;
}

QString getElementValue(const QString &text, const QString &name)
{
    ElementMatch m;
    return reference::findElement(text, name, &m) ? text.mid(m.contentStart, m.closePos - m.contentStart)
                                                  : QString();
}

QString removeElement(const QString &text, const QString &name)
{
    ElementMatch m;
    return reference::findElement(text, name, &m) ? text.left(m.openPos) + text.mid(m.afterClose) : text;
}

QString setElementValue(const QString &text, const QString &name, const QString &value)
{
    ElementMatch m;
    const QString element = openTag(name) + trim(value) + closeTag(name);
    return reference::findElement(text, name, &m) ? text.left(m.openPos) + element + text.mid(m.afterClose)
                                                  : text + element;
}

struct Cursor
{
    bool open = false;
    bool valid = false;
    QString text, lowerText, name, openTag, closeTag;
    int contentStart = 0;
    int closePos = 0;
};

QList<Cursor> table;

Cursor *cursorAt(int handle)
{
    if (handle == -1)
        handle = int(table.size());
    return handle < 1 || handle > table.size() ? nullptr : &table[handle - 1];
}

bool searchFrom(Cursor &cursor, int from)
{
    if (!cursor.name.isEmpty()) {
        const int open = int(cursor.lowerText.indexOf(cursor.openTag, from));
        const int close = open < 0 ? -1 : int(cursor.lowerText.indexOf(cursor.closeTag, open + 1));
        if (close >= 0) {
            cursor.contentStart = open + int(cursor.openTag.size());
            cursor.closePos = close;
            cursor.valid = true;
            return true;
        }
    }
    cursor.contentStart = cursor.closePos = -1;
    cursor.valid = false;
    return false;
}

int openCursor(const QString &text, const QString &name)
{
    Cursor &cursor = table.emplace_back();
    cursor.open = true;
    cursor.text = text;
    cursor.lowerText = lower(text);
    cursor.name = name;
    cursor.name.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
    cursor.openTag = lower(openTag(cursor.name));
    cursor.closeTag = lower(closeTag(cursor.name));
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

// The first 14 are plain names, some differing only in case (also letters
// whose lower-casing is special: U+0130, the Kelvin sign); then the empty
// name and names holding angle brackets, a slash or a blank.
const QStringList kNames = { "a", "A", "ab", "aB", "AB", "Row", "row", "i", "I", "\u0130", "k", "\u212A",
    "\u00E4", "\u00C4", "", "<a>", "a<", "<a", "a>", "/a", "a</a", "<", ">", "a b" };

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

    // Either a flat run of tags and stray characters, or elements inside
    // elements with closing tags sometimes missing or in another case.
    QString text()
    {
        if (below(2) == 0) {
            QString text;
            for (int i = below(30); i > 0; --i)
                text += token();
            return text;
        }
        return nested(0);
    }

    QString value()
    {
        static const QString pieces[] = { " ", "v", "<a>", "  x y  ", "\t" };
        QString result;
        for (int i = below(4); i > 0; --i)
            result += pieces[below(5)];
        return result;
    }

private:
    QString nested(int depth)
    {
        QString text;
        for (int i = below(depth == 0 ? 6 : 4); i > 0; --i) {
            if (depth > 4 || below(3) == 0) {
                text += token();
                continue;
            }
            const QString n = tagName();
            text += reference::openTag(n) + nested(depth + 1);
            const int close = below(6);
            if (close != 0)
                text += reference::closeTag(close == 1 ? n.toUpper() : close == 2 ? n.toLower() : n);
        }
        return text;
    }

    QString token()
    {
        // %1 stands for a tag name; the empty entry for any UTF-16 unit, lone
        // surrogates too.
        static const QString tokens[] = { "<%1>", "<%1>", "</%1>", "</%1>", "<%1", "%1>", "<", ">", "</", " ",
            "x", "\U0001F600", "", "<>" };
        const QString &t = tokens[below(14)];
        if (t.isEmpty())
            return QString(QChar(char16_t(below(0x10000))));
        return t.contains(QLatin1String("%1")) ? t.arg(tagName()) : t;
    }

    QRandomGenerator random_;
};

std::string describe(const QString &text, const QString &name)
{
    return QStringLiteral("text \"%1\" name \"%2\"").arg(text, name).toStdString();
}

// Both cursor tables side by side through random operations on random
// handles: live ones, -1, closed ones and ones outside the table (-2, 0,
// beyond the top).
class CursorPair
{
public:
    explicit CursorPair(TextMaker &maker)
        : maker_(maker)
    { }

    void open(const QString &text, const QString &name)
    {
        handles_.append(zet::openCursor(text, name));
        ASSERT_EQ(handles_.last(), reference::openCursor(text, name));
    }

    void step()
    {
        const int pick = maker_.below(8);
        const int handle = pick == 0          ? -1
            : pick == 1 || handles_.isEmpty() ? maker_.below(int(reference::table.size()) + 4) - 2
                                              : handles_.at(maker_.below(int(handles_.size())));
        SCOPED_TRACE(testing::Message() << "handle " << handle);
        switch (maker_.below(8)) {
        case 0:
            ASSERT_EQ(zet::cursorAtEnd(handle), reference::cursorAtEnd(handle));
            break;
        case 1:
            ASSERT_EQ(zet::cursorCurrent(handle), reference::cursorCurrent(handle));
            break;
        case 2:
            ASSERT_EQ(zet::cursorNext(handle), reference::cursorNext(handle));
            break;
        case 3:
            ASSERT_EQ(zet::cursorTake(handle), reference::cursorTake(handle));
            break;
        case 4: // a nested walk over the current value, as the record reader does
            open(maker_.below(3) == 0 ? maker_.text() : zet::cursorCurrent(handle), maker_.name());
            break;
        case 5:
            close(handle);
            break;
        default:
            walk(handle);
            break;
        }
        ASSERT_EQ(zet::cursorTableSize(), int(reference::table.size()));
    }

    void closeAll()
    {
        while (!handles_.isEmpty())
            close(handles_.at(maker_.below(int(handles_.size()))));
        ASSERT_EQ(reference::table.size(), 0);
    }

private:
    void close(int handle)
    {
        const int resolved = handle == -1 ? zet::cursorTableSize() : handle;
        int fastHandle = handle;
        int slowHandle = handle;
        ASSERT_EQ(zet::closeCursor(fastHandle), reference::closeCursor(slowHandle));
        ASSERT_EQ(fastHandle, -1);
        handles_.removeAll(resolved);
        // Handles above the shrunk table no longer exist.
        handles_.removeIf([](int h) { return h > zet::cursorTableSize(); });
    }

    // A whole walk to the end: the record reader's pattern (take every
    // element, then move on) or takes mixed with plain visits.
    void walk(int handle)
    {
        const bool takeAll = maker_.below(2) == 0;
        for (int guard = 0; guard < 200 && !zet::cursorAtEnd(handle); ++guard) {
            ASSERT_FALSE(reference::cursorAtEnd(handle));
            if (takeAll || maker_.below(2) == 0)
                ASSERT_EQ(zet::cursorTake(handle), reference::cursorTake(handle));
            else
                ASSERT_EQ(zet::cursorCurrent(handle), reference::cursorCurrent(handle));
            ASSERT_EQ(zet::cursorNext(handle), reference::cursorNext(handle));
        }
        ASSERT_EQ(zet::cursorAtEnd(handle), reference::cursorAtEnd(handle));
    }

    TextMaker &maker_;
    QList<int> handles_;
};

} // namespace

TEST(ElementReaderEquivalence, SingleLookupsGiveTheSameResults)
{
    TextMaker maker(101);
    for (int i = 0; i < 8000; ++i) {
        const QString text = maker.text();
        const QString name = maker.name();
        const QString value = maker.value();
        SCOPED_TRACE(describe(text, name));
        zet::ElementMatch fast;
        zet::ElementMatch slow;
        ASSERT_EQ(zet::findElement(text, name, &fast), reference::findElement(text, name, &slow));
        ASSERT_EQ(QStringList({ fast.openTag, fast.closeTag }), QStringList({ slow.openTag, slow.closeTag }));
        ASSERT_EQ(QList<int>({ fast.openPos, fast.contentStart, fast.closePos, fast.afterClose }),
            QList<int>({ slow.openPos, slow.contentStart, slow.closePos, slow.afterClose }));
        ASSERT_EQ(zet::getElementValue(text, name), reference::getElementValue(text, name));
        ASSERT_EQ(zet::removeElement(text, name), reference::removeElement(text, name));
        ASSERT_EQ(zet::setElementValue(text, name, value), reference::setElementValue(text, name, value));
        ASSERT_EQ(zet::trimSpaces(value + text), reference::trim(value + text));
    }
}

TEST(ElementReaderEquivalence, RandomCursorOperationsGiveTheSameResults)
{
    TextMaker maker(303);
    for (int i = 0; i < 5000; ++i) {
        SCOPED_TRACE(i);
        CursorPair pair(maker);
        const QString text = maker.text();
        const QString name = maker.below(2) == 0 ? maker.tagName() : maker.name();
        SCOPED_TRACE(describe(text, name));
        pair.open(text, name);
        for (int s = maker.below(40); s > 0 && !testing::Test::HasFatalFailure(); --s)
            pair.step();
        pair.closeAll();
        if (testing::Test::HasFatalFailure())
            return;
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
    const QString lowered = reference::lower(all);
    ASSERT_EQ(zet::lowerPerChar(all), lowered);
    EXPECT_EQ(lowered.count(QLatin1Char('<')), 1);
    EXPECT_EQ(lowered.count(QLatin1Char('>')), 1);
    EXPECT_EQ(lowered.count(QLatin1Char('/')), 1);
}
