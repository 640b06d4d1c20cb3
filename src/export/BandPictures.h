#pragma once

#include "model/ReportDocument.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace zet {

// The pixels of a band picture: the page width by the band's height, each
// at 15 twips per pixel (a 96-dpi screen), rounded half to even. Empty when
// either side rounds to no pixel. Raises zet::Error 6 for a measure beyond 32 bits.
QSize bandPictureSize(const ReportDocument &document, const ReportBand &band);

// The fixed content of band bandIndex as a 24-bit picture of
// bandPictureSize, its origin the band's top-left corner at the left page
// edge: white, with every object of the band's list that has no data source
// drawn on it in list order, printable or not. Null when the size is empty.
// Raises what drawing an object raises, naming the object, and zet::Error 7
// for a picture too large to hold.
QImage drawBandPicture(const ReportDocument &document, int bandIndex);

// Writes picture as an uncompressed 24-bit BMP file at path, replacing any
// file there; false with the reason, naming the file, in error (when given).
bool saveBandPicture(const QImage &picture, const QString &path, QString *error = nullptr);

} // namespace zet
