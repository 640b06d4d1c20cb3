#include "export/XmlExport.h"

#include "export/ExportFiles.h"
#include "export/XmlDeclarations.h"
#include "export/XmlIndent.h"
#include "xml/RecordsetData.h"
#include "zetview/Error.h"

#include <algorithm>

namespace zet {

namespace {

// The text with "&", "<" and ">" escaped and without U+FFFE and U+FFFF,
// which XML cannot hold. Control characters are left to stripControlChars;
// unpaired surrogates become "?" in UTF-8. Text needing none of it is shared,
// not copied.
QString escapedText(const QString &text)
{
    const auto plain = [](QChar c) {
        return c != QLatin1Char('&') && c != QLatin1Char('<') && c != QLatin1Char('>')
            && c.unicode() < 0xFFFE;
    };
    if (std::all_of(text.begin(), text.end(), plain))
        return text;
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            out += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            out += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            out += QLatin1String("&gt;");
        else if (c.unicode() < 0xFFFE)
            out += c;
    }
    return out;
}

// The first outermost record named rootName with its descendants (which
// follow it directly in Records), values and extra content escaped; empty
// when there is no such record.
ReportDocument rootRecordEscaped(const ReportDocument &document, const QString &rootName)
{
    ReportDocument root;
    // The values copied name their fields by index in the same list.
    root.fieldNames = document.fieldNames;
    root.fieldIndexes = document.fieldIndexes;
    const QList<DataRecord> &records = document.records;
    qsizetype first = 0;
    while (first < records.size()
        && !(records[first].parentIndex == -1 && records[first].structName == rootName))
        ++first;
    if (first == records.size())
        return root;
    const int rootLevel = records[first].level;
    for (qsizetype i = first; i < records.size() && (i == first || records[i].level > rootLevel); ++i) {
        DataRecord record = records[i];
        // A record whose parent lies outside the copy is written nowhere, as
        // the data text writer leaves out records without a written parent.
        record.parentIndex = i == first   ? -1
            : record.parentIndex >= first ? record.parentIndex - int(first)
                                          : -2;
        record.extraContent = escapedText(record.extraContent);
        for (int &index : record.valueIndexes) {
            DataValue value = document.values.at(index);
            value.recordIndex = int(root.records.size());
            value.value = escapedText(value.value);
            index = int(root.values.size());
            root.values.append(value);
        }
        root.records.append(record);
    }
    return root;
}

} // namespace

bool exportXml(ReportDocument &document, const QString &path, QString *error)
{
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("impossibile esportare %1: %2").arg(path, reason);
        return false;
    };
    const XmlHeader header = buildXmlHeader(document.recordsetStruct);
    if (!header.error.isEmpty())
        return fail(header.error);
    QString body;
    try {
        body = dataToText(rootRecordEscaped(document, header.rootName));
    } catch (const Error &e) {
        return fail(e.message());
    }
    if (body.isEmpty())
        body = QLatin1Char('<') + header.rootName + QLatin1String("></") + header.rootName + QLatin1Char('>');
    body = body.size() < kXmlIndentLimit ? indentXml(body) : stripControlChars(body);
    return writeTextFile(header.text + body, path, error);
}

} // namespace zet
