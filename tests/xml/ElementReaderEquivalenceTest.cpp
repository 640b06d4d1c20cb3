// The element reader searches without copying or lower-casing and walks its
// cursors without rebuilding their text. Its results must be exactly those of
// the plain algorithm, which lives here as the reference: every lookup scans
// from the start, a cursor keeps a lower-cased copy of its text and rebuilds
// both after each take. Both run side by side on many random texts.

#include "xml/ElementCursor.h"
#include "xml/ElementReader.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

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

QString tag(const QString &name, bool close = false)
{
    return (close ? QLatin1String("</") : QLatin1String("<")) + name + QLatin1Char('>');
}

// The three passes; the first that finds an opening tag decides.
bool referenceFind(const QString &text, const QString &name, zet::ElementMatch *m)
{
    m->openTag = tag(name);
    m->closeTag = tag(name, true);
    const QString texts[] = { text, text, lower(text) };
    for (int pass = 0; pass < 3; ++pass) {
        const QString open = pass == 0 ? m->openTag : lower(m->openTag);
        const QString close = pass == 0 ? m->closeTag : lower(m->closeTag);
        const int openAt = int(texts[pass].indexOf(open));
        if (openAt < 0)
            continue;
        const int closeAt = int(texts[pass].indexOf(close, openAt));
        if (closeAt < 0)
            return false;
        *m = { m->openTag, m->closeTag, openAt, openAt + int(open.size()), closeAt,
            closeAt + int(close.size()) };
        return true;
    }
    return false;
}

// The cursor's text is rebuilt on each take and searched lower-cased.
struct ReferenceCursor
{
    QString text, openTag, closeTag;
    bool emptyName = false;
    bool valid = false;
    int contentStart = -1;
    int closePos = -1;

    ReferenceCursor(const QString &original, QString name)
        : text(original)
    {
        name.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
        emptyName = name.isEmpty();
        openTag = lower(tag(name));
        closeTag = lower(tag(name, true));
        search(0);
    }
    bool search(int from)
    {
        const int open = emptyName ? -1 : int(lower(text).indexOf(openTag, from));
        const int close = open < 0 ? -1 : int(lower(text).indexOf(closeTag, open + 1));
        valid = close >= 0;
        contentStart = valid ? open + int(openTag.size()) : -1;
        closePos = valid ? close : -1;
        return valid;
    }
    bool atEnd()
    {
        valid = valid && contentStart != -1;
        return contentStart == -1;
    }
    QString current() const
    {
        const bool found = valid && contentStart >= 0 && closePos >= 0;
        return found ? text.mid(contentStart, closePos - contentStart) : QString();
    }
    bool next() { return contentStart != -1 && !emptyName && search(contentStart); }
    QString take()
    {
        if (!valid || contentStart < 0)
            return QString();
        const QString value = current();
        const int openPos = contentStart - int(openTag.size());
        text = text.left(openPos) + text.mid(closePos + closeTag.size());
        contentStart = openPos;
        valid = false;
        return value;
    }
    QString remainingText() const { return text; }
};

// The first 14 are plain names, some differing only in case (also letters
// whose lower-casing is special: U+0130, the Kelvin sign); then the empty
// name and names holding angle brackets, a slash or a blank.
const QStringList kNames = { "a", "A", "ab", "aB", "AB", "Row", "row", "i", "I", "\u0130", "k", "\u212A",
    "\u00E4", "\u00C4", "", "<a>", "a<", "<a", "a>", "/a", "a</a", "<", ">", "a b" };

// Mostly plain names when asked, so that elements match.
QString randomName(QRandomGenerator &random, bool mostlyPlain = false)
{
    const bool plain = mostlyPlain && random.bounded(4) != 0;
    return kNames.at(random.bounded(plain ? 14 : int(kNames.size())));
}

