#pragma once

#include "model/ReportDocument.h"

#include <QString>

namespace zet {

// Pages from 1 twip up to 200 inches a side (the largest page a PDF viewer
// must accept) can be laid out, drawn and exported.
inline constexpr double kLargestPageTwips = 200 * 1440.0;

// True for a page side from 1 twip to kLargestPageTwips.
bool usablePageSide(double twips);

// Why a template text cannot make a page, in the user's terms; empty text
// when it may. The text is looked at as given, wrapper included: nothing but
// blanks, or a "<ZET>" with no "</ZET>" after it (the wrapper's content would
// then read as an empty template).
QString templateTextProblem(const QString &templateText);

// Why a loaded template cannot make a page: no band table (a version above
// 1), or PageWidth or PageHeight outside 1 twip to kLargestPageTwips. Empty
// text when it can.
QString loadedTemplateProblem(const ReportDocument &document);

} // namespace zet
