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
// holds lowerPattern; -1 if none. Nothing is copied.
qsizetype indexOfFolded(QStringView text, QStringView lowerPattern, qsizetype from);

// The pieces one after the other, in a single allocation.
QString joined(std::initializer_list<QStringView> pieces);

} // namespace zet
