#pragma once

#include <QHash>
#include <QLatin1String>
#include <QList>
#include <QString>

#include <span>

namespace zet {

// The values of several keys of one text, found in a single pass over it
// instead of one search (of up to three passes) per key. value(name) is
// exactly getElementValue(text, name): the first exact opening tag decides,
// then one written in lower case, then one in any case, each with the first
// matching closing tag after it. Names must not hold '<' or '>' (no key does).
class KeyReader
{
public:
    KeyReader(const QString &text, std::span<const QLatin1String> names);

    // The key's value; empty text when it is absent or was not asked for.
    QString value(QLatin1String name) const;

private:
    // Opening and closing tag positions for each way of matching: exact,
    // written in lower case, any case. -1 when not seen.
    struct Tags
    {
        qsizetype open[3] = { -1, -1, -1 };
        qsizetype close[3] = { -1, -1, -1 };
    };

    void scan();
    void noteTag(QStringView body, bool closing, qsizetype position);

    const QString text_; // shares the caller's text, no copy
    QList<QString> names_;
    QList<QString> lowerNames_;
    QList<Tags> tags_;
    QList<QList<int>> byLength_; // name indices by name length
    QHash<QString, int> byName_;
    qsizetype longestName_ = 0;
};

} // namespace zet
