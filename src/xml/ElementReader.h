#pragma once

#include <QString>
#include <QStringView>

namespace zet {

// Element lookups over element-tagged text. An element is "<name>", its raw
// content and the first "</name>" after the opening tag; there are no
// attributes, entities or comments. Positions are 0-based indices into the
// text; -1 means "none". ElementCursor walks the repeated elements of a name.

// Where a found element lies: its opening tag, its first content unit, its
// closing tag and the unit just after that. Left as it was when not found.
struct ElementMatch
{
    int openPos = -1;
    int contentStart = -1;
    int closePos = -1;
    int afterClose = -1;
};

// Three passes, the first that finds an opening tag decides: exact case; the
// tags lower-cased against the text as it is; both lower-cased (compared unit
// by unit, without a lowered copy). A lookup stops at the element it finds.
bool findElement(const QString &text, const QString &name, ElementMatch *match = nullptr);

// The tags findElement looks for, made once for many lookups of one name.
struct ElementTags
{
    explicit ElementTags(const QString &name);
    QString open;
    QString close;
    QString lowerOpen;
    QString lowerClose;
};
bool findElement(QStringView text, const ElementTags &tags, ElementMatch *match = nullptr);

// Content of the first element named name, or empty text.
QString getElementValue(const QString &text, const QString &name);

// The text without the first element named name, or the text unchanged.
QString removeElement(const QString &text, const QString &name);

// The text with the first element named name holding value (spaces trimmed);
// appended at the very end when there is no such element.
QString setElementValue(const QString &text, const QString &name, const QString &value);

// Removes the space character (only) from both ends.
QString trimSpaces(const QString &text);
QStringView trimSpaces(QStringView text);

// Lower-cases each UTF-16 unit on its own, so positions are preserved.
QString lowerPerChar(const QString &text);

} // namespace zet
