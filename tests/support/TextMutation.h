#pragma once

#include <QRandomGenerator>
#include <QStringList>

namespace zet::test {

// One to five random edits of text: a cut, a repeated stretch, one of pieces
// inserted, a random UTF-16 unit, or the rest cut off. Seeded by the caller,
// so a failing case can be replayed.
QString mutateText(const QString &text, QRandomGenerator &random, const QStringList &pieces);

} // namespace zet::test