// A flat run of tags and stray characters, or elements inside elements with
// closing tags sometimes missing or in another case. In the tokens, %1 stands
// for a tag name and the empty entry for any UTF-16 unit, lone surrogates too.
QString randomText(QRandomGenerator &random, int depth = 0)
{
    static const QStringList tokens = { "<%1>", "<%1>", "</%1>", "</%1>", "<%1", "%1>", "<", ">", "</", " ",
        "x", "\U0001F600", "", "<>", "  x y ", "\t" };
    QString text;
    const bool flat = depth == 0 && random.bounded(2) == 0;
    for (int i = random.bounded(flat ? 30 : depth == 0 ? 6 : 4); i > 0; --i) {
        if (flat || depth > 4 || random.bounded(3) == 0) {
            const QString &t = tokens.at(random.bounded(int(tokens.size())));
            text += t.isEmpty()                   ? QString(QChar(char16_t(random.bounded(0x10000))))
                : t.contains(QLatin1String("%1")) ? t.arg(randomName(random, true))
                                                  : t;
            continue;
        }
        const QString n = randomName(random, true);
        const int close = random.bounded(6);
        text += tag(n) + randomText(random, depth + 1);
        if (close != 0)
            text += tag(close == 1 ? n.toUpper() : close == 2 ? n.toLower() : n, true);
    }
    return text;
}

// One operation on either cursor, and what it returned. Operation 5 is a
// whole walk: every element taken (as the record reader does) or, as the bits
// of choices say, some taken and some only visited.
template <typename Cursor> QStringList apply(Cursor &cursor, int operation, quint32 choices)
{
    switch (operation) {
    case 0:
        return { QString::number(cursor.atEnd()) };
    case 1:
        return { cursor.current() };
    case 2:
        return { QString::number(cursor.next()) };
    case 3:
        return { cursor.take() };
    case 4:
        return { cursor.remainingText() };
    }
    QStringList seen;
    for (int i = 0; !cursor.atEnd(); cursor.next(), ++i)
        seen << ((choices >> (i % 32)) & 1U ? cursor.take() : cursor.current());
    return seen;
}

} // namespace

TEST(ElementReaderEquivalence, SingleLookupsGiveTheSameResults)
{
    QRandomGenerator random(101);
    for (int i = 0; i < 8000; ++i) {
        const QString text = randomText(random);
        const QString name = randomName(random);
        const QString value = randomText(random).left(8);
        SCOPED_TRACE(QStringLiteral("text \"%1\" name \"%2\"").arg(text, name).toStdString());
        zet::ElementMatch fast;
        zet::ElementMatch slow;
        const bool found = referenceFind(text, name, &slow);
        ASSERT_EQ(zet::findElement(text, name, &fast), found);
        ASSERT_EQ(QStringList({ fast.openTag, fast.closeTag }), QStringList({ slow.openTag, slow.closeTag }));
        ASSERT_EQ(QList<int>({ fast.openPos, fast.contentStart, fast.closePos, fast.afterClose }),
            QList<int>({ slow.openPos, slow.contentStart, slow.closePos, slow.afterClose }));
        const QString before = found ? text.left(slow.openPos) : text;
        const QString after = found ? text.mid(slow.afterClose) : QString();
        ASSERT_EQ(zet::getElementValue(text, name),
            found ? text.mid(slow.contentStart, slow.closePos - slow.contentStart) : QString());
        ASSERT_EQ(zet::removeElement(text, name), before + after);
        ASSERT_EQ(zet::setElementValue(text, name, value),
            before + tag(name) + trim(value) + tag(name, true) + after);
        ASSERT_EQ(zet::trimSpaces(value + text), trim(value + text));
    }
}

// Random operations, whole walks among them, on cursors over random texts.
TEST(ElementReaderEquivalence, RandomCursorOperationsGiveTheSameResults)
{
    QRandomGenerator random(303);
    for (int i = 0; i < 20000; ++i) {
        const QString text = randomText(random);
        const QString name = randomName(random, random.bounded(2) == 0);
        SCOPED_TRACE(QStringLiteral("text \"%1\" name \"%2\"").arg(text, name).toStdString());
        zet::ElementCursor fast(text, name);
        ReferenceCursor slow(text, name);
        for (int step = random.bounded(40); step >= 0; --step) {
            const int operation = step == 0 ? 4 : random.bounded(6);
            const quint32 choices = random.bounded(2) == 0 ? ~0U : random.generate();
            ASSERT_EQ(apply(fast, operation, choices), apply(slow, operation, choices))
                << "operation " << operation;
        }
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
    const QString lowered = lower(all);
    ASSERT_EQ(zet::lowerPerChar(all), lowered);
    EXPECT_EQ(lowered.count(QLatin1Char('<')), 1);
    EXPECT_EQ(lowered.count(QLatin1Char('>')), 1);
    EXPECT_EQ(lowered.count(QLatin1Char('/')), 1);
}
