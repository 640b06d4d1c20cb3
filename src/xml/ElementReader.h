#pragma once

#include <QString>

namespace zet {

// Element lookups over element-tagged text. An element is "<name>", its raw
// content and the first "</name>" after the opening tag; there are no
// attributes, entities or comments. Positions are 0-based indices into the
// text; -1 means "none".

struct ElementMatch
{
    QString openTag;
    QString closeTag;
    int openPos = -1;
    int contentStart = -1;
    int closePos = -1;
    int afterClose = -1;
};

// Three passes, the first that finds an opening tag decides: exact case; the
// tags lower-cased against the text as it is; both lower-cased (compared unit
// by unit, without a lowered copy). A lookup stops at the element it finds.
bool findElement(const QString &text, const QString &name, ElementMatch *match = nullptr);

// Content of the first element named name, or empty text.
QString getElementValue(const QString &text, const QString &name);

// The text without the first element named name, or the text unchanged.
QString removeElement(const QString &text, const QString &name);

// The text with the first element named name holding value (spaces trimmed);
// appended at the very end when there is no such element.
QString setElementValue(const QString &text, const QString &name, const QString &value);

// Removes the space character (only) from both ends.
QString trimSpaces(const QString &text);

// Lower-cases each UTF-16 unit on its own, so positions are preserved.
QString lowerPerChar(const QString &text);

// Element cursors: a module-level table addressed by handles from 1; the
// handle -1 stands for the most recently opened cursor. Cursor matching
// ignores letter case. Walks open and close their cursor within one procedure.
// A walk over the whole text, taking every element or not, costs time linear
// in the text's length; the cursor shares the text passed in, copying nothing
// until a take or the close hands text back.
int openCursor(const QString &text, const QString &name);
bool cursorAtEnd(int handle);
QString cursorCurrent(int handle);
bool cursorNext(int handle);
// The current element's value; the element is removed from the cursor's text.
QString cursorTake(int handle);
// The cursor's text with every taken element removed; handle becomes -1.
QString closeCursor(int &handle);

// Number of slots in the cursor table (for tests: 0 once every walk closed).
int cursorTableSize();

} // namespace zet
