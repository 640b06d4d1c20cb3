#pragma once

#include "model/ReportDocument.h"

#include <QLatin1String>

namespace zet {

// The template key that gives the height of band slot bandIndex
// ("AltezzaCorpoDati", "MargineSuperiore" for the top margin, ...); empty for
// slot 0.
QLatin1String bandHeightKey(int bandIndex);

// twips rounded half to even: where a band stands on the page. Positions are
// sums of band heights from the top or from PageHeight, so when one does not
// fit 32 bits the zet::Error 6 names the key that put it there: "Altezza" for
// a page height beyond 32 bits, else the height key of the band of largest
// height (in absolute value), with its value.
int bandPosition(const ReportDocument &document, double twips);

} // namespace zet
