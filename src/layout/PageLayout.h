#pragma once

#include "model/ReportDocument.h"

namespace zet {

// Lays the loaded document out into Pages (rebuilt from nothing). Raises
// zet::Error kNoBandTable for a document whose band table was never built.
void LayOutReport(ReportDocument &document);

// First visible band with that kind (and level, unless -1), scanning up from
// start (from 0 when start is -1); -1 when none.
int FindBand(const ReportDocument &document, int kind, int start = -1, int level = -1);

} // namespace zet
