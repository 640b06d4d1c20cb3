#pragma once

#include "model/ReportDocument.h"
#include "render/EditBoxes.h"
#include "render/ObjectFrame.h"

#include <QDateTime>

namespace zet {

// Settles the text a listed object shows on page pageIndex (0-based) and
// writes it into the object's Value: the bound data value's current text for
// text fields (types 4 and 5), or the template text with "[&p]" (page number,
// from 1), "[&P]" (page count) and "[&d...]" (now, in the user's locale, in
// proper case) filled in when the item shows no data value. Other bound
// objects keep their Value. Raises zet::Error 9 for an index outside Pages,
// the placed band's Items, Objects or Values.
void resolveObjectText(
    ReportDocument &document, int pageIndex, int placedBandIndex, int itemIndex, int objectIndex);
// The same with the date and time taken as now.
void resolveObjectText(ReportDocument &document, int pageIndex, int placedBandIndex, int itemIndex,
    int objectIndex, const QDateTime &now);

// Fills every "[&d" format "]" token of text with now written in that format
// (an empty format means "dd/mm/yyyy"), in proper case. A "[&d" without a
// later "]" ends the filling; it and what follows stay as they are.
QString replaceDatePlaceholders(const QString &text, const QDateTime &now);

// Shows the next edit box over a framed text field instead of painting it.
// usedCount is the index of the last box used on this page (-1 before the
// first) and is advanced by one; lastIndex is the boxes' upper bound read when
// the page began; a box past it is created. The box's tag gets an
// "IndexDato" element holding valueIndex.
void placeEditBox(EditBoxes &boxes, int &usedCount, int lastIndex, const ReportObject &object, int valueIndex,
    const ObjectFrame &frame);

} // namespace zet
