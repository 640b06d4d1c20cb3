#pragma once

#include "model/ReportDocument.h"

#include <QtGlobal>

namespace zet {

// An object's rectangle on the page, in whole twips; right and bottom are
// exclusive edges (right - left is the width).
struct ObjectFrame
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool operator==(const ObjectFrame &) const = default;
};

// The frame of object objectIndex in a placed band whose top (offsets
// included) is bandTop, rounding halves to even. Raises zet::Error 9 for an
// index outside Objects and zet::Error 6 when an edge leaves 32 bits.
ObjectFrame ComputeObjectFrame(const ReportDocument &document, int objectIndex, int bandTop);

// value as a 32-bit integer; zet::Error 6 (overflow) when it does not fit.
int CheckedInt(qint64 value);

} // namespace zet
