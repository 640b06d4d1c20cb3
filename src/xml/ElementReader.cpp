#include "xml/ElementReader.h"

#include "core/CaseFolding.h"

#include <QList>
#include <algorithm>
#include <initializer_list>

namespace zet {

namespace {

// First position at or after from where text, lower-cased unit by unit,
// holds lowerPattern; -1 if none. Nothing is copied. Only '<' lower-cases to
// '<', so a pattern starting with it can jump from one '<' to the next.
qsizetype indexOfFolded(QStringView text, QStringView lowerPattern, qsizetype from)
{
    const qsizetype m = lowerPattern.size();
    if (m == 0)
        return from <= text.size() ? from : -1;
    const qsizetype last = text.size() - m;
    const char16_t first = lowerPattern.front().unicode();
    for (qsizetype i = from; i <= last; ++i) {
        if (first == u'<') {
            i = text.indexOf(QLatin1Char('<'), i);
            if (i < 0 || i > last)
                return -1;
        } else if (lowerUnit(text[i].unicode()) != first) {
            continue;
        }
        qsizetype j = 1;
        while (j < m && lowerUnit(text[i + j].unicode()) == lowerPattern[j].unicode())
            ++j;
        if (j == m)
            return i;
    }
    return -1;
}

// The pieces one after the other, in a single allocation.
QString joined(std::initializer_list<QStringView> pieces)
{
    qsizetype size = 0;
    for (QStringView piece : pieces)
        size += piece.size();
    QString result;
    result.reserve(size);
    for (QStringView piece : pieces)
        result.append(piece);
    return result;
}

enum class Tag { Open, Close };
enum class Case { AsWritten, Lower };

// "<name>" or "</name>", lower-cased unit by unit if asked, in one allocation.
QString tagOf(QStringView name, Tag kind, Case letterCase = Case::AsWritten)
{
    QString tag(name.size() + (kind == Tag::Close ? 3 : 2), Qt::Uninitialized);
    QChar *out = tag.data();
    *out++ = QLatin1Char('<');
    if (kind == Tag::Close)
        *out++ = QLatin1Char('/');
    for (QChar c : name)
        *out++ = letterCase == Case::Lower ? QChar(lowerUnit(c.unicode())) : c;
    *out = QLatin1Char('>');
    return tag;
}

enum class PassResult { Found, OpenOnly, Nothing };

// One pass of FindElement: the opening tag, then the closing tag from the
// opening tag's position on.
template <typename Search>
PassResult findPass(Search search, const QString &openTag, const QString &closeTag, ElementMatch *match)
{
    const qsizetype open = search(openTag, 0);
    if (open < 0)
        return PassResult::Nothing;
    const qsizetype close = search(closeTag, open);
    if (close < 0)
        return PassResult::OpenOnly;
    if (match) {
        match->openPos = int(open);
        match->contentStart = int(open + openTag.size());
        match->closePos = int(close);
        match->afterClose = int(close + closeTag.size());
    }
    return PassResult::Found;
}

// A cursor never copies or lower-cases its text. Every search of a cursor
// starts at or after the place of its latest take, so the text it walks is
// always the kept part before that place (prefix) followed by an untouched
// tail of the original text; every match lies in the tail. Positions are
// indices into the original text.
struct Cursor
{
    bool open = false;
    bool valid = false;
    QString original; // the text as opened; never changed
    QString prefix; // the walked text before tailStart, taken elements removed
    qsizetype tailStart = 0;
    QString name; // without '<' and '>'
    QString openTag; // lower-cased
    QString closeTag; // lower-cased
    qsizetype contentStart = 0; // -1 when the walk is over
    qsizetype closePos = 0;
    // The first closing tag at or after closeFrom is at closeAt (-1: none).
    // Close searches move forward only, so this spares rescanning the text
    // between an element and a far-away closing tag.
    qsizetype closeFrom = -1;
    qsizetype closeAt = -1;

    qsizetype findClose(qsizetype from)
    {
        if (closeFrom < 0 || from < closeFrom || (closeAt >= 0 && from > closeAt)) {
            closeFrom = from;
            closeAt = indexOfFolded(original, closeTag, from);
        }
        return closeAt;
    }

    bool searchFrom(qsizetype from)
    {
        if (!name.isEmpty()) {
            const qsizetype openAt = indexOfFolded(original, openTag, from);
            if (openAt >= 0) {
                const qsizetype close = findClose(openAt + 1);
                if (close >= 0) {
                    contentStart = openAt + openTag.size();
                    closePos = close;
                    valid = true;
                    return true;
                }
            }
        }
        contentStart = -1;
        closePos = -1;
        valid = false;
        return false;
    }

