#pragma once

#include "model/ReportDocument.h"

#include <QString>

namespace zet {

// Bodies this long or longer (in characters, escaped) are written as one line.
inline constexpr qsizetype kXmlIndentLimit = 30000;

// Writes the document's data, as it stands now (the preview's edits
// included), to path as a stand-alone UTF-8 XML file: the head of
// buildXmlHeader for its record-set structure, then the first outermost
// record, indented by indentXml (one line from kXmlIndentLimit characters on),
// without control characters. Values and extra content are written as text:
// "&", "<" and ">" are escaped, U+FFFE and U+FFFF left out and unpaired
// surrogates written as "?", so the file is well-formed whatever the data
// holds, and valid when the data follows the structure. Lines end with CR LF;
// nothing follows the root's closing tag. Returns false, writing nothing, with
// a message naming the file in error (when given) when the structure cannot
// be declared (see buildXmlHeader) or the file cannot be written.
bool exportXml(ReportDocument &document, const QString &path, QString *error = nullptr);

} // namespace zet
