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

bool findElement(const QString &text, const QString &name, ElementMatch *match)
{
    const QString openTag = tagOf(name, Tag::Open);
    const QString closeTag = tagOf(name, Tag::Close);
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

} // namespace zet