    QString text() const
    {
        if (prefix.isEmpty())
            return tailStart == 0 ? original : original.mid(tailStart);
        return joined({ prefix, QStringView(original).mid(tailStart) });
    }
};

QList<Cursor> &cursorTable()
{
    thread_local QList<Cursor> table;
    return table;
}

Cursor *cursorAt(int handle)
{
    QList<Cursor> &table = cursorTable();
    if (handle == -1)
        handle = int(table.size());
    if (handle < 1 || handle > table.size())
        return nullptr;
    return &table[handle - 1];
}

} // namespace

QString trimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString lowerPerChar(const QString &text)
{
    QString lower(text.size(), Qt::Uninitialized);
    std::transform(
        text.cbegin(), text.cend(), lower.begin(), [](QChar c) { return QChar(lowerUnit(c.unicode())); });
    return lower;
}

bool findElement(const QString &text, const QString &name, ElementMatch *match)
{
    const QString openTag = tagOf(name, Tag::Open);
    const QString closeTag = tagOf(name, Tag::Close);
    if (match) {
        match->openTag = openTag;
        match->closeTag = closeTag;
    }
    const auto exact = [&text](const QString &tag, qsizetype from) { return text.indexOf(tag, from); };
    PassResult result = findPass(exact, openTag, closeTag, match);
    if (result != PassResult::Nothing)
        return result == PassResult::Found;
    const QString lowerOpen = tagOf(name, Tag::Open, Case::Lower);
    const QString lowerClose = tagOf(name, Tag::Close, Case::Lower);
    result = findPass(exact, lowerOpen, lowerClose, match);
    if (result != PassResult::Nothing)
        return result == PassResult::Found;
    const auto folded
        = [&text](const QString &tag, qsizetype from) { return indexOfFolded(text, tag, from); };
    return findPass(folded, lowerOpen, lowerClose, match) == PassResult::Found;
}

QString getElementValue(const QString &text, const QString &name)
{
    ElementMatch m;
    if (!findElement(text, name, &m))
        return QString();
    return text.mid(m.contentStart, m.closePos - m.contentStart);
}

QString removeElement(const QString &text, const QString &name)
{
    ElementMatch m;
    if (!findElement(text, name, &m))
        return text;
    return joined({ QStringView(text).left(m.openPos), QStringView(text).mid(m.afterClose) });
}

QString setElementValue(const QString &text, const QString &name, const QString &value)
{
    ElementMatch m;
    const QString element = joined({ tagOf(name, Tag::Open), trimSpaces(value), tagOf(name, Tag::Close) });
    if (!findElement(text, name, &m))
        return text + element;
    return joined({ QStringView(text).left(m.openPos), element, QStringView(text).mid(m.afterClose) });
}

int openCursor(const QString &text, const QString &name)
{
    QList<Cursor> &table = cursorTable();
    table.append(Cursor());
    Cursor &cursor = table.last();
    cursor.open = true;
    cursor.original = text;
    cursor.name = name;
    if (name.contains(QLatin1Char('<')) || name.contains(QLatin1Char('>')))
        cursor.name.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
    cursor.openTag = tagOf(cursor.name, Tag::Open, Case::Lower);
    cursor.closeTag = tagOf(cursor.name, Tag::Close, Case::Lower);
    cursor.searchFrom(0);
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
    return cursor->original.mid(cursor->contentStart, cursor->closePos - cursor->contentStart);
}

bool cursorNext(int handle)
{
    Cursor *cursor = cursorAt(handle);
    if (!cursor || cursor->contentStart == -1 || cursor->name.isEmpty())
        return false;
    return cursor->searchFrom(cursor->contentStart);
}

QString cursorTake(int handle)
{
    Cursor *cursor = cursorAt(handle);
    if (!cursor || !cursor->valid || cursor->contentStart < 0)
        return QString();
    const QString value = cursorCurrent(handle);
    // The text before the element joins the kept prefix; the walk goes on
    // right after the element's closing tag, which is where the next search
    // of the shortened text starts.
    const qsizetype openPos = cursor->contentStart - cursor->openTag.size();
    cursor->prefix += QStringView(cursor->original).mid(cursor->tailStart, openPos - cursor->tailStart);
    cursor->tailStart = cursor->closePos + cursor->closeTag.size();
    cursor->contentStart = cursor->tailStart;
    cursor->valid = false;
    return value;
}

QString closeCursor(int &handle)
{
    QList<Cursor> &table = cursorTable();
    const int resolved = handle == -1 ? int(table.size()) : handle;
    handle = -1;
    Cursor *cursor = cursorAt(resolved);
    if (!cursor)
        return QString();
    const QString result = cursor->text();
    if (resolved != table.size()) {
        *cursor = Cursor();
    } else {
        cursor->open = false;
        while (!table.isEmpty() && !table.last().open)
            table.removeLast();
    }
    return result;
}

int cursorTableSize()
{
    return int(cursorTable().size());
}

} // namespace zet
