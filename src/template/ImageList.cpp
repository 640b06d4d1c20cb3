#include "template/ImageList.h"

#include "core/Twips.h"
#include "template/Vocabulary.h"

#include <QBuffer>
#include <QImageReader>

namespace zet {

namespace {

bool isAcceptedFormat(const QByteArray &format)
{
    static const QByteArray accepted[] = { "bmp", "ico", "cur", "gif", "jpeg", "jpg" };
    for (const QByteArray &name : accepted) {
        if (format.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The image as 24-bit BGR rows; alpha is composited over black, which is what
// drawing the picture onto a fresh (zero-filled) surface gives.
QImage toSurface(const QImage &decoded)
{
    const QImage premultiplied = decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage surface(premultiplied.size(), QImage::Format_BGR888);
    if (surface.isNull())
        return QImage();
    for (int y = 0; y < premultiplied.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(premultiplied.constScanLine(y));
        uchar *out = surface.scanLine(y);
        for (int x = 0; x < premultiplied.width(); ++x) {
            *out++ = uchar(qBlue(in[x]));
            *out++ = uchar(qGreen(in[x]));
            *out++ = uchar(qRed(in[x]));
        }
    }
    return surface;
}

} // namespace

QImage pictureFromImageBytes(const QString &imageText)
{
    QByteArray bytes(imageText.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < imageText.size(); ++i) {
        const char16_t code = imageText.at(i).unicode();
        if (code > 0xFF)
            return QImage();
        bytes[i] = char(code);
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!isAcceptedFormat(reader.format()))
        return QImage();
    const QImage decoded = reader.read();
    if (decoded.isNull())
        return QImage();

    QImage surface = toSurface(decoded);
    if (surface.isNull())
        return QImage();
    // The resolution the file states is not kept: a picture pixel is always
    // drawn as on a 96-dpi screen.
    surface.setDotsPerMeterX(kPictureDotsPerMetre);
    surface.setDotsPerMeterY(kPictureDotsPerMetre);
    return surface;
}

void readImageList(ReportDocument &document, const KeyReader &keys)
{
    // Nested elements can share one picture: it is decoded once.
    std::optional<KeyReader::Part> lastFile;
    QImage lastSurface;
    for (const KeyReader::Part part : keys.elements(key::kZetImagelist)) {
        ImageEntry entry;
        entry.id = keys.value(key::kImageId, part);
        entry.fileData = keys.value(key::kImageFile, part);
        const std::optional<KeyReader::Part> file = keys.find(key::kImageFile, part);
        if (!file || file != lastFile) {
            lastFile = file;
            lastSurface = pictureFromImageBytes(entry.fileData);
        }
        entry.surface = lastSurface;
        if (!entry.surface.isNull())
            document.images.append(entry);
    }
}

} // namespace zet
