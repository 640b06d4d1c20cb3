#include "xml/RecordsetData.h"

#include "xml/ElementCursor.h"
#include "xml/ElementReader.h"
#include "xml/TagSearch.h"
#include "zetview/Error.h"

#include <algorithm>
#include <numeric>
#include <vector>

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

// Blocks that the values and value index lists of a document share, so that
// reading a million values makes a few thousand allocations instead of a
// million. Each piece of text is followed by a null, as in a QString of its
// own. A piece shares its block's reference count, so the block lives as long
// as its last piece, and a piece changed later (the preview's editing) is
// copied out of it first, as any shared QString is.
class SharedBlocks
{
public:
    // Null text stays null, empty text empty; longer pieces than a block
    // would hold comfortably are copied on their own.
    QString text(QStringView piece)
    {
        if (piece.isEmpty())
            return piece.isNull() ? QString() : QString(QLatin1String(""));
        const qsizetype size = piece.size();
        if (size > kTextBlock / 8)
            return piece.toString();
        if (textUsed_ + size + 1 > textBlock_.size()) {
            textBlock_ = QString(kTextBlock, Qt::Uninitialized);
            textUsed_ = 0;
        }
        // Written through the block's own pointer: the pieces already handed
        // out share the block, and writing past them must not detach it.
        char16_t *at = textBlock_.data_ptr().data() + textUsed_;
        const char16_t *from = piece.utf16();
        std::copy(from, from + size, at);
        at[size] = u'\0';
        QString part = textBlock_;
        part.data_ptr().setBegin(at);
        part.data_ptr().size = size;
        textUsed_ += size + 1;
        return part;
    }

    // The indexes first, first + 1, ... first + count - 1.
    QList<int> indexRun(int first, qsizetype count)
    {
        if (count == 0)
            return QList<int>();
        if (count > kIndexBlock / 8) {
            QList<int> own(count);
            std::iota(own.begin(), own.end(), first);
            return own;
        }
        if (indexUsed_ + count > kIndexBlock || !indexBlock_.d_ptr()) {
            indexBlock_ = QArrayDataPointer<int>(QTypedArrayData<int>::allocate(kIndexBlock));
            indexUsed_ = 0;
        }
        QArrayDataPointer<int> part = indexBlock_;
        part.setBegin(indexBlock_.data() + indexUsed_);
        part.size = count;
        std::iota(part.begin(), part.end(), first);
        indexUsed_ += count;
        return QList<int>(part);
    }

private:
    // Small blocks keep what a copy of a piece allocates when it grows (Qt
    // keeps the piece's offset in its block) small too.
    static constexpr qsizetype kTextBlock = 8192;
    static constexpr qsizetype kIndexBlock = 4096;
    QString textBlock_;
    qsizetype textUsed_ = 0;
    QArrayDataPointer<int> indexBlock_;
    qsizetype indexUsed_ = 0;
};

// A record's content while its fields are taken out of it: a view of the
// text being walked, or of a copy of its own once an element was cut from
// its middle.
struct Content
{
    const QString *base; // the text the view lies in
    QStringView text;
    QString own; // never copied: base may point at it

    // The content as text sharing its base's block.
    QString shared() const { return sharedPart(*base, text.data() - base->constData(), text.size()); }
};

// The value of the first element of the tags in content, which loses that
// element; null text (content unchanged) when there is none. The element is
// cut off without copying when it begins or ends content, as the fields of a
// record usually do.
QString takeField(Content &content, const ElementTags &tags, SharedBlocks &blocks)
{
    ElementMatch match;
    if (!findElement(content.text, tags, &match))
        return QString();
    QString value = blocks.text(content.text.mid(match.contentStart, match.closePos - match.contentStart));
    if (match.openPos == 0) {
        content.text = content.text.mid(match.afterClose);
    } else if (match.afterClose == content.text.size()) {
        content.text = content.text.left(match.openPos);
    } else {
        content.own = joined({ content.text.left(match.openPos), content.text.mid(match.afterClose) });
        content.base = &content.own;
        content.text = content.own;
    }
    return value;
}

struct Reading
{
    ReportDocument &document;
    SharedBlocks blocks;
};

// Reads the records of every record set of this level out of data (which
// loses them), each followed by its fields and nested records.
void walk(Reading &reading, int level, int parent, const QString &structure, QString &data)
{
    ReportDocument &document = reading.document;
    ElementCursor recordsets(structure, key::levelKey(key::kRecordsetStruct, level));
    if (!recordsets.atEnd())
        checkLevel(level);
    for (; !recordsets.atEnd(); recordsets.next()) {
        const QString recordset = recordsets.current();
        const QString name = getElementValue(recordset, key::levelKey(key::kRecordsetStructName, level));
        const QStringList fields = fieldNames(recordset, level);
        QList<int> fieldIndexes;
        std::vector<ElementTags> fieldTags;
        for (const QString &field : fields) {
            fieldIndexes.append(fieldIndexOf(document, field));
            fieldTags.emplace_back(field);
        }
        // Records of a set without nested sets (the innermost rows) skip the
        // walk one level down, which would find nothing in the structure.
        const bool nested
            = !ElementCursor(recordset, key::levelKey(key::kRecordsetStruct, level + 1)).atEnd();
        ElementCursor records(data, name);
        for (; !records.atEnd(); records.next()) {
            Content content { &records.text(), records.currentView(), {} };
            const int record = addRecord(document, parent, level, name);
            const int firstValue = int(document.values.size());
            for (qsizetype f = 0; f < fields.size(); ++f) {
                DataValue &value = document.values.emplace_back();
                value.recordIndex = record;
                value.fieldIndex = fieldIndexes.at(f);
                value.value = takeField(content, fieldTags[size_t(f)], reading.blocks);
            }
            document.records[record].valueIndexes = reading.blocks.indexRun(firstValue, fields.size());
            // Copied out, so that no record keeps the data text allocated.
            if (nested) {
                QString rest = content.shared();
                walk(reading, level + 1, record, recordset, rest);
                document.records[record].extraContent = reading.blocks.text(trimSpaces(QStringView(rest)));
            } else {
                document.records[record].extraContent = reading.blocks.text(trimSpaces(content.text));
            }
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
        const QString &name = fieldName(document, value);
        appendTag(out, name, Tag::Open);
        out.append(trimSpaces(QStringView(value.value)));
        appendTag(out, name, Tag::Close);
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
    DataRecord &record = document.records.emplace_back();
    record.parentIndex = parentIndex;
    record.level = level;
    record.structName = structName;
    return int(document.records.size() - 1);
}

void addValue(ReportDocument &document, int recordIndex, const QString &fieldName, const QString &value)
{
    document.values.append({ recordIndex, fieldIndexOf(document, fieldName), value });
    document.records[recordIndex].valueIndexes.append(int(document.values.size() - 1));
}

void readData(ReportDocument &document, const QString &structure, QString &data)
{
    document.records.clear();
    document.values.clear();
    document.loadedValues.clear();
    document.fieldNames.clear();
    document.fieldIndexes.clear();
    if (!data.isEmpty()) {
        Reading reading { document, {} };
        walk(reading, 0, -1, structure, data);
    } else
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
