#include "xml/ElementReader.h"

#include "core/CaseFolding.h"
#include "xml/TagSearch.h"

#include <algorithm>

namespace zet {

namespace {

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

} // namespace

QStringView trimSpaces(QStringView text)
{
    while (text.startsWith(QLatin1Char(' ')))
        text = text.mid(1);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QString trimSpaces(const QString &text)
{
    const QStringView trimmed = trimSpaces(QStringView(text));
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QString lowerPerChar(const QString &text)
{
    QString lower(text.size(), Qt::Uninitialized);
    std::transform(
        text.cbegin(), text.cend(), lower.begin(), [](QChar c) { return QChar(lowerUnit(c.unicode())); });
    return lower;
}

ElementTags::ElementTags(const QString &name)
    : open(tagOf(name, Tag::Open))
    , close(tagOf(name, Tag::Close))
    , lowerOpen(tagOf(name, Tag::Open, Case::Lower))
    , lowerClose(tagOf(name, Tag::Close, Case::Lower))
{ }

bool findElement(const QString &text, const QString &name, ElementMatch *match)
{
    return findElement(text, ElementTags(name), match);
}

bool findElement(QStringView text, const ElementTags &tags, ElementMatch *match)
{
    // Every opening tag the passes below can find is one in any case too, so
    // where none is the lookup ends after one pass, and where one is, no pass
    // finds an opening tag before it.
    // A record's fields usually open its text, written as named.
    const qsizetype first = text.startsWith(tags.open) ? 0 : indexOfFolded(text, tags.lowerOpen, 0);
    if (first < 0)
        return false;
    const auto exact = [&text, first](const QString &tag, qsizetype from) {
        return indexOfTagAsWritten(text, tag, std::max(from, first));
    };
    PassResult result = findPass(exact, tags.open, tags.close, match);
    if (result != PassResult::Nothing)
        return result == PassResult::Found;
    result = findPass(exact, tags.lowerOpen, tags.lowerClose, match);
    if (result != PassResult::Nothing)
        return result == PassResult::Found;
    const auto folded
        = [&text](const QString &tag, qsizetype from) { return indexOfFolded(text, tag, from); };
    return findPass(folded, tags.lowerOpen, tags.lowerClose, match) == PassResult::Found;
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

} // namespace zet
