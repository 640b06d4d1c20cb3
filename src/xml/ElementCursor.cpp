#include "xml/ElementCursor.h"

#include "xml/TagSearch.h"

namespace zet {

namespace {

QString withoutAngles(const QString &name)
{
    QString stripped = name;
    if (stripped.contains(QLatin1Char('<')) || stripped.contains(QLatin1Char('>')))
        stripped.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
    return stripped;
}

} // namespace

ElementCursor::ElementCursor(const QString &text, const QString &name)
    : original_(text)
    , openTag_(tagOf(withoutAngles(name), Tag::Open, Case::Lower))
    , closeTag_(tagOf(withoutAngles(name), Tag::Close, Case::Lower))
{
    const bool emptyName = openTag_.size() == 2;
    // An empty name stays at the end, and next() never searches from there.
    if (!emptyName)
        searchFrom(0);
}

qsizetype ElementCursor::findClose(qsizetype from)
{
    if (closeFrom_ < 0 || from < closeFrom_ || (closeAt_ >= 0 && from > closeAt_)) {
        closeFrom_ = from;
        closeAt_ = indexOfFolded(original_, closeTag_, from);
    }
    return closeAt_;
}

bool ElementCursor::searchFrom(qsizetype from)
{
    const qsizetype openAt = indexOfFolded(original_, openTag_, from);
    const qsizetype close = openAt < 0 ? -1 : findClose(openAt + 1);
    valid_ = close >= 0;
    contentStart_ = valid_ ? openAt + openTag_.size() : -1;
    closePos_ = valid_ ? close : -1;
    return valid_;
}

QString ElementCursor::current() const
{
    if (!valid_)
        return QString();
    return sharedPart(original_, contentStart_, closePos_ - contentStart_);
}

QStringView ElementCursor::currentView() const
{
    if (!valid_)
        return QStringView();
    return QStringView(original_).mid(contentStart_, closePos_ - contentStart_);
}

bool ElementCursor::next()
{
    if (atEnd())
        return false;
    return searchFrom(contentStart_);
}

QString ElementCursor::take()
{
    if (!valid_)
        return QString();
    const QString value = current();
    // The text before the element joins the kept prefix; the walk goes on
    // right after the element's closing tag, which is where the next search
    // of the shortened text starts.
    const qsizetype openPos = contentStart_ - openTag_.size();
    prefix_ += QStringView(original_).mid(tailStart_, openPos - tailStart_);
    tailStart_ = closePos_ + closeTag_.size();
    contentStart_ = tailStart_;
    valid_ = false;
    return value;
}

QString ElementCursor::remainingText() const
{
    if (prefix_.isEmpty())
        return tailStart_ == 0 ? original_ : original_.mid(tailStart_);
    return joined({ prefix_, QStringView(original_).mid(tailStart_) });
}

} // namespace zet
