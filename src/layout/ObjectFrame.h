#pragma once

#include "model/ReportDocument.h"
#include "zetview/Error.h"

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
// index outside Objects and zet::Error 6, naming the object's key and value
// at fault, when an edge leaves the usable range.
ObjectFrame computeObjectFrame(const ReportDocument &document, int objectIndex, int bandTop);

// The frame moved right by dx twips; zet::Error 6 when it leaves the usable range.
ObjectFrame shiftedFrame(const ObjectFrame &frame, int dx);

// Edges stay within +-2^30 twips (about 12 km), so the sum or difference of
// two edges always fits 32 bits.
inline constexpr int kLargestFrameEdge = 1 << 30;

// value as a 32-bit integer; zet::Error 6 (overflow) when it does not fit.
int checkedInt(qint64 value);

// zet::Error 6 saying that what (a template key, in the user's terms) with
// value puts a drawing outside the usable range, of +-limitTwips when given.
Error drawingOverflow(const QString &what, double value, int limitTwips = 0);

// How errors name an object: its Nome in quotes, or its position in the
// template (from 1) when it has none.
QString objectLabel(const ReportDocument &document, int objectIndex);

// Runs step(); a zet::Error on the way reaches the caller with the same
// number and the object named at the end of its message, so that the user
// knows which object to correct.
template <typename Step> void namingObject(const ReportDocument &document, int objectIndex, Step step)
{
    try {
        step();
    } catch (const Error &error) {
        throw Error(error.number(),
            QStringLiteral("%1 nell'%2").arg(error.message(), objectLabel(document, objectIndex)));
    }
}

// Raises, before any page is drawn, the error drawing would raise for an
// object that pages show: a frame that leaves the usable range on some copy
// of its band, a text font whose name does not fit. Checks the objects of
// visible placed bands, except fixed objects that are never printed, once
// each (frames at their band's highest and lowest copy).
void checkPlacedObjects(const ReportDocument &document);

} // namespace zet
