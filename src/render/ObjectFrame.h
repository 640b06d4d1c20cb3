#pragma once

#include "model/ReportDocument.h"

#include <QtGlobal>

namespace zet {

// An object's rectangle on the page, in whole twips; right and bottom are
// exclusive edges (right - left is the width).
struct ObjectFrame
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const ObjectFrame &) const = default;
};

// The frame of object objectIndex in a placed band whose top (offsets
// included) is bandTop, rounding halves to even. Raises zet::Error 9 for an
// index outside Objects and zet::Error 6 when an edge leaves the usable range.
ObjectFrame computeObjectFrame(const ReportDocument &document, int objectIndex, int bandTop);

// The frame moved right by dx twips; zet::Error 6 when it leaves the usable range.
ObjectFrame shiftedFrame(const ObjectFrame &frame, int dx);

// Edges stay within +-2^30 twips (about 12 km), so the sum or difference of
// two edges always fits 32 bits.
inline constexpr int kLargestFrameEdge = 1 << 30;

// value as a 32-bit integer; zet::Error 6 (overflow) when it does not fit.
int checkedInt(qint64 value);

} // namespace zet
