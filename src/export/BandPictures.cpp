#include "export/BandPictures.h"

#include "export/ExportFiles.h"

#include "core/Rounding.h"
#include "core/Twips.h"

#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "layout/ObjectFrame.h"
#include "model/DocumentAccess.h"
#include "render/ObjectDrawing.h"

#include <QImageWriter>

namespace zet {

namespace {

constexpr int kWhite = 0xFFFFFF;
constexpr int kScreenDpi = kTwipsPerInch / kTwipsPerPicturePixel;

} // namespace

QSize bandPictureSize(const ReportDocument &document, const ReportBand &band)
{
    const int width = roundHalfEven(document.pageWidth / kTwipsPerPicturePixel);
    const int height = roundHalfEven(band.height / kTwipsPerPicturePixel);
    return width < 1 || height < 1 ? QSize() : QSize(width, height);
}

QImage drawBandPicture(const ReportDocument &document, int bandIndex)
{
    const ReportBand &band = bandAt(document, bandIndex);
    const QSize size = bandPictureSize(document, band);
    if (size.isEmpty())
        return QImage();
    Bitmap bitmap;
    if (!bitmap.create(size, kScreenDpi, kScreenDpi))
        throw Error(Error::kOutOfMemory,
            QStringLiteral("Out of memory: l'immagine della banda %1 (%2 x %3 pixel) è troppo grande")
                .arg(bandIndex)
                .arg(size.width())
                .arg(size.height()));
    {
        Canvas canvas;
        canvas.attach(bitmap.deviceContext());
        drawFigure(canvas, ShapeStyle::Rectangle, { false, false, 0, kWhite },
            { -10, -10, size.width() + 10, size.height() + 10 });
        canvas.setMapMode(MapMode::Twips);
        for (int objectIndex : band.objectIndexes) {
            const ReportObject &object = checkedAt(document.objects, objectIndex, "Objects");
            if (object.dataSource.isEmpty())
                namingObject(document, objectIndex, [&] {
                    drawObject(document.images, canvas, object, computeObjectFrame(document, objectIndex, 0));
                });
        }
        canvas.setMapMode(MapMode::Pixels);
    }
    return bitmap.image();
}

bool saveBandPicture(const QImage &picture, const QString &path, QString *error)
{
    return replaceFile(
        path,
        [&picture](QIODevice &file, QString &reason) {
            QImageWriter writer(&file, "bmp");
            if (writer.write(picture))
                return true;
            reason = writer.errorString();
            return false;
        },
        error);
}

} // namespace zet
