#include "export/XmlIndent.h"

#include <algorithm>

namespace zet {

QString stripControlChars(const QString &text)
{
    QString result = text;
    result.removeIf([](QChar c) { return c.unicode() < 32; });
    return result;
}

QString indentXml(const QString &input)
{
    const QString text = stripControlChars(input);
    QString out;
    out.reserve(text.size() + text.size() / 4);
    qsizetype copied = 0; // text before this index is in out
    const auto breakLineBefore = [&](qsizetype at, int tabs) {
        out.append(QStringView(text).mid(copied, at - copied));
        out.append(QLatin1String("\r\n"));
        out.append(QString(std::max(tabs, 0), QLatin1Char('\t')));
        copied = at;
    };

    int level = -1;
    // The last "<" and the last "</" before the tag being looked at, whether
    // the search stopped at them or not.
    qsizetype lastTag = -1;
    qsizetype lastClosingTag = -1;
    qsizetype scanned = 0;
    qsizetype from = 0;
    // A "<" as the very last character starts no tag.
    for (qsizetype at = text.indexOf(QLatin1Char('<'), from); at >= 0 && at < text.size() - 1;
         at = text.indexOf(QLatin1Char('<'), from)) {
        for (; scanned < at; ++scanned) {
            if (text[scanned] == QLatin1Char('<')) {
                lastTag = scanned;
                if (text[scanned + 1] == QLatin1Char('/'))
                    lastClosingTag = scanned;
            }
        }
        from = at + 1;
        if (text[at + 1] != QLatin1Char('/')) {
            ++level;
            if (at > 0)
                breakLineBefore(at, level);
        } else if (lastTag != lastClosingTag) {
            --level; // the element held only text: its closing tag stays on its line
        } else {
            breakLineBefore(at, level);
            --level;
        }
    }
    out.append(QStringView(text).mid(copied));
    return out;
}

} // namespace zet
