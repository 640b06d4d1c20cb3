#pragma once

#include <QString>
#include <QStringView>

namespace zet {

// The lower case of one UTF-16 unit, as QChar::toLower gives it, so positions
// are preserved; ASCII, by far the most common case, without the table lookup.
inline char16_t lowerUnit(char16_t c)
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
    return char16_t(QChar::toLower(char32_t(c)));
}

// Whether text, lower-cased unit by unit, equals lower (of the same length).
inline bool lowerUnitsEqual(QStringView text, QStringView lower)
{
    if (text.size() != lower.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (lowerUnit(text[i].unicode()) != lower[i].unicode())
            return false;
    }
    return true;
}

// True when text, upper-cased as QString::toUpper does (full case mapping, so
// "ß" becomes "SS"), equals upper. Plain ASCII text is compared in place
// without building the upper-cased copy.
inline bool upperCasedEquals(const QString &text, const QString &upper)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x80)
            return text.toUpper() == upper;
        const char16_t shouted = c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
        // An ASCII prefix maps one to one, so a difference inside it is final.
        if (i >= upper.size() || shouted != upper.at(i).unicode())
            return false;
    }
    return size == upper.size();
}

} // namespace zet
