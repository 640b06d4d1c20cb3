#pragma once

#include "model/ReportFont.h"
#include "template/KeyReader.h"

#include <QString>

namespace zet {

// Builds the font of a "Font" element's content. Starts from "MS Sans Serif",
// 8.25 points, weight 400, then applies each sub-key that is not empty in the
// order Bold, Charset, Italic, Name, Size, Strikethrough, Underline, Weight;
// "Bold" sets the weight to 700 or 400, "Weight" (last) sets it directly.
// "Size" and "Charset" must be numbers ("." or "," as decimal separator,
// surrounding spaces ignored): other text raises zet::Error 13 (type
// mismatch); a size of 0 or less raises error 5, one above 16384 points and a
// charset or weight outside 16 bits raise error 6. A weight is then kept
// within 0..1000. An error's message names the sub-key and its text.
ReportFont parseFont(const QString &fontText);
// The same for the "Font" content that lies at part of a reader's text (the
// reader was asked for the sub-keys).
ReportFont parseFont(const KeyReader &keys, KeyReader::Part part);

} // namespace zet
