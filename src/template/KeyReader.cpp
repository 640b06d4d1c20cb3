#include "template/KeyReader.h"

#include "core/CaseFolding.h"
#include "xml/ElementReader.h"
#include "zetview/Error.h"

#include <algorithm>

namespace zet {

namespace {

enum Match { kExact = 0, kWrittenLower = 1, kAnyCase = 2 };

// Characters the values of a text may copy beyond twice its length.
constexpr qsizetype kCopyAllowance = qsizetype(1) << 27;

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
    last_.resize(names_.size());
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
            if (matches[m])
                (closing ? tags.close[m] : tags.open[m]).append(position);
        }
    }
}

std::optional<KeyReader::Part> KeyReader::find(QLatin1String name, Part within) const
{
    const auto found = byName_.constFind(QString(name));
    if (found == byName_.constEnd())
        return std::nullopt;
    const Tags &tags = tags_[*found];
    for (int m = kExact; m <= kAnyCase; ++m) {
        // The first opening tag in the part decides; a tag that begins in the
        // part ends in it too, since the part ends at a '<' or the text's end.
        const auto open = std::lower_bound(tags.open[m].cbegin(), tags.open[m].cend(), within.begin);
        if (open == tags.open[m].cend() || *open >= within.end)
            continue;
        const auto close = std::upper_bound(tags.close[m].cbegin(), tags.close[m].cend(), *open);
        if (close == tags.close[m].cend() || *close >= within.end)
            return std::nullopt;
        return Part { *open + name.size() + 2, *close };
    }
    return std::nullopt;
}

QList<KeyReader::Part> KeyReader::elements(QLatin1String name) const
{
    QList<Part> parts;
    const auto found = byName_.constFind(QString(name));
    if (found == byName_.constEnd())
        return parts;
    const Tags &tags = tags_[*found];
    const QList<qsizetype> &closes = tags.close[kAnyCase];
    for (qsizetype open : tags.open[kAnyCase]) {
        const auto close = std::upper_bound(closes.cbegin(), closes.cend(), open);
        if (close == closes.cend())
            break;
        parts.append({ open + name.size() + 2, *close });
    }
    return parts;
}

QString KeyReader::value(QLatin1String name, Part within) const
{
    const std::optional<Part> part = find(name, within);
    if (!part)
        return QString();
    LastValue &last = last_[byName_.value(QString(name))];
    if (last.part != *part) {
        const qsizetype limit = 2 * text_.size() + kCopyAllowance;
        copied_ += part->end - part->begin;
        if (copied_ > limit)
            throw Error(Error::kOutOfMemory,
                QStringLiteral(
                    "Out of memory: i valori di %1 in elementi annidati supererebbero %2 caratteri")
                    .arg(name)
                    .arg(limit));
        last.part = *part;
        last.text = text_.mid(part->begin, part->end - part->begin);
    }
    return last.text;
}

} // namespace zet
