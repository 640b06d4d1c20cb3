#pragma once

#include "zetview/Error.h"

#include <QList>
#include <QString>
#include <utility>

namespace zet {

// Records refer to one another by indices into lists. A stored index that
// points outside its list is bad input, reported as zet::Error 9 (subscript out
// of range) naming the list, never a memory fault.
template <typename T> const T &checkedAt(const QList<T> &list, qsizetype index, const char *listName)
{
    if (index < 0 || index >= list.size())
        throw Error::subscriptOutOfRange(QStringLiteral("Subscript out of range: %1(%2) with %3 entries")
                                             .arg(QLatin1String(listName))
                                             .arg(index)
                                             .arg(list.size()));
    return list.at(index);
}

template <typename T> T &checkedAt(QList<T> &list, qsizetype index, const char *listName)
{
    checkedAt(std::as_const(list), index, listName);
    return list[index];
}

} // namespace zet
