#pragma once

#include "zetview/Error.h"

#include <QtGlobal>

namespace zet {

// Element index (0-based) of a document list; raises zet::Error 9 (subscript
// out of range) instead of reading outside the list.
template <typename List> auto &CheckedAt(List &list, qsizetype index)
{
    if (index < 0 || index >= list.size())
        throw Error::subscriptOutOfRange();
    return list[index];
}

} // namespace zet
