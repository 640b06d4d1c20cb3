#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>

namespace zet {

// Searching for tags, shared by the element lookups and the element cursor.

enum class Tag { Open, Close };
enum class Case { AsWritten, Lower };

// "<name>" or "</name>", lower-cased unit by unit if asked, in one allocation.
QString tagOf(QStringView name, Tag kind, Case letterCase = Case::AsWritten);

// First position at or after from where text, lower-cased unit by unit,
// holds lowerPattern; -1 if none. Nothing is copied. A tag (a pattern
// starting with '<') is looked for sixteen or eight units at a time, by its
// first two units and its last.
qsizetype indexOfFolded(QStringView text, QStringView lowerPattern, qsizetype from);

// QStringView::indexOf for a tag as written (case counts), quicker on
// element text, where '<' starts one short tag after another.
qsizetype indexOfTagAsWritten(QStringView text, QStringView tag, qsizetype from);

// The size units of text from position (a range within it), sharing text's
// block instead of copying it as QString::mid does: the whole block stays
// allocated while the part lives, and the part is not followed by a null.
// Suits parts that live no longer than the walk that cut them.
QString sharedPart(const QString &text, qsizetype position, qsizetype size);

// The pieces one after the other, in a single allocation.
QString joined(std::initializer_list<QStringView> pieces);

} // namespace zet
