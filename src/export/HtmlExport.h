#pragma once

#include "model/ReportDocument.h"

#include <QString>

namespace zet {

// Writes a laid-out document as a static page set a browser pages through:
// the frameset page at path and, beside it, the folder named after the
// file's base name with "_file" added, holding one picture of the fixed
// content of each visible band ("section" n ".bmp", n its index in Bands),
// one page file per page ("1.htm", "2.htm", ...) and the navigator
// ("ctr.htm"). Existing files of those names are replaced, other files in
// the folder are left alone. Each listed text object's Value is left as on
// the last page. Returns false with a message naming the folder or file in
// error (when given) as soon as the folder cannot be created or a file
// cannot be written; files written before stay. Raises what drawing or
// settling an object's text raises (zet::Error, naming the object).
bool exportHtml(ReportDocument &document, const QString &path, QString *error = nullptr);

} // namespace zet
