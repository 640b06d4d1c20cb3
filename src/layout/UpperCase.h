#pragma once

#include <QString>

namespace zet {

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
