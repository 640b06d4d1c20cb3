#include "layout/ContinuedPlacements.h"

#include "layout/RecordBinder.h"
#include "model/DocumentAccess.h"

namespace zet {

ContinuedPlacements::ContinuedPlacements(ReportDocument &document)
    : document_(document)
{
    for (int position = 0; position < document_.dataPlacements.size(); ++position)
        positionsByBand_[document_.dataPlacements.at(position).bandIndex].insert(position);
}

void ContinuedPlacements::add(const DataPlacement &placement)
{
    document_.dataPlacements.append(placement);
    positionsByBand_[placement.bandIndex].insert(int(document_.dataPlacements.size() - 1));
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
        const DataPlacement entry = document_.dataPlacements.at(position);
        copyValuesByObject(source, placedBandAt(document_, entry.PageIndex, entry.placedBandIndex).items);
        removeAt(position);
    }
    positionsByBand_.erase(waiting);
}

void ContinuedPlacements::removeAt(int position)
{
    QList<DataPlacement> &list = document_.dataPlacements;
    const int last = int(list.size() - 1);
    positionsByBand_[list.at(position).bandIndex].erase(position);
    if (position != last) {
        std::set<int> &movedPositions = positionsByBand_[list.at(last).bandIndex];
        movedPositions.erase(last);
        movedPositions.insert(position);
        list[position] = list.at(last);
    }
    list.removeLast();
}

} // namespace zet
