#pragma once

#include "export/PageImageExport.h"
#include "model/ReportDocument.h"

#include <QString>

namespace zet {

// Saves every page as a 24-bit BMP file, as the preview shows it at zoom
// (0.1 to 4) in the print view or the full view: the page surface's size (the
// page in whole twips times the zoom) at the screen's 96 dpi, framed text
// fields painted as text, no outlines. Files are named by pageBitmapPath.
// Existing files are replaced. Stops at the first file that cannot be written
// and returns false with a message naming it in error (when given).
bool exportPageBitmaps(ReportDocument &document, const QString &path, double zoom, bool printView,
    const PageExportProgress &progress = {}, QString *error = nullptr);

// The file of page pageIndex (from 0) of pageCount: the path's folder and
// base name, the index padded on the left with spaces to three characters, a
// "." and the path's extension (possibly empty): "out/rep.bmp" gives
// "out/rep  0.bmp", ..., "out/rep 10.bmp". Beyond 1,000 pages the index takes
// as many characters as the last one has, so the names stay distinct and
// sort in page order.
QString pageBitmapPath(const QString &path, int pageIndex, int pageCount);

} // namespace zet
