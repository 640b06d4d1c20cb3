#pragma once

#include "model/ReportDocument.h"

#include <QByteArray>

namespace zet {

// The document as one JSON object (see docs/dump.md), UTF-8, no trailing
// newline. Keys are written in the order the dump format lists them and the
// output is the same byte for byte for the same document: two-space
// indentation, with each small record (an image, a record, a value, a placed
// band with its items, a continuation entry, a font) on one line. A double
// that is not finite is written as null; FileData and BandPicture are not
// written.
QByteArray dumpDocument(const ReportDocument &document);

} // namespace zet
