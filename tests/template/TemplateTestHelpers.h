#pragma once

#include "support/TemplateText.h"
#include "template/TemplateLoader.h"
#include "zetview/Error.h"

namespace zet::test {

inline ReportDocument loaded(const QString &templateText)
{
    ReportDocument document;
    loadTemplate(document, templateText);
    return document;
}

// The number of the zet::Error the call raises; 0 when it raises none.
template <typename Call> int errorNumber(Call call)
{
    try {
        call();
    } catch (const Error &error) {
        return error.number();
    }
    return 0;
}

// A GIF of 3 x 2 pixels, rows of palette entries 0 1 2 and 2 1 0, one character per byte.
inline QString gif3x2(QRgb colour0, QRgb colour1 = 0, QRgb colour2 = 0)
{
    QByteArray gif("GIF89a\x03\0\x02\0\x81\0\0", 13); // a global table of 4 colours
    for (QRgb colour : { colour0, colour1, colour2, QRgb(0) })
        gif.append(char(qRed(colour))).append(char(qGreen(colour))).append(char(qBlue(colour)));
    // The image, 8-bit codes: clear, 0 1 2 2 1 0, end.
    static const char image[] = ",\0\0\0\0\x03\0\x02\0\0\x07\x08\x80\0\x01\x02\x02\x01\0\x81\0;";
    return QString::fromLatin1(gif.append(image, sizeof image - 1));
}

} // namespace zet::test
