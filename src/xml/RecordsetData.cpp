#include "xml/RecordsetData.h"

#include "xml/ElementCursor.h"
#include "xml/ElementReader.h"
#include "xml/TagSearch.h"
#include "zetview/Error.h"

#include <algorithm>

namespace zet {

namespace {

// Record sets nested deeper than this are refused with "out of stack space"
// rather than walked: each level is one more nested walk over what is left of
// the structure text. Reports use a handful of levels.
constexpr int kMaxLevel = 255;
constexpr int kOutOfStackSpace = 28;

void checkLevel(int level)
{
    if (level > kMaxLevel)
        throw Error(kOutOfStackSpace, QStringLiteral("Out of stack space"));
}

// The field names of one record-set element, in order. The structure does
// not change during a walk, so they are read once per record set, not once
// per record.
QStringList fieldNames(const QString &recordset, int level)
{
    QStringList names;
    for (ElementCursor fields(recordset, key::levelKey(key::kField, level)); !fields.atEnd(); fields.next())
        names.append(getElementValue(fields.current(), key::levelKey(key::kFieldName, level)));
    return names;
}

// The value of the first element named name in content, which loses that
// element; empty text (content unchanged) when there is none.
QString takeField(QString &content, const QString &name)
{
    ElementMatch match;
    if (!findElement(content, name, &match))
        return QString();
    QString value = content.mid(match.contentStart, match.closePos - match.contentStart);
    content.remove(match.openPos, match.afterClose - match.openPos);
    return value;
}

// Reads the records of every record set of this level out of data (which
// loses them), each followed by its fields and nested records.
void walk(ReportDocument &document, int level, int parent, const QString &structure, QString &data)
{
    ElementCursor recordsets(structure, key::levelKey(key::kRecordsetStruct, level));
    if (!recordsets.atEnd())
        checkLevel(level);
    for (; !recordsets.atEnd(); recordsets.next()) {
        const QString recordset = recordsets.current();
        const QString name = getElementValue(recordset, key::levelKey(key::kRecordsetStructName, level));
        const QStringList fields = fieldNames(recordset, level);
        ElementCursor records(data, name);
        for (; !records.atEnd(); records.next()) {
            QString content = records.current();
            const int record = addRecord(document, parent, level, name);
            for (const QString &field : fields) {
                const QString value = takeField(content, field);
                addValue(document, record, field, value);
            }
            walk(document, level + 1, record, recordset, content);
            document.records[record].extraContent = trimSpaces(content);
            records.take();
        }
        data = records.remainingText();
    }
}

// One record with empty values per declared record set, at every level.
void walkStructure(ReportDocument &document, int level, int parent, const QString &structure)
{
    ElementCursor recordsets(structure, key::levelKey(key::kRecordsetStruct, level));
    if (!recordsets.atEnd())
        checkLevel(level);
    for (; !recordsets.atEnd(); recordsets.next()) {
        const QString recordset = recordsets.current();
        const QString name = getElementValue(recordset, key::levelKey(key::kRecordsetStructName, level));
        const int record = addRecord(document, parent, level, name);
        for (const QString &field : fieldNames(recordset, level))
            addValue(document, record, field, QString());
        walkStructure(document, level + 1, record, recordset);
    }
}

// Data texts longer than this are refused with error 6 (overflow) before
// anything is written: their size in bytes, in whole chunks of 8,192
// characters, would not fit in 32 bits.
constexpr qsizetype kMaxDataTextLength = 131071 * 8192;

// Counts what a write would append, so the text is allocated once.
struct LengthCounter
{
    qsizetype length = 0;
    void append(QStringView text) { length += text.size(); }
};

// Copies what a write appends into text allocated beforehand.
struct InPlaceWriter
{
    QChar *at;
    void append(QStringView text) { at = std::copy(text.begin(), text.end(), at); }
};

template <typename Out> void appendTag(Out &out, QStringView name, Tag kind)
{
    out.append(kind == Tag::Close ? QStringView(u"</") : QStringView(u"<"));
    out.append(name);
    out.append(QStringView(u">"));
}

// Step i >= 0 opens record i: its tag and its values in order, trimmed.
// Step ~i closes it, after its children: its extra content and closing tag.
template <typename Out> void writeStep(Out &out, const ReportDocument &document, int step)
{
    const DataRecord &record = document.records[step >= 0 ? step : ~step];
    if (step < 0) {
        out.append(record.extraContent);
        appendTag(out, record.structName, Tag::Close);
        return;
    }
    appendTag(out, record.structName, Tag::Open);
    for (int index : record.valueIndexes) {
        const DataValue &value = document.values.at(index);
        appendTag(out, value.fieldName, Tag::Open);
        out.append(trimSpaces(QStringView(value.value)));
        appendTag(out, value.fieldName, Tag::Close);
    }
}

// The steps of writeStep in the order of the data text. A record's element
// holds the records after it whose parent it is, up to the first record that
// is not deeper than it (-1, the outermost level, holds every record of level
// 0 or more). Both are computed beforehand, so the order is found in linear
// time, and the nesting is walked on a stack of our own, so that deep data
// cannot exhaust the call stack.
QList<int> writingOrder(const QList<DataRecord> &records)
{
    const int count = int(records.size());

    // ends[i]: the first record after i whose level is not greater; the last
    // entry, for the outermost level, the first record of a negative level.
    QList<int> ends(count + 1, count);
    QList<int> open;
    for (int i = 0; i < count; ++i) {
        while (!open.isEmpty() && records[i].level <= records[open.last()].level)
            ends[open.takeLast()] = i;
        open.append(i);
        if (records[i].level < 0 && ends[count] == count)
            ends[count] = i;
    }

    // The records of each parent (-1 included), in list order.
    QList<int> firstChild(count + 2, 0);
    for (const DataRecord &record : records) {
        if (record.parentIndex >= -1 && record.parentIndex < count)
            ++firstChild[record.parentIndex + 2];
    }
    for (int p = 1; p < firstChild.size(); ++p)
        firstChild[p] += firstChild[p - 1];
    QList<int> children(firstChild.last());
    QList<int> filled = firstChild;
    for (int i = 0; i < count; ++i) {
        const int parent = records[i].parentIndex;
        if (parent >= -1 && parent < count)
            children[filled[parent + 1]++] = i;
    }

    struct Frame
    {
        int parent;
        int next; // position in children
        int end; // records from here on are outside the parent's element
    };
    QList<int> steps;
    QList<Frame> frames { { -1, firstChild[0], ends[count] } };
    while (!frames.isEmpty()) {
        Frame &frame = frames.last();
        const int last = firstChild[frame.parent + 2];
        while (frame.next < last && children[frame.next] <= frame.parent)
            ++frame.next;
        if (frame.next < last && children[frame.next] < frame.end) {
            const int child = children[frame.next++];
            steps.append(child);
            frames.append({ child, firstChild[child + 1], ends[child] });
            continue;
        }
        if (frame.parent >= 0)
            steps.append(~frame.parent);
        frames.removeLast();
    }
    return steps;
}

} // namespace

int addRecord(ReportDocument &document, int parentIndex, int level, const QString &structName)
{
    DataRecord record;
    record.parentIndex = parentIndex;
    record.level = level;
    record.structName = structName;
    document.records.append(record);
    return int(document.records.size() - 1);
}

void addValue(ReportDocument &document, int recordIndex, const QString &fieldName, const QString &value)
{
    DataValue entry;
    entry.recordIndex = recordIndex;
    entry.fieldName = fieldName;
    entry.value = value;
    entry.loadedValue = value;
    document.values.append(entry);
    document.records[recordIndex].valueIndexes.append(int(document.values.size() - 1));
}

void readData(ReportDocument &document, const QString &structure, QString &data)
{
    document.records.clear();
    document.values.clear();
    if (!data.isEmpty())
        walk(document, 0, -1, structure, data);
    else
        walkStructure(document, 0, -1, structure);
    if (document.templateVersion <= 1)
        nameDataBands(document);
}

void nameDataBands(ReportDocument &document)
{
    int current = 0;
    for (const DataRecord &record : std::as_const(document.records)) {
        if (record.level <= current)
            continue;
        ++current;
        for (ReportBand &band : document.bands) {
            if (band.dataLevel == current)
                band.recordsetName = record.structName;
        }
    }
}

QString dataToText(const ReportDocument &document)
{
    const QList<int> steps = writingOrder(document.records);
    LengthCounter counter;
    for (int step : steps)
        writeStep(counter, document, step);
    if (counter.length > kMaxDataTextLength)
        throw Error::overflow();
    if (counter.length == 0)
        return QString();
    QString text(counter.length, Qt::Uninitialized);
    InPlaceWriter out { text.data() };
    for (int step : steps)
        writeStep(out, document, step);
    return text;
}

} // namespace zet
