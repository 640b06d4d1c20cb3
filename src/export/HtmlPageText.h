#pragma once

#include "model/ReportDocument.h"

#include <QString>

namespace zet {

// The texts of the HTML page set. Lines end with CR LF, the last one without;
// texts from the report are escaped for HTML, and every text declares UTF-8.
// Positions are pixels of 15 twips, rounded half to even; a page is a white
// sheet at (20, 20) on a grey body, the band pictures on it (z-index 0) and
// the text objects as absolutely placed spans above them (z-index 2).

// The page file of page pageIndex (0-based): for each placed band its
// picture ("section" and the band index ".bmp", for a visible band whose
// picture has pixels) and a span for each listed text object (types 4 and 5)
// with its text on this page, which it leaves in the object's Value. Raises
// zet::Error 9 for an index outside its list and 6 for a position beyond 32 bits.
QString htmlPageText(ReportDocument &document, int pageIndex);

// The frameset page for pages in the folder baseName "_file" beside it: the
// navigator (ctr.htm) above, the page frame named "view" below.
QString htmlFramesetText(const QString &baseName);

// The navigator page: "Precedente" and "Successivo" buttons that show the
// page files 1.htm to pageCount.htm in the frame named "view" of the page
// above it, each disabled at its end; page 1 is shown on load.
QString htmlNavigatorText(int pageCount);

// Six upper-case hexadecimal digits: red (the low byte), green, blue.
QString colourToHex(int colour);

} // namespace zet
