#include "ExportDialog.h"

#include "export/HtmlExport.h"
#include "export/PageBitmapExport.h"
#include "export/PageImageExport.h"
#include "export/XmlExport.h"
#include "zetview/Error.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <array>

namespace zet {

namespace {

struct Filter
{
    const char *text;
    const char *suffix;
};

// The first three keep the indices host programs and users know.
constexpr std::array<Filter, 4> kFilters { {
    { "Pagina HTML (*.htm)", "htm" },
    { "Archivio XML (*.xml)", "xml" },
    { "Immagini (*.bmp)", "bmp" },
    { "Documento PDF (*.pdf)", "pdf" },
} };

} // namespace

QString errorText(const Error &error)
{
    return QStringLiteral("Errore %1: %2").arg(error.number()).arg(error.message());
}

std::optional<ExportTarget> askExportTarget(QWidget *owner, const QString &exportFileName)
{
    QFileDialog dialog(owner, QStringLiteral("Esporta"));
    dialog.setObjectName(QStringLiteral("dlgEsporta"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const Filter &filter : kFilters)
        filters << QString::fromUtf8(filter.text);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.at(int(ExportFormat::Xml)));
    dialog.selectFile(exportFileName.isEmpty() ? QStringLiteral("Export") : exportFileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    QString path = dialog.selectedFiles().constFirst();
    const qsizetype format = filters.indexOf(dialog.selectedNameFilter());
    if (path.isEmpty() || format < 0)
        return std::nullopt;
    // A name typed without extension gets the chosen format's.
    if (!QFileInfo(path).fileName().contains(QLatin1Char('.')))
        path += QLatin1Char('.') + QString::fromUtf8(kFilters[size_t(format)].suffix);
    return ExportTarget { path, ExportFormat(format) };
}

bool writeExport(ReportDocument &document, const ExportTarget &target, const ExportView &view, QWidget *owner,
    QString *error)
{
    // Page by page formats show how far they are; quick ones never show it.
    QProgressDialog progress(
        QStringLiteral("Esportazione in corso..."), QString(), 0, int(document.pages.size()), owner);
    progress.setWindowTitle(QStringLiteral("Esporta"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(1000);
    progress.setCancelButton(nullptr);
    const PageExportProgress onPage = [&progress](int pageNumber, int) { progress.setValue(pageNumber); };
    try {
        switch (target.format) {
        case ExportFormat::Html:
            return exportHtml(document, target.path, error);
        case ExportFormat::Xml:
            return exportXml(document, target.path, error);
        case ExportFormat::Bitmaps:
            return exportPageBitmaps(document, target.path, view.zoom, view.printView, onPage, error);
        case ExportFormat::Pdf:
            return exportPagesToPdf(document, target.path, true, onPage, error);
        }
    } catch (const Error &failure) {
        if (error)
            *error = errorText(failure);
    }
    return false;
}

} // namespace zet
