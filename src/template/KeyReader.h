#pragma once

#include <QHash>
#include <QLatin1String>
#include <QList>
#include <QString>

#include <optional>
#include <span>

namespace zet {

// The values of several keys of one text, found in a single pass over it
// instead of one search (of up to three passes) per key. value(name) is
// exactly getElementValue(text, name): the first exact opening tag decides,
// then one written in lower case, then one in any case, each with the first
// matching closing tag after it. Names must not hold '<' or '>' (no key does).
//
// The reader also answers for a part of the text, such as one element's
// content, as a reader of that part alone would, provided the part begins at
// the text's start or right after a '>' and ends at a '<' or the text's end
// (an element's content always does). Each answer costs a few binary
// searches however long the part, so reading the keys of many elements,
// nested ones included, costs the length of the text once.
class KeyReader
{
public:
    // A part of the text, from begin up to (not including) end.
    struct Part
    {
        qsizetype begin = 0;
        qsizetype end = 0;
        bool operator==(const Part &) const = default;
    };

    KeyReader(const QString &text, std::span<const QLatin1String> names);

    // The key's value; empty text when it is absent or was not asked for.
    // Values that overlap (those of nested elements) could copy the text
    // many times over: zet::Error 7 once the copies handed out would pass
    // twice the text's length plus 128 Mi characters.
    QString value(QLatin1String name) const { return value(name, whole()); }
    QString value(QLatin1String name, Part within) const;
    // Where the key's value lies within the part; nothing when the value is
    // empty text because the key is absent, unclosed or was not asked for.
    std::optional<Part> find(QLatin1String name, Part within) const;

    Part whole() const { return { 0, text_.size() }; }

    // The content of every element of the name (asked for) in any letter
    // case, as an element cursor walks them: each opening tag with the first
    // closing tag after it, nested elements included, in text order; the
    // walk ends at an opening tag with no closing tag after it.
    QList<Part> elements(QLatin1String name) const;

private:
    // Positions of every opening and closing tag of a name, in text order,
    // for each way of matching: exact, written in lower case, any case.
    struct Tags
    {
        QList<qsizetype> open[3];
        QList<qsizetype> close[3];
    };
    // The value handed out last for a name.
    struct LastValue
    {
        Part part { -1, -1 };
        QString text;
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
    // A value found at the same place as the previous value of its key
    // shares that one's text and copies nothing.
    mutable QList<LastValue> last_;
    mutable qsizetype copied_ = 0; // characters copied into values so far
};

} // namespace zet
