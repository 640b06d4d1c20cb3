#pragma once

#include "model/ReportDocument.h"

#include <QByteArray>

namespace zet {

// The document as one JSON object (see docs/dump.md), UTF-8, no trailing newline.
QByteArray DumpDocument(const ReportDocument &document);

} // namespace zet
