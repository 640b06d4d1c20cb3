// The element lookups, the element cursor and the tag searches on any text.
// The input's first line is the element name, the rest the text searched.
// The tag searches find what plain searches of the text (lowered or not)
// find; the lookups agree with the match findElement reports; a cursor walk
// that only visits leaves the text as it was, one that takes elements removes
// exactly those.

#include "FuzzSupport.h"
#include "xml/ElementCursor.h"
#include "xml/ElementReader.h"
#include "xml/TagSearch.h"

#include <tuple>

using namespace zet;
using zet::fuzz::require;

namespace {

QString tag(const QString &name, bool close)
{
    return (close ? QLatin1String("</") : QLatin1String("<")) + name + QLatin1Char('>');
}

void checkLookups(const QString &text, const QString &name)
{
    ElementMatch match, again;
    const bool found = findElement(text, name, &match);
    require(findElement(QStringView(text), ElementTags(name), &again) == found
            && (!found
                || std::tie(match.openPos, match.contentStart, match.closePos, match.afterClose)
                    == std::tie(again.openPos, again.contentStart, again.closePos, again.afterClose)),
        "a lookup with tags made once finds the same element");
    if (found) {
        require(0 <= match.openPos && match.openPos < match.contentStart
                && match.contentStart <= match.closePos && match.closePos < match.afterClose
                && match.afterClose <= text.size(),
            "a found element lies inside the text, its parts in order");
    }
    const QString before = found ? text.left(match.openPos) : text;
    const QString after = found ? text.mid(match.afterClose) : QString();
    const QString value
        = found ? text.mid(match.contentStart, match.closePos - match.contentStart) : QString();
    require(getElementValue(text, name) == value, "getElementValue gives the found element's content");
    require(removeElement(text, name) == before + after, "removeElement cuts exactly the found element");
    const QString newValue = text.left(8);
    require(setElementValue(text, name, newValue)
            == before + tag(name, false) + trimSpaces(newValue) + tag(name, true) + after,
        "setElementValue replaces the found element or appends one");
}

void checkTagSearches(const QString &text, const QString &name)
{
    const QString lowerText = lowerPerChar(text);
    for (const Tag kind : { Tag::Open, Tag::Close }) {
        const QString tag = tagOf(name, kind), lowerTag = tagOf(name, kind, Case::Lower);
        for (const qsizetype from : { qsizetype(0), text.size() / 2 }) {
            require(indexOfFolded(text, lowerTag, from) == lowerText.indexOf(lowerTag, from),
                "the folded search finds what a search of the lowered text finds");
            require(indexOfTagAsWritten(text, tag, from) == QStringView(text).indexOf(tag, from),
                "the tag search as written finds what QStringView::indexOf finds");
        }
    }
    if (!name.isEmpty())
        require(indexOfFolded(text, lowerPerChar(name), 0) == lowerText.indexOf(lowerPerChar(name)),
            "the folded search finds any pattern as a search of the lowered text does");
}

void checkCursor(const QString &text, const QString &name, size_t seed)
{
    ElementCursor visit(text, name);
    qsizetype steps = 0;
    for (; !visit.atEnd(); visit.next())
        require(++steps <= text.size(), "a walk meets fewer elements than the text has units");
    require(visit.remainingText() == text, "a walk that takes nothing leaves the text as it was");

    const qsizetype tagUnits = 2 * QString(name).remove(QLatin1Char('<')).remove(QLatin1Char('>')).size() + 5;
    ElementCursor walk(text, name);
    qsizetype removed = 0;
    for (size_t i = seed; !walk.atEnd(); walk.next(), ++i) {
        if (i % 3 == 0)
            continue;
        const QString current = walk.current();
        require(walk.take() == current, "take gives the current element's content");
        require(
            walk.current().isEmpty() && walk.take().isEmpty(), "after a take there is no current element");
        removed += current.size() + tagUnits;
    }
    require(walk.remainingText().size() == text.size() - removed, "taken elements leave with their tags");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::textOf(data, size);
    const qsizetype newline = input.indexOf(QLatin1Char('\n'));
    const QString name = newline < 0 ? QString() : input.left(newline);
    const QString text = input.mid(newline + 1);
    checkTagSearches(text, name);
    checkLookups(text, name);
    checkCursor(text, name, size);
    return 0;
}
