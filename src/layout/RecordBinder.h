#pragma once

#include "model/ReportDocument.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <optional>
#include <vector>

namespace zet {

// Binds placed items to the values of a record by field name. A DataSource
// "X.[NAME]" shows the field NAME of whatever record its band is placed for;
// since only the suffix counts, one DataSource can name several fields
// ("A.[B.[C]" names both "C" and "B.[C"), and the record's later value wins.
// The field names each object can show are worked out once per object, so
// binding costs one hash look-up per name instead of fields times items.
class RecordBinder
{
public:
    explicit RecordBinder(const ReportDocument &document);

    // Sets ValueIndex of each item that shows a field of record recordIndex.
    void bind(QList<PlacedItem> &items, int recordIndex);

private:
    // Upper-cased field names the object's DataSource ends with, as ".[NAME]".
    const QStringList &fieldNamesShownBy(int objectIndex);

    const ReportDocument &document_;
    // By object index; filled the first time an object is bound.
    std::vector<std::optional<QStringList>> fieldNamesByObject_;
    // The latest binding worked out: the field indexes of the record's
    // values, the objects of the items and the position chosen for each item
    // (-1: none). The two lists before are scratch space for the next call.
    std::vector<int> lastFields_;
    std::vector<int> lastObjects_;
    std::vector<qsizetype> lastPositions_;
    std::vector<int> bindingFields_;
    std::vector<int> bindingObjects_;
};

// Copies ValueIndex into each item of target from the item of source that
// shows the same object (the first such item); target items without a match
// keep their ValueIndex. The two lists come from different placements of the
// same band and need not list the same objects.
void copyValuesByObject(const QList<PlacedItem> &source, QList<PlacedItem> &target);

} // namespace zet
