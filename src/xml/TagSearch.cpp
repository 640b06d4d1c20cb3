#include "xml/TagSearch.h"

#include "core/CaseFolding.h"

namespace zet {

QString tagOf(QStringView name, Tag kind, Case letterCase)
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

qsizetype indexOfFolded(QStringView text, QStringView lowerPattern, qsizetype from)
{
    const qsizetype m = lowerPattern.size();
    if (m == 0)
        return from <= text.size() ? from : -1;
    const qsizetype last = text.size() - m;
    const char16_t first = lowerPattern.front().unicode();
    for (qsizetype i = from; i <= last; ++i) {
        // Only '<' lower-cases to '<', so a pattern starting with it can jump
        // from one '<' to the next.
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

} // namespace zet
