#pragma once

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>

namespace zet::test {

// One to five random edits of text: a cut, a repeated stretch, one of pieces
// inserted, a random UTF-16 unit, or the rest cut off. Seeded by the caller,
// so a failing case can be replayed.
inline QString mutateText(const QString &text, QRandomGenerator &random, const QStringList &pieces)
{
    QString result = text;
    for (int e = random.bounded(1, 6); e > 0 && !result.isEmpty(); --e) {
        const qsizetype at = random.bounded(result.size());
        const qsizetype length = std::min<qsizetype>(random.bounded(1, 40), result.size() - at);
        const int kind = random.bounded(5);
        if (kind == 0)
            result.remove(at, length);
        else if (kind == 1)
            result.insert(at, result.mid(at, length));
        else if (kind == 2)
            result.insert(at, pieces[random.bounded(int(pieces.size()))]);
        else if (kind == 3)
            result[at] = QChar(char16_t(random.bounded(0x10000)));
        else
            result.truncate(at);
    }
    return result;
}

} // namespace zet::test
