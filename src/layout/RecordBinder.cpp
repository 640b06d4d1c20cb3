#include "layout/RecordBinder.h"

#include "layout/CheckedAccess.h"

namespace zet {

namespace {

QStringList fieldNamesInSuffix(const QString &dataSource)
{
    const QString upper = dataSource.toUpper();
    QStringList names;
    if (!upper.endsWith(QLatin1Char(']')))
        return names;
    const QLatin1String opener(".[");
    for (qsizetype at = upper.indexOf(opener); at >= 0; at = upper.indexOf(opener, at + 1))
        names.append(upper.mid(at + 2, upper.size() - at - 3));
    return names;
}

} // namespace

RecordBinder::RecordBinder(const ReportDocument &document)
    : document_(document)
{ }

const QStringList &RecordBinder::fieldNamesShownBy(int objectIndex)
{
    auto found = fieldNamesByObject_.constFind(objectIndex);
    if (found == fieldNamesByObject_.constEnd()) {
        const ReportObject &object = checkedAt(document_.Objects, objectIndex, "Objects");
        found = fieldNamesByObject_.insert(objectIndex, fieldNamesInSuffix(object.DataSource));
    }
    return *found;
}

void RecordBinder::bind(QList<PlacedItem> &items, int recordIndex)
{
    const DataRecord &record = checkedAt(document_.Records, recordIndex, "Records");
    bool anyNamesField = false;
    for (const PlacedItem &item : std::as_const(items))
        anyNamesField = anyNamesField || !fieldNamesShownBy(item.ObjectIndex).isEmpty();
    if (!anyNamesField || record.ValueIndexes.isEmpty())
        return;

    // Upper-cased field name -> its last position in the record's value list.
    QHash<QString, qsizetype> lastPosition;
    lastPosition.reserve(record.ValueIndexes.size());
    for (qsizetype position = 0; position < record.ValueIndexes.size(); ++position) {
        const DataValue &value = checkedAt(document_.Values, record.ValueIndexes.at(position), "Values");
        lastPosition.insert(value.FieldName.toUpper(), position);
    }

    for (PlacedItem &item : items) {
        qsizetype best = -1;
        for (const QString &name : fieldNamesShownBy(item.ObjectIndex))
            best = std::max(best, lastPosition.value(name, -1));
        if (best >= 0)
            item.ValueIndex = record.ValueIndexes.at(best);
    }
}

void CopyValuesByObject(const QList<PlacedItem> &source, QList<PlacedItem> &target)
{
    QHash<int, int> valueByObject;
    valueByObject.reserve(source.size());
    for (const PlacedItem &item : source) {
        if (!valueByObject.contains(item.ObjectIndex))
            valueByObject.insert(item.ObjectIndex, item.ValueIndex);
    }
    for (PlacedItem &item : target) {
        const auto found = valueByObject.constFind(item.ObjectIndex);
        if (found != valueByObject.constEnd())
            item.ValueIndex = *found;
    }
}

} // namespace zet
