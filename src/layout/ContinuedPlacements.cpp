#include "layout/ContinuedPlacements.h"

#include "layout/CheckedAccess.h"
#include "layout/RecordBinder.h"

namespace zet {

ContinuedPlacements::ContinuedPlacements(ReportDocument &document)
    : document_(document)
{
    for (int position = 0; position < document_.DataPlacements.size(); ++position)
        positionsByBand_[document_.DataPlacements.at(position).BandIndex].insert(position);
}

void ContinuedPlacements::add(const DataPlacement &placement)
{
    document_.DataPlacements.append(placement);
    positionsByBand_[placement.BandIndex].insert(int(document_.DataPlacements.size() - 1));
}

void ContinuedPlacements::resolve(int bandIndex, const QList<PlacedItem> &source)
{
    const auto waiting = positionsByBand_.find(bandIndex);
    if (waiting == positionsByBand_.end())
        return;
    // A scan from the front meets the waiting entries in increasing position;
    // an entry moved in from the end is examined at the position it lands on.
    std::set<int> &positions = waiting->second;
    while (!positions.empty()) {
        const int position = *positions.begin();
        const DataPlacement entry = document_.DataPlacements.at(position);
        CopyValuesByObject(source, placedBandAt(document_, entry.PageIndex, entry.PlacedBandIndex).Items);
        removeAt(position);
    }
    positionsByBand_.erase(waiting);
}

void ContinuedPlacements::removeAt(int position)
{
    QList<DataPlacement> &list = document_.DataPlacements;
    const int last = int(list.size() - 1);
    positionsByBand_[list.at(position).BandIndex].erase(position);
    if (position != last) {
        std::set<int> &movedPositions = positionsByBand_[list.at(last).BandIndex];
        movedPositions.erase(last);
        movedPositions.insert(position);
        list[position] = list.at(last);
    }
    list.removeLast();
}

} // namespace zet
