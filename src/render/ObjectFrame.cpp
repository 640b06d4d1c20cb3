#include "render/ObjectFrame.h"

#include "model/DocumentAccess.h"
#include "template/Conversions.h"

#include <limits>

namespace zet {

int checkedInt(qint64 value)
{
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw Error::overflow();
    return int(value);
}

namespace {

int checkedEdge(qint64 value)
{
    if (value < -kLargestFrameEdge || value > kLargestFrameEdge)
        throw Error::overflow();
    return int(value);
}

} // namespace

ObjectFrame shiftedFrame(const ObjectFrame &frame, int dx)
{
    return { checkedEdge(qint64(frame.left) + dx), frame.top, checkedEdge(qint64(frame.right) + dx),
        frame.bottom };
}

ObjectFrame computeObjectFrame(const ReportDocument &document, int objectIndex, int bandTop)
{
    const ReportObject &object = checkedAt(document.objects, objectIndex, "Objects");
    ObjectFrame frame;
    frame.left = checkedEdge(roundHalfEven(object.left));
    frame.top = checkedEdge(roundHalfEven(bandTop + object.topInBand));
    frame.right = checkedEdge(roundHalfEven(frame.left + object.width));
    frame.bottom = checkedEdge(roundHalfEven(frame.top + object.height));
    return frame;
}

} // namespace zet
