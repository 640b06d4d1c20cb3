#pragma once

#include "model/ReportDocument.h"

#include <QImage>
#include <QSize>
#include <QString>

// What the page exports share before they draw.
namespace zet {

// True when the document has pages and a page size a file can hold (1 twip
// to 200 inches a side); otherwise false with the message in error (when given).
bool pagesExportable(const ReportDocument &document, QString *error);

// A page picture of size pixels at dotsPerMetre, in the format the pages
// are drawn in, not yet filled; null when it would be too large to hold
// (over 2^28 pixels) or cannot be allocated.
QImage newPagePicture(QSize size, int dotsPerMetre);

// Sets *error to message when error is given.
void setExportError(QString *error, const QString &message);

} // namespace zet
