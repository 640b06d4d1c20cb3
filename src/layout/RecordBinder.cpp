#include "layout/RecordBinder.h"

#include "core/CaseFolding.h"
#include "model/DocumentAccess.h"

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
        const ReportObject &object = checkedAt(document_.objects, objectIndex, "Objects");
        found = fieldNamesByObject_.insert(objectIndex, fieldNamesInSuffix(object.dataSource));
    }
    return *found;
}

void RecordBinder::bind(QList<PlacedItem> &items, int recordIndex)
{
    const DataRecord &record = checkedAt(document_.records, recordIndex, "Records");
    qsizetype namesShown = 0;
    for (const PlacedItem &item : std::as_const(items))
        namesShown += fieldNamesShownBy(item.objectIndex).size();
    if (namesShown == 0 || record.valueIndexes.isEmpty())
        return;
    QList<const QString *> fieldNames;
    fieldNames.reserve(record.valueIndexes.size());
    for (const int valueIndex : record.valueIndexes)
        fieldNames.append(&checkedAt(document_.values, valueIndex, "Values").fieldName);

    // Small bands and records (the usual case) compare names in place; large
    // ones go through a hash of the record's upper-cased names.
    constexpr qsizetype kDirectComparisons = 64;
    const bool direct = namesShown * fieldNames.size() <= kDirectComparisons;
    QHash<QString, qsizetype> lastPosition;
    if (!direct) {
        for (qsizetype position = 0; position < fieldNames.size(); ++position)
            lastPosition.insert(fieldNames.at(position)->toUpper(), position);
    }
    const auto lastPositionOf = [&](const QString &name) -> qsizetype {
        if (!direct)
            return lastPosition.value(name, -1);
        for (qsizetype position = fieldNames.size() - 1; position >= 0; --position) {
            if (upperCasedEquals(*fieldNames.at(position), name))
                return position;
        }
        return -1;
    };

    for (PlacedItem &item : items) {
        qsizetype best = -1;
        for (const QString &name : fieldNamesShownBy(item.objectIndex))
            best = std::max(best, lastPositionOf(name));
        if (best >= 0)
            item.valueIndex = record.valueIndexes.at(best);
    }
}

void copyValuesByObject(const QList<PlacedItem> &source, QList<PlacedItem> &target)
{
    QHash<int, int> valueByObject;
    valueByObject.reserve(source.size());
    for (const PlacedItem &item : source) {
        if (!valueByObject.contains(item.objectIndex))
            valueByObject.insert(item.objectIndex, item.valueIndex);
    }
    for (PlacedItem &item : target) {
        const auto found = valueByObject.constFind(item.objectIndex);
        if (found != valueByObject.constEnd())
            item.valueIndex = *found;
    }
}

} // namespace zet
