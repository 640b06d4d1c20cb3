#include "control/OpenDocuments.h"

#include "zetview/Error.h"

namespace zet {

OpenDocuments::OpenDocuments()
    : documents_(1)
{ }

int OpenDocuments::acquire()
{
    documents_.emplace_back().inUse = true;
    return previewCount();
}

ReportDocument &OpenDocuments::document(int slot)
{
    if (slot < 0 || slot > previewCount())
        throw Error::subscriptOutOfRange(
            QStringLiteral("Subscript out of range: OpenDocuments(%1) with %2 slots")
                .arg(slot)
                .arg(previewCount()));
    return documents_[size_t(slot)];
}

} // namespace zet
