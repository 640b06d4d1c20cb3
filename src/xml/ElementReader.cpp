#include "xml/ElementReader.h"

#include <QList>

namespace zet {

namespace {

bool findPass(const QString &haystack, const QString &openTag, const QString &closeTag,
              ElementMatch *match, bool *openFound)
{
    const int open = haystack.indexOf(openTag);
    *openFound = open >= 0;
    if (open < 0)
        return false;
    const int close = haystack.indexOf(closeTag, open);
    if (close < 0)
        return false;
    if (match) {
        match->OpenPos = open;
        match->ContentStart = open + int(openTag.size());
        match->ClosePos = close;
        match->AfterClose = close + int(closeTag.size());
    }
    return true;
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
    int contentStart = 0; // 0-based; -1 when the walk is over
    int closePos = 0;
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

bool searchFrom(Cursor &cursor, int from)
{
    if (!cursor.name.isEmpty()) {
        const int open = cursor.lowerText.indexOf(cursor.openTag, from);
        if (open >= 0) {
            const int close = cursor.lowerText.indexOf(cursor.closeTag, open + 1);
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

} // namespace

QString TrimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString LowerPerChar(const QString &text)
{
    QString lower = text;
    for (QChar &c : lower)
        c = c.toLower();
    return lower;
}

bool FindElement(const QString &text, const QString &name, ElementMatch *match)
{
    const QString openTag = QLatin1Char('<') + name + QLatin1Char('>');
    const QString closeTag = QLatin1String("</") + name + QLatin1Char('>');
    if (match) {
        match->OpenTag = openTag;
        match->CloseTag = closeTag;
    }
    bool openFound = false;
    if (findPass(text, openTag, closeTag, match, &openFound))
        return true;
    if (openFound)
        return false;
    const QString lowerOpen = LowerPerChar(openTag);
    const QString lowerClose = LowerPerChar(closeTag);
    if (findPass(text, lowerOpen, lowerClose, match, &openFound))
        return true;
    if (openFound)
        return false;
    return findPass(LowerPerChar(text), lowerOpen, lowerClose, match, &openFound);
}

QString GetElementValue(const QString &text, const QString &name)
{
    ElementMatch m;
    if (!FindElement(text, name, &m))
        return QString();
    return text.mid(m.ContentStart, m.ClosePos - m.ContentStart);
}

QString RemoveElement(const QString &text, const QString &name)
{
    ElementMatch m;
    if (!FindElement(text, name, &m))
        return text;
    return text.left(m.OpenPos) + text.mid(m.AfterClose);
}

QString SetElementValue(const QString &text, const QString &name, const QString &value)
{
    ElementMatch m;
    const QString openTag = QLatin1Char('<') + name + QLatin1Char('>');
    const QString closeTag = QLatin1String("</") + name + QLatin1Char('>');
    const QString element = openTag + TrimSpaces(value) + closeTag;
    if (!FindElement(text, name, &m))
        return text + element;
    return text.left(m.OpenPos) + element + text.mid(m.AfterClose);
}

int OpenCursor(const QString &text, const QString &name)
{
    QList<Cursor> &table = cursorTable();
    table.append(Cursor());
    Cursor &cursor = table.last();
    cursor.open = true;
    cursor.text = text;
    cursor.lowerText = LowerPerChar(text);
    cursor.name = name;
    cursor.name.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
    cursor.openTag = LowerPerChar(QLatin1Char('<') + cursor.name + QLatin1Char('>'));
    cursor.closeTag = LowerPerChar(QLatin1String("</") + cursor.name + QLatin1Char('>'));
    searchFrom(cursor, 0);
    return int(table.size());
}

bool CursorAtEnd(int handle)
{
    Cursor *cursor = cursorAt(handle);
    if (!cursor || cursor->contentStart != -1)
        return false;
    cursor->valid = false;
    return true;
}

QString CursorCurrent(int handle)
{
    Cursor *cursor = cursorAt(handle);
    if (!cursor || !cursor->valid || cursor->contentStart < 0 || cursor->closePos < 0)
        return QString();
    return cursor->text.mid(cursor->contentStart, cursor->closePos - cursor->contentStart);
}

bool CursorNext(int handle)
{
    Cursor *cursor = cursorAt(handle);
    if (!cursor || cursor->contentStart == -1 || cursor->name.isEmpty())
        return false;
    return searchFrom(*cursor, cursor->contentStart);
}

QString CursorTake(int handle)
{
    Cursor *cursor = cursorAt(handle);
    if (!cursor || !cursor->valid || cursor->contentStart < 0)
        return QString();
    const QString value = CursorCurrent(handle);
    const int openPos = cursor->contentStart - int(cursor->openTag.size());
    cursor->text = cursor->text.left(openPos) + cursor->text.mid(cursor->closePos + cursor->closeTag.size());
    cursor->lowerText = LowerPerChar(cursor->text);
    cursor->contentStart = openPos;
    cursor->valid = false;
    return value;
}

QString CloseCursor(int &handle)
{
    QList<Cursor> &table = cursorTable();
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

int CursorTableSize()
{
    return int(cursorTable().size());
}

} // namespace zet
