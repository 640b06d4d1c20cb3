#pragma once

#include "model/ReportDocument.h"

#include <QString>
#include <functional>

namespace zet {

// The resolution of page pictures when none is chosen: the screen's.
inline constexpr int kDefaultPagePictureDpi = 96;

// Told before each page is drawn: pageNumber counts from 1 to pageCount.
using PageExportProgress = std::function<void(int pageNumber, int pageCount)>;

// Writes every page of a laid-out document into one PDF file at path, each
// page the template's PageWidth x PageHeight (to whole points), margins 0,
// text in embedded fonts. printView: as printed (non-printable listed
// objects left out) or as the preview's full view. Returns false with a
// message in error (when given) if the file cannot be written or the page
// size is unusable; the file is then incomplete or absent.
bool exportPagesToPdf(ReportDocument &document, const QString &path, bool printView,
    const PageExportProgress &progress = {}, QString *error = nullptr);

// Writes each page into its own PNG file at dpi pixels per inch (the file
// records that resolution), named by PagePicturePath. Stops at the first
// file that cannot be written and returns false with a message in error.
bool exportPagesToPng(ReportDocument &document, const QString &path, int dpi, bool printView,
    const PageExportProgress &progress = {}, QString *error = nullptr);

// The file of page pageNumber (from 1): "-" and the number go before the last
// "." of the file name, or at its end when the name has no "." after its
// first character: "out/fattura.png" -> "out/fattura-1.png",
// "out/fattura" -> "out/fattura-1", "out.d/x" -> "out.d/x-1".
QString pagePicturePath(const QString &path, int pageNumber);

} // namespace zet
