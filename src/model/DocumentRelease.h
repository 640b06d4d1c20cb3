#pragma once

#include "model/ReportDocument.h"

namespace zet {

// The three procedures that empty a document at the end of a request, to be
// called in this order. Page setup, ReportName and ExportFileName survive.
void ReleasePages(ReportDocument &document);
void ReleaseData(ReportDocument &document);
void ReleaseTemplate(ReportDocument &document);

// All three, in order.
void ReleaseDocument(ReportDocument &document);

} // namespace zet
