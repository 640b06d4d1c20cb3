#pragma once

#include "model/ReportDocument.h"

#include <QLatin1String>
#include <QString>

namespace zet {

// Element names of the record-set structure and the data text. They belong to
// the key vocabulary (template/Vocabulary.h lists them with the template's
// keys) but live here, below the template layer, where the data is read.
namespace key {

// Record-set structure: each name is followed by the nesting level as a
// decimal number (level 0 outermost), e.g. "RecordsetStruct0".
inline constexpr QLatin1String kRecordsetStruct { "RecordsetStruct" };
inline constexpr QLatin1String kRecordsetStructName { "RecordsetStructName" };
inline constexpr QLatin1String kField { "Field" };
inline constexpr QLatin1String kFieldName { "FieldName" };

// Data text: the default file name offered by the export.
inline constexpr QLatin1String kNomeFileEsportazione { "NomeFileEsportazione" };

// A structure key for one nesting level: levelKey(kField, 1) is "Field1".
inline QString levelKey(QLatin1String prefix, int level)
{
    return prefix + QString::number(level);
}

} // namespace key

// Reads the data text into Records and Values (emptied first) following the
// record-set structure. Every record read is taken out of data, which is
// changed in place. The values read share a few large blocks, none of them
// the data text's, so the text can be let go once read. An empty data text gives one empty record per
// declared record set. Names the data bands when the template version is 1 or less.
void readData(ReportDocument &document, const QString &structure, QString &data);

// Appends a record with no values; returns its index.
int addRecord(ReportDocument &document, int parentIndex, int level, const QString &structName);

// Appends a value to the record.
void addValue(ReportDocument &document, int recordIndex, const QString &fieldName, const QString &value);

// Sets each data band's RecordsetName from the first record of its level.
void nameDataBands(ReportDocument &document);

// The data as text: record elements with their trimmed field values, nested
// records and extra content; no declaration, wrapper or escaping.
QString dataToText(const ReportDocument &document);

} // namespace zet
