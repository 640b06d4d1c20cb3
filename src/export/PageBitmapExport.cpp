#include "export/PageBitmapExport.h"

#include "export/ExportFiles.h"
#include "export/PageExportChecks.h"
#include "export/PagePictureWriter.h"

#include "core/Rounding.h"
#include "core/Twips.h"
#include "gfx/DeviceContext.h"
#include "render/PageRenderer.h"

namespace zet {

namespace {

// The preview's zoom range and the screen resolution its page surface has.
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 4.0;
constexpr int kScreenDpi = kDefaultPagePictureDpi;
constexpr int kScreenDotsPerMetre = 3780; // 96 / 0.0254, rounded
constexpr int kIndexWidth = 3;

// The page surface's side in pixels: the page in whole twips, times the zoom
// rounded to whole twips, at the screen's resolution.
int surfacePixels(double pageTwips, double zoom)
{
    double twips = int(pageTwips);
    if (zoom != 1.0)
        twips = clampToInt(roundedHalfEven(twips * zoom));
    return qMax(1, qRound(twipsToPixels(twips, kScreenDpi)));
}

} // namespace

QString pageBitmapPath(const QString &path, int pageIndex, int pageCount)
{
    const int width = qMax(kIndexWidth, int(QString::number(qMax(0, pageCount - 1)).size()));
    return pathPart(path, PathPart::FolderAndBase) + QStringLiteral("%1").arg(pageIndex, width)
        + QLatin1Char('.') + pathPart(path, PathPart::Extension);
}

bool exportPageBitmaps(ReportDocument &document, const QString &path, double zoom, bool printView,
    const PageExportProgress &progress, QString *error)
{
    if (!pagesExportable(document, error))
        return false;
    if (!(zoom >= kMinZoom && zoom <= kMaxZoom)) {
        setExportError(error, QStringLiteral("Zoom non valido: %1.").arg(zoom));
        return false;
    }
    const QSize size(surfacePixels(document.pageWidth, zoom), surfacePixels(document.pageHeight, zoom));
    if (newPagePicture(size, kScreenDotsPerMetre).isNull()) {
        setExportError(error,
            QStringLiteral("Pagina troppo grande: %1 x %2 pixel.").arg(size.width()).arg(size.height()));
        return false;
    }

    RenderOptions options;
    options.view = printView ? RenderView::Print : RenderView::Full;
    options.zoom = zoom;
    PagePictureWriter writer("BMP");
    const int pageCount = int(document.pages.size());
    for (int i = 0; i < pageCount; ++i) {
        if (progress)
            progress(i + 1, pageCount);
        QImage page = newPagePicture(size, kScreenDotsPerMetre);
        page.fill(Qt::white);
        {
            DeviceContext context(&page);
            context.setLogicalDpi(kScreenDpi, kScreenDpi);
            renderPage(document, context, i, options);
        }
        if (!writer.write(page, pageBitmapPath(path, i, pageCount)))
            break;
    }
    return writer.finish(error);
}

} // namespace zet
