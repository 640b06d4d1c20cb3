#pragma once

#include "model/ReportDocument.h"

namespace zet {

// The three procedures that empty a document at the end of a request, to be
// called in this order. Page setup, ReportName and ExportFileName survive.
void releasePages(ReportDocument &document);
void releaseData(ReportDocument &document);
void releaseTemplate(ReportDocument &document);

// All three, in order.
void releaseDocument(ReportDocument &document);

} // namespace zet
