#include "export/PageImageExport.h"

#include "core/Twips.h"

#include "gfx/DeviceContext.h"
#include "render/PageRenderer.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

namespace zet {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr double kMetresPerInch = 0.0254;
// Pages up to 200 inches a side (the largest page a PDF viewer must accept).
constexpr double kLargestPageTwips = 200 * kTwipsPerInch;
// A page picture holds at most this many pixels (about 1 GB at 32 bits).
constexpr qint64 kLargestPicturePixels = qint64(1) << 28;
constexpr int kLargestDpi = 4800;

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

bool pageSizeUsable(const ReportDocument &document, QString *error)
{
    const auto usable
        = [](double twips) { return std::isfinite(twips) && twips >= 1 && twips <= kLargestPageTwips; };
    if (usable(document.pageWidth) && usable(document.pageHeight))
        return true;
    setError(error,
        QStringLiteral("Dimensioni della pagina non valide: %1 x %2 twip.")
            .arg(document.pageWidth)
            .arg(document.pageHeight));
    return false;
}

bool hasPages(const ReportDocument &document, QString *error)
{
    if (!document.pages.isEmpty())
        return true;
    setError(error, QStringLiteral("Il report non ha pagine da esportare."));
    return false;
}

QString cannotWrite(const QString &path)
{
    return QStringLiteral("Impossibile scrivere il file \"%1\".").arg(QDir::toNativeSeparators(path));
}

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
    if (!hasPages(document, error) || !pageSizeUsable(document, error))
        return false;

    QPdfWriter writer(path);
    writer.setResolution(int(kTwipsPerInch)); // one device unit is one twip
    writer.setCreator(QStringLiteral("ZETView"));
    writer.setTitle(document.reportName);
    writer.setPageSize(
        QPageSize(QSizeF(document.pageWidth / kTwipsPerPoint, document.pageHeight / kTwipsPerPoint),
            QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));

    QPainter painter;
    if (!painter.begin(&writer)) {
        setError(error, cannotWrite(path));
        return false;
    }
    const int pageCount = int(document.pages.size());
    for (int i = 0; i < pageCount; ++i) {
        tell(progress, i, pageCount);
        if (i > 0 && !writer.newPage()) {
            setError(error, cannotWrite(path));
            return false;
        }
        DeviceContext context(&painter);
        renderPage(document, context, i, viewOf(printView));
    }
    if (!painter.end() || QFileInfo(path).size() <= 0) {
        setError(error, cannotWrite(path));
        return false;
    }
    return true;
}

bool exportPagesToPng(ReportDocument &document, const QString &path, int dpi, bool printView,
    const PageExportProgress &progress, QString *error)
{
    if (!hasPages(document, error) || !pageSizeUsable(document, error))
        return false;
    if (dpi < 1 || dpi > kLargestDpi) {
        setError(error, QStringLiteral("Risoluzione non valida: %1 dpi.").arg(dpi));
        return false;
    }
    const int width = qMax(1, qRound(dpi * document.pageWidth / kTwipsPerInch));
    const int height = qMax(1, qRound(dpi * document.pageHeight / kTwipsPerInch));
    QImage page;
    if (qint64(width) * height <= kLargestPicturePixels)
        page = QImage(width, height, QImage::Format_RGB32);
    if (page.isNull()) {
        setError(error,
            QStringLiteral("Pagina troppo grande per %1 dpi: %2 x %3 pixel.")
                .arg(dpi)
                .arg(width)
                .arg(height));
        return false;
    }
    const int dotsPerMetre = qRound(dpi / kMetresPerInch);
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);

    const int pageCount = int(document.pages.size());
    for (int i = 0; i < pageCount; ++i) {
        tell(progress, i, pageCount);
        page.fill(Qt::white);
        {
            DeviceContext context(&page);
            context.setLogicalDpi(dpi, dpi);
            renderPage(document, context, i, viewOf(printView));
        }
        const QString file = pagePicturePath(path, i + 1);
        if (!page.save(file, "PNG")) {
            setError(error, cannotWrite(file));
            return false;
        }
    }
    return true;
}

} // namespace zet
