#include "control/OpenDocuments.h"

#include "zetview/Error.h"

#include <deque>

namespace zet {

namespace {

// A deque keeps references to earlier slots valid while a nested request
// adds one.
std::deque<ReportDocument> &openDocuments()
{
    thread_local std::deque<ReportDocument> documents(1);
    return documents;
}

} // namespace

int acquirePreviewSlot()
{
    std::deque<ReportDocument> &documents = openDocuments();
    documents.emplace_back();
    documents.back().inUse = true;
    return int(documents.size()) - 1;
}

ReportDocument &previewDocument(int slot)
{
    std::deque<ReportDocument> &documents = openDocuments();
    if (slot < 0 || slot >= int(documents.size()))
        throw Error::subscriptOutOfRange();
    return documents[size_t(slot)];
}

int previewCount()
{
    return int(openDocuments().size()) - 1;
}

} // namespace zet
