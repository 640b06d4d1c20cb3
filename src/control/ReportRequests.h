#pragma once

#include "control/OpenDocuments.h"
#include "control/ReportBuilder.h"

#include <functional>

namespace zet {

// The request flows of the control, with the window and the printer behind
// callbacks so they run without either.

// Shows the preview of a built slot of the control's documents modally and
// returns when it is closed.
using PreviewPresenter = std::function<void(int slot)>;
// Prints a built document; true when the job was printed.
using PrintDriver = std::function<bool(ReportDocument &document)>;

// Builds into a new slot of documents, presents it and releases it. The
// result is the slot's ResultText when returnResult, else empty text. On
// failure the slot is released and no longer in use before the error
// propagates. The presenter may start further requests on the same documents.
QString runPreviewRequest(OpenDocuments &documents, const QString &templateText, const QString &dataText,
    bool returnResult, const PreviewPresenter &present, const DebugSink &debugEvent,
    const BuildOptions &options = {});

// Builds a document of its own, prints it and releases it, also when the
// printing fails with an error. The result is the data written back as text
// after a successful print, else empty text.
QString runPrintRequest(const QString &templateText, const QString &dataText, const PrintDriver &print,
    const DebugSink &debugEvent, const BuildOptions &options = {});

} // namespace zet
