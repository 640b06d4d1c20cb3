#include "render/ObjectFrame.h"

#include "layout/CheckedAccess.h"
#include "template/Conversions.h"

#include <limits>

namespace zet {

int CheckedInt(qint64 value)
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

ObjectFrame ShiftedFrame(const ObjectFrame &frame, int dx)
{
    return { checkedEdge(qint64(frame.Left) + dx), frame.Top, checkedEdge(qint64(frame.Right) + dx),
        frame.Bottom };
}

ObjectFrame ComputeObjectFrame(const ReportDocument &document, int objectIndex, int bandTop)
{
    const ReportObject &object = checkedAt(document.Objects, objectIndex, "Objects");
    ObjectFrame frame;
    frame.Left = checkedEdge(RoundHalfEven(object.Left));
    frame.Top = checkedEdge(RoundHalfEven(bandTop + object.TopInBand));
    frame.Right = checkedEdge(RoundHalfEven(frame.Left + object.Width));
    frame.Bottom = checkedEdge(RoundHalfEven(frame.Top + object.Height));
    return frame;
}

} // namespace zet
