#include "template/KeyReader.h"

#include "core/CaseFolding.h"
#include "xml/ElementReader.h"

namespace zet {

namespace {

enum Match { kExact = 0, kWrittenLower = 1, kAnyCase = 2 };

} // namespace

KeyReader::KeyReader(const QString &text, std::span<const QLatin1String> names)
    : text_(text)
{
    for (QLatin1String name : names) {
        const QString key = name;
        if (byName_.contains(key))
            continue;
        const int index = int(names_.size());
        byName_.insert(key, index);
        names_.append(key);
        lowerNames_.append(lowerPerChar(key));
        longestName_ = std::max(longestName_, key.size());
        if (byLength_.size() <= key.size())
            byLength_.resize(key.size() + 1);
        byLength_[key.size()].append(index);
    }
    tags_.resize(names_.size());
    scan();
}

void KeyReader::scan()
{
    const qsizetype size = text_.size();
    for (qsizetype at = text_.indexOf(QLatin1Char('<')); at >= 0;
         at = text_.indexOf(QLatin1Char('<'), at + 1)) {
        qsizetype bodyStart = at + 1;
        const bool closing = bodyStart < size && text_.at(bodyStart) == QLatin1Char('/');
        if (closing)
            ++bodyStart;
        // A tag of one of the names ends with '>' right after the name.
        const qsizetype window = std::min(size, bodyStart + longestName_ + 1);
        for (qsizetype end = bodyStart; end < window; ++end) {
            const QChar c = text_.at(end);
            if (c == QLatin1Char('>')) {
                noteTag(QStringView(text_).mid(bodyStart, end - bodyStart), closing, at);
                break;
            }
            if (c == QLatin1Char('<'))
                break;
        }
    }
}

void KeyReader::noteTag(QStringView body, bool closing, qsizetype position)
{
    if (body.size() >= byLength_.size())
        return;
    for (int index : byLength_[body.size()]) {
        if (!lowerUnitsEqual(body, lowerNames_[index]))
            continue;
        const bool matches[3] = { body == names_[index], body == lowerNames_[index], true };
        Tags &tags = tags_[index];
        for (int m = kExact; m <= kAnyCase; ++m) {
            if (!matches[m])
                continue;
            if (!closing && tags.open[m] < 0)
                tags.open[m] = position;
            else if (closing && tags.open[m] >= 0 && tags.close[m] < 0)
                tags.close[m] = position;
        }
    }
}

QString KeyReader::value(QLatin1String name) const
{
    const auto found = byName_.constFind(QString(name));
    if (found == byName_.constEnd())
        return QString();
    const Tags &tags = tags_[*found];
    for (int m = kExact; m <= kAnyCase; ++m) {
        if (tags.open[m] < 0)
            continue;
        if (tags.close[m] < 0)
            return QString();
        const qsizetype contentStart = tags.open[m] + name.size() + 2;
        return text_.mid(contentStart, tags.close[m] - contentStart);
    }
    return QString();
}

} // namespace zet
