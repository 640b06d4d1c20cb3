#pragma once

#include "model/ReportDocument.h"
#include "template/ImageList.h"

#include <QString>

namespace zet {

// Fills the template half of the document from a template text (without the
// "ZET" wrapper): version, record-set structure, image list, objects, page
// setup, the twelve band slots with their positions and links (only for a
// version of 1 or less; otherwise no bands), and the binding of objects to
// bands and pictures to images. Replaces the images, objects and bands the
// document held. Raises zet::Error 6 when an integer key does not fit 32 bits,
// and the errors of ParseFont for a bad "Size" or "Charset"; the message names
// the key, its text and the object it belongs to. Costs the length of the
// text once, nested elements included; zet::Error 7 when nested elements
// would copy their values beyond twice that length.
void loadTemplate(ReportDocument &document, const QString &templateText);

// Appends one ReportObject per "zet_object" element of the template (keys:
// its reader, asked for every template key) and sets HasFramedFields.
void readObjects(ReportDocument &document, const KeyReader &keys);

// Binds each object to the first visible band it overlaps vertically in the
// designer's space (BandIndex, TopInBand, the band's ObjectIndexes) and each
// picture object (types 2 and 3) to the first image whose Id equals its
// ImageId ignoring case. Objects overlapping no band keep BandIndex -1; a
// picture naming no image keeps ImageIndex 0.
void bindObjects(ReportDocument &document);

} // namespace zet
