#pragma once

#include "model/ReportDocument.h"

#include <QString>
#include <optional>

class QWidget;

namespace zet {

class Error;

// The text of a run-time error as the user reads it in a message box.
QString errorText(const Error &error);

// The formats of the "Esporta" dialog, in the order of its filters.
enum class ExportFormat { Html, Xml, Bitmaps, Pdf };

struct ExportTarget
{
    QString path;
    ExportFormat format = ExportFormat::Xml;
};

// How the preview shows its pages: the page bitmaps are written the same way.
struct ExportView
{
    double zoom = 1.0;
    bool printView = false;
};

// The "Esporta" save dialog: the HTML, XML, bitmap and PDF filters with XML
// chosen, the document's export file name (or "Export") proposed, existing
// files replaced without asking. The format is the filter left selected,
// whatever extension the name has. Empty when cancelled or no name is given.
std::optional<ExportTarget> askExportTarget(QWidget *owner, const QString &exportFileName);

// Writes the document, as it stands with the preview's edits, in the chosen
// format, showing progress over owner for the page-by-page formats. False
// with the reason in error when a folder or file cannot be written or the
// report cannot be drawn.
bool writeExport(ReportDocument &document, const ExportTarget &target, const ExportView &view, QWidget *owner,
    QString *error);

} // namespace zet
