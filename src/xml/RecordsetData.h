#pragma once

#include "model/ReportDocument.h"

namespace zet {

// Reads the data text into Records and Values (emptied first) following the
// record-set structure. Every record read is taken out of data, which is
// changed in place. An empty data text gives one empty record per declared
// record set. Names the data bands when the template version is 1 or less.
void ReadData(ReportDocument &document, const QString &structure, QString &data);

// Appends a record with no values; returns its index.
int AddRecord(ReportDocument &document, int parentIndex, int level, const QString &structName);

// Appends a value (Value and LoadedValue both set) to the record.
void AddValue(ReportDocument &document, int recordIndex, const QString &fieldName, const QString &value);

// Sets each data band's RecordsetName from the first record of its level.
void NameDataBands(ReportDocument &document);

// The data as text: record elements with their trimmed field values, nested
// records and extra content; no declaration, wrapper or escaping.
QString DataToText(const ReportDocument &document);

} // namespace zet
