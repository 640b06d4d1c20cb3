#pragma once

#include "model/ReportDocument.h"
#include "template/KeyReader.h"

#include <QImage>
#include <QString>

namespace zet {

// Decodes an embedded picture, one character per byte (a character above 255
// makes it undecodable). The content decides the format; only BMP, ICO/CUR,
// GIF and JPEG are accepted. The result is a 24-bit BGR surface image
// (Format_BGR888) at the picture's pixel size; transparent parts are
// composited over black. Its resolution is 96 dpi whatever the file states.
// A null image when the bytes cannot be decoded.
QImage pictureFromImageBytes(const QString &imageText);

// Appends one ImageEntry per "zet_imagelist" element of the template (keys:
// its reader, asked for the image keys), in template order; an element whose
// picture cannot be decoded leaves no entry.
void readImageList(ReportDocument &document, const KeyReader &keys);

} // namespace zet
