#pragma once

#include "model/ReportDocument.h"

#include <QByteArray>
#include <QImage>

namespace zet {

// Fills the template half of the document from a template text (without the
// "ZET" wrapper): version, record-set structure, image list, objects, page
// setup, the twelve band slots with their positions and links, and the
// binding of objects to bands and pictures to images. Replaces what the
// document held. Raises zet::Error 6 when an integer key does not fit 32 bits.
void LoadTemplate(ReportDocument &document, const QString &templateText);

// Decodes an embedded picture (BMP, ICO, GIF, JPEG; one character per byte)
// into a bitmap surface image; a null image when it cannot be decoded.
QImage PictureFromImageBytes(const QString &imageText);

} // namespace zet
