#include "render/ObjectFrame.h"

#include "render/CheckedIndex.h"
#include "template/Conversions.h"

#include <limits>

namespace zet {

int CheckedInt(qint64 value)
{
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw Error::overflow();
    return int(value);
}

ObjectFrame ComputeObjectFrame(const ReportDocument &document, int objectIndex, int bandTop)
{
    const ReportObject &object = CheckedAt(document.Objects, objectIndex);
    ObjectFrame frame;
    frame.Left = RoundHalfEven(object.Left);
    frame.Top = RoundHalfEven(bandTop + object.TopInBand);
    frame.Right = RoundHalfEven(frame.Left + object.Width);
    frame.Bottom = RoundHalfEven(frame.Top + object.Height);
    return frame;
}

} // namespace zet
