#include "CliCommands.h"
#include "OptionReader.h"

#include "export/HtmlExport.h"
#include "export/PageBitmapExport.h"
#include "export/PageImageExport.h"
#include "export/XmlExport.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct ExportArguments
{
    QString format;
    QString output;
    QStringList files;
    int dpi = zet::kDefaultPagePictureDpi;
    double zoom = 1.0;
    bool printView = false;
};

// Writes a laid-out document in one format; false with a message in error.
using FormatWriter = std::function<bool(
    zet::ReportDocument &, const ExportArguments &, const zet::PageExportProgress &, QString *error)>;

struct ExportFormat
{
    QString name;
    FormatWriter write;
};

const std::vector<ExportFormat> &exportFormats()
{
    static const std::vector<ExportFormat> formats {
        { QStringLiteral("pdf"),
            [](zet::ReportDocument &document, const ExportArguments &parsed,
                const zet::PageExportProgress &progress, QString *error) {
                return zet::exportPagesToPdf(document, parsed.output, parsed.printView, progress, error);
            } },
        { QStringLiteral("png"),
            [](zet::ReportDocument &document, const ExportArguments &parsed,
                const zet::PageExportProgress &progress, QString *error) {
                return zet::exportPagesToPng(document, parsed.output, qRound(parsed.dpi * parsed.zoom),
                    parsed.printView, progress, error);
            } },
        { QStringLiteral("html"),
            [](zet::ReportDocument &document, const ExportArguments &parsed, const zet::PageExportProgress &,
                QString *error) { return zet::exportHtml(document, parsed.output, error); } },
        { QStringLiteral("xml"),
            [](zet::ReportDocument &document, const ExportArguments &parsed, const zet::PageExportProgress &,
                QString *error) { return zet::exportXml(document, parsed.output, error); } },
        { QStringLiteral("bmp"),
            [](zet::ReportDocument &document, const ExportArguments &parsed,
                const zet::PageExportProgress &progress, QString *error) {
                return zet::exportPageBitmaps(
                    document, parsed.output, parsed.zoom, parsed.printView, progress, error);
            } },
    };
    return formats;
}

const ExportFormat *findFormat(const QString &name)
{
    for (const ExportFormat &format : exportFormats())
        if (format.name == name)
            return &format;
    return nullptr;
}

// Parses the arguments; an empty error means they are usable.
QString parseArguments(const QStringList &args, ExportArguments &parsed)
{
    const QString command = QStringLiteral("export");
    const std::vector<CommandOption> options {
        textOption({ QStringLiteral("--format") }, parsed.format),
        textOption({ QStringLiteral("-o"), QStringLiteral("--output") }, parsed.output),
        numberOption(command, QStringLiteral("--dpi"), parsed.dpi, 10, 2400),
        { { QStringLiteral("--zoom") }, true,
            [&parsed](const QString &value) {
                bool ok = false;
                parsed.zoom = value.toDouble(&ok);
                if (ok && parsed.zoom >= 0.1 && parsed.zoom <= 4.0)
                    return QString();
                return QStringLiteral("export: --zoom vuole un fattore da 0.1 a 4 (1 = 100 %)");
            } },
        flagOption(QStringLiteral("--print-view"), parsed.printView),
    };
    const QString error = readCommandOptions(command, args, options, parsed.files);
    if (!error.isEmpty())
        return error;
    if (!findFormat(parsed.format)) {
        QStringList names;
        for (const ExportFormat &format : exportFormats())
            names << format.name;
        return QStringLiteral("export: --format vuole %1").arg(names.join(QLatin1Char('|')));
    }
    if (parsed.output.isEmpty() || parsed.files.size() != 2)
        return commandUsage(command);
    return QString();
}

} // namespace

int runExport(const QStringList &args)
{
    ExportArguments parsed;
    const QString usageError = parseArguments(args, parsed);
    if (!usageError.isEmpty()) {
        printError(usageError);
        return kExitUsage;
    }
    // An existing folder is not a file name to write to, nor a stem for the
    // page pictures (which would land beside it).
    if (QFileInfo(parsed.output).isDir()) {
        printError(
            QStringLiteral("export: %1 è una cartella: -o vuole il nome del file da scrivere, "
                           "ad esempio %2")
                .arg(parsed.output, QDir(parsed.output).filePath(QStringLiteral("report.") + parsed.format)));
        return kExitFileError;
    }
    zet::ReportDocument document;
    if (int status = buildFromFiles(document, parsed.files.at(0), parsed.files.at(1)))
        return status;

    // A progress line for long reports, rewritten in place.
    const int pageCount = int(document.pages.size());
    auto progress = [pageCount](int page, int) {
        if (pageCount >= 20 && (page % 10 == 0 || page == pageCount))
            std::fprintf(stderr, "\rpagina %d di %d", page, pageCount);
        if (pageCount >= 20 && page == pageCount)
            std::fputc('\n', stderr);
    };
    QString error;
    const bool written = findFormat(parsed.format)->write(document, parsed, progress, &error);
    if (!written) {
        printError(QStringLiteral("export: %1").arg(error));
        return kExitFileError;
    }
    return kExitOk;
}
