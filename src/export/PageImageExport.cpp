#include "export/PageImageExport.h"

#include "export/PageExportChecks.h"
#include "export/PagePictureWriter.h"

#include "core/Twips.h"

#include "gfx/DeviceContext.h"
#include "render/PageRenderer.h"
#include "template/TemplateUsability.h"

#include <QDir>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <cmath>

namespace zet {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr double kMetresPerInch = 0.0254;
// A page picture holds at most this many pixels (about 1 GB at 32 bits).
constexpr qint64 kLargestPicturePixels = qint64(1) << 28;
constexpr int kLargestDpi = 4800;

RenderOptions viewOf(bool printView)
{
    return { .view = printView ? RenderView::Print : RenderView::Full };
}

void tell(const PageExportProgress &progress, int pageIndex, int pageCount)
{
    if (progress)
        progress(pageIndex + 1, pageCount);
}

} // namespace

void setExportError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

bool pagesExportable(const ReportDocument &document, QString *error)
{
    if (document.pages.isEmpty()) {
        setExportError(error, QStringLiteral("Il report non ha pagine da esportare."));
        return false;
    }
    if (usablePageSide(document.pageWidth) && usablePageSide(document.pageHeight))
        return true;
    setExportError(error,
        QStringLiteral("Dimensioni della pagina non valide: %1 x %2 twip.")
            .arg(document.pageWidth)
            .arg(document.pageHeight));
    return false;
}

QImage newPagePicture(QSize size, int dotsPerMetre)
{
    if (size.isEmpty() || qint64(size.width()) * size.height() > kLargestPicturePixels)
        return QImage();
    QImage picture(size, QImage::Format_RGB32);
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    return picture;
}

QString pagePicturePath(const QString &path, int pageNumber)
{
    const int nameStart = int(qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'))) + 1;
    const int dot = int(path.lastIndexOf(u'.'));
    const QString number = QStringLiteral("-%1").arg(pageNumber);
    if (dot > nameStart)
        return path.left(dot) + number + path.mid(dot);
    return path + number;
}

bool exportPagesToPdf(ReportDocument &document, const QString &path, bool printView,
    const PageExportProgress &progress, QString *error)
{
    if (!pagesExportable(document, error))
        return false;

    // Written through a file of our own: a path that cannot be written is told
    // here, not by the painter on the console, and an older file stays whole
    // until the new one is complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setExportError(error, cannotWriteFile(path));
        return false;
    }
    QPdfWriter writer(&file);
    writer.setResolution(int(kTwipsPerInch)); // one device unit is one twip
    writer.setCreator(QStringLiteral("ZETView"));
    writer.setTitle(document.reportName);
    writer.setPageSize(
        QPageSize(QSizeF(document.pageWidth / kTwipsPerPoint, document.pageHeight / kTwipsPerPoint),
            QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));

    QPainter painter;
    if (!painter.begin(&writer)) {
        setExportError(error, cannotWriteFile(path));
        return false;
    }
    const int pageCount = int(document.pages.size());
    for (int i = 0; i < pageCount; ++i) {
        tell(progress, i, pageCount);
        if (i > 0 && !writer.newPage()) {
            setExportError(error, cannotWriteFile(path));
            return false;
        }
        DeviceContext context(&painter);
        renderPage(document, context, i, viewOf(printView));
    }
    if (!painter.end() || file.size() <= 0 || !file.commit()) {
        setExportError(error, cannotWriteFile(path));
        return false;
    }
    return true;
}

bool exportPagesToPng(ReportDocument &document, const QString &path, int dpi, bool printView,
    const PageExportProgress &progress, QString *error)
{
    if (!pagesExportable(document, error))
        return false;
    if (dpi < 1 || dpi > kLargestDpi) {
        setExportError(error, QStringLiteral("Risoluzione non valida: %1 dpi.").arg(dpi));
        return false;
    }
    const QSize size(qMax(1, qRound(dpi * document.pageWidth / kTwipsPerInch)),
        qMax(1, qRound(dpi * document.pageHeight / kTwipsPerInch)));
    const int dotsPerMetre = qRound(dpi / kMetresPerInch);
    if (newPagePicture(size, dotsPerMetre).isNull()) {
        setExportError(error,
            QStringLiteral("Pagina troppo grande per %1 dpi: %2 x %3 pixel.")
                .arg(dpi)
                .arg(size.width())
                .arg(size.height()));
        return false;
    }

    // Pages are drawn here, one after another, while the writer's threads
    // encode the pages drawn before.
    PagePictureWriter writer("PNG");
    const int pageCount = int(document.pages.size());
    for (int i = 0; i < pageCount; ++i) {
        tell(progress, i, pageCount);
        QImage page = newPagePicture(size, dotsPerMetre);
        page.fill(Qt::white);
        {
            DeviceContext context(&page);
            context.setLogicalDpi(dpi, dpi);
            renderPage(document, context, i, viewOf(printView));
        }
        if (!writer.write(page, pagePicturePath(path, i + 1)))
            break;
    }
    return writer.finish(error);
}

} // namespace zet
