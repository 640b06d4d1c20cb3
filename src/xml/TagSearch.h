#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <initializer_list>

namespace zet {

// Searching for tags, shared by the element lookups and the element cursor.

enum class Tag { Open, Close };
enum class Case { AsWritten, Lower };

// "<name>" or "</name>", lower-cased unit by unit if asked, in one allocation.
QString tagOf(QStringView name, Tag kind, Case letterCase = Case::AsWritten);

// First position at or after from where text, lower-cased unit by unit,
// holds lowerPattern; -1 if none. Nothing is copied.
qsizetype indexOfFolded(QStringView text, QStringView lowerPattern, qsizetype from);

// QStringView::indexOf for a tag as written (case counts), quicker on
// element text, where '<' starts one short tag after another.
qsizetype indexOfTagAsWritten(QStringView text, QStringView tag, qsizetype from);

// indexOfFolded for one pattern searched many times or through long texts.
// A tag (a pattern starting with '<') is looked for eight units at a time,
// by its first two units; any other pattern's window moves by the pattern's
// length where the unit at its end allows (Horspool's method on lower-cased
// units).
class FoldedSearch
{
public:
    explicit FoldedSearch(const QString &lowerPattern);

    qsizetype indexIn(QStringView text, qsizetype from) const;
    const QString &pattern() const { return pattern_; }

private:
    // Units from 256 up share the last class: their shift is the smallest of
    // theirs, which never skips a match; shifts are capped likewise.
    static constexpr int kClasses = 257;
    static int classOf(char16_t lowered) { return lowered < 256 ? lowered : 256; }
    bool isTag() const { return pattern_.size() >= 2 && pattern_.front() == u'<'; }

    QString pattern_;
    std::array<quint16, kClasses> shift_; // at most the pattern's length
};

// The size units of text from position (a range within it), sharing text's
// block instead of copying it as QString::mid does: the whole block stays
// allocated while the part lives, and the part is not followed by a null.
// Suits parts that live no longer than the walk that cut them.
QString sharedPart(const QString &text, qsizetype position, qsizetype size);

// The pieces one after the other, in a single allocation.
QString joined(std::initializer_list<QStringView> pieces);

} // namespace zet
