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
    , fieldNamesByObject_(document.objects.size())
{ }

const QStringList &RecordBinder::fieldNamesShownBy(int objectIndex)
{
    const ReportObject &object = checkedAt(document_.objects, objectIndex, "Objects");
    std::optional<QStringList> &names = fieldNamesByObject_[size_t(objectIndex)];
    if (!names)
        names = fieldNamesInSuffix(object.dataSource);
    return *names;
}

void RecordBinder::bind(QList<PlacedItem> &items, int recordIndex)
{
    const DataRecord &record = checkedAt(document_.records, recordIndex, "Records");
    qsizetype namesShown = 0;
    for (const PlacedItem &item : std::as_const(items))
        namesShown += fieldNamesShownBy(item.objectIndex).size();
    const QList<int> &valueIndexes = record.valueIndexes;
    if (namesShown == 0 || valueIndexes.isEmpty())
        return;
    const auto nameAt = [this, &valueIndexes](qsizetype position) -> const QString & {
        return fieldName(document_, checkedAt(document_.values, valueIndexes.at(position), "Values"));
    };
    // The rows of a report name the same fields in the same order and are
    // placed in copies of the same band: their binding is the one before.
    std::vector<int> &fields = bindingFields_;
    fields.clear();
    for (qsizetype position = 0; position < valueIndexes.size(); ++position)
        fields.push_back(checkedAt(document_.values, valueIndexes.at(position), "Values").fieldIndex);
    std::vector<int> &objects = bindingObjects_;
    objects.clear();
    for (const PlacedItem &item : std::as_const(items))
        objects.push_back(item.objectIndex);
    if (fields == lastFields_ && objects == lastObjects_) {
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (lastPositions_[size_t(i)] >= 0)
                items[i].valueIndex = valueIndexes.at(lastPositions_[size_t(i)]);
        }
        return;
    }
    lastFields_ = fields;
    lastObjects_ = objects;
    lastPositions_.clear();

    // Small bands and records (the usual case) compare names in place; large
    // ones go through a hash of the record's upper-cased names.
    constexpr qsizetype kDirectComparisons = 64;
    const bool direct = namesShown * valueIndexes.size() <= kDirectComparisons;
    QHash<QString, qsizetype> lastPosition;
    if (!direct) {
        for (qsizetype position = 0; position < valueIndexes.size(); ++position)
            lastPosition.insert(nameAt(position).toUpper(), position);
    }
    const auto lastPositionOf = [&](const QString &name) -> qsizetype {
        if (!direct)
            return lastPosition.value(name, -1);
        for (qsizetype position = valueIndexes.size() - 1; position >= 0; --position) {
            if (upperCasedEquals(nameAt(position), name))
                return position;
        }
        return -1;
    };

    for (PlacedItem &item : items) {
        qsizetype best = -1;
        for (const QString &name : fieldNamesShownBy(item.objectIndex))
            best = std::max(best, lastPositionOf(name));
        if (best >= 0)
            item.valueIndex = valueIndexes.at(best);
        lastPositions_.push_back(best);
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
