#include "control/ReportRequests.h"

#include "control/RequestError.h"
#include "core/WaitCursor.h"
#include "model/DocumentRelease.h"
#include "xml/RecordsetData.h"

namespace zet {

namespace {

void releaseWithWaitCursor(ReportDocument &document)
{
    WaitCursor wait;
    releaseDocument(document);
}

} // namespace

QString runPreviewRequest(OpenDocuments &documents, const QString &templateText, const QString &dataText,
    bool returnResult, const PreviewPresenter &present, const DebugSink &debugEvent,
    const BuildOptions &options)
{
    const int slot = documents.acquire();
    ReportDocument &document = documents.document(slot);
    QString result;
    try {
        buildReport(document, templateText, dataText, debugEvent, options);
        if (present)
            present(slot);
        if (returnResult)
            result = document.resultText;
    } catch (...) {
        releaseWithWaitCursor(document);
        document.inUse = false;
        throw requestError(std::current_exception());
    }
    releaseWithWaitCursor(document);
    document.resultText.clear();
    document.inUse = false;
    return result;
}

QString runPrintRequest(const QString &templateText, const QString &dataText, const PrintDriver &print,
    const DebugSink &debugEvent, const BuildOptions &options)
{
    ReportDocument document;
    buildReport(document, templateText, dataText, debugEvent, options);
    QString result;
    try {
        if (print && print(document)) {
            WaitCursor wait;
            result = dataToText(document);
        }
    } catch (...) {
        releaseWithWaitCursor(document);
        throw requestError(std::current_exception());
    }
    releaseWithWaitCursor(document);
    return result;
}

} // namespace zet
