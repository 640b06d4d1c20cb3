#pragma once

#include "model/ReportDocument.h"
#include "zetview/Error.h"

#include <QList>
#include <QString>

namespace zet {

// Layout follows indices stored in one list into another. A stored index that
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

inline const ReportBand &bandAt(const ReportDocument &document, int index)
{
    return checkedAt(document.bands, index, "Bands");
}

inline PlacedBand &placedBandAt(ReportDocument &document, int pageIndex, int placedBandIndex)
{
    return checkedAt(
        checkedAt(document.pages, pageIndex, "Pages").placedBands, placedBandIndex, "PlacedBands");
}

} // namespace zet
