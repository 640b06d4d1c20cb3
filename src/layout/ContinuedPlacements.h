#pragma once

#include "model/ReportDocument.h"

#include <map>
#include <set>

namespace zet {

// The document's DataPlacements: continued bands placed at a page end, waiting
// for the next regular placement of their band slot to lend them its values.
// The list keeps the order a plain scan would leave it in (a resolved entry is
// replaced by the list's last entry, which is examined in its turn), while an
// index of positions per band slot keeps each resolution proportional to the
// entries it resolves, however many entries wait for slots never placed again.
class ContinuedPlacements
{
public:
    // Indexes the entries the document already holds.
    explicit ContinuedPlacements(ReportDocument &document);

    void add(const DataPlacement &placement);

    // Whether a placement of that slot waits for values.
    bool waitsFor(int bandIndex) const { return positionsByBand_.contains(bandIndex); }

    // Copies values, object by object, from the items of a new regular
    // placement of bandIndex into every waiting placement of that slot and
    // removes those entries.
    void resolve(int bandIndex, const QList<PlacedItem> &source);

private:
    void removeAt(int position);

    ReportDocument &document_;
    std::map<int, std::set<int>> positionsByBand_;
};

} // namespace zet
