#include "control/ReportRequests.h"

#include "control/OpenDocuments.h"
#include "control/WaitCursor.h"
#include "model/DocumentRelease.h"
#include "xml/RecordsetData.h"

namespace zet {

namespace {

void releaseDocument(ReportDocument &document)
{
    WaitCursor wait;
    ReleaseDocument(document);
}

} // namespace

QString RunPreviewRequest(const QString &templateText, const QString &dataText, bool returnResult,
                          const PreviewPresenter &present, const DebugSink &debugEvent,
                          const BuildOptions &options)
{
    const int slot = AcquirePreviewSlot();
    ReportDocument &document = PreviewDocument(slot);
    QString result;
    try {
        BuildReport(document, templateText, dataText, debugEvent, options);
        if (present)
            present(slot);
        if (returnResult)
            result = document.ResultText;
    } catch (...) {
        releaseDocument(document);
        document.InUse = false;
        throw;
    }
    releaseDocument(document);
    document.ResultText.clear();
    document.InUse = false;
    return result;
}

QString RunPrintRequest(const QString &templateText, const QString &dataText, const PrintDriver &print,
                        const DebugSink &debugEvent, const BuildOptions &options)
{
    ReportDocument document;
    BuildReport(document, templateText, dataText, debugEvent, options);
    QString result;
    if (print && print(document)) {
        WaitCursor wait;
        result = DataToText(document);
    }
    releaseDocument(document);
    return result;
}

} // namespace zet
