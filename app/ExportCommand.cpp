#include "CliCommands.h"

#include "export/PageImageExport.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace {

struct ExportArguments
{
    QString format;
    QString output;
    QStringList files;
    int dpi = 96;
    bool printView = false;
};

// Parses the arguments; an empty error means they are usable.
QString parseArguments(const QStringList &args, ExportArguments &parsed)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--format") && hasValue)
            parsed.format = args.at(++i);
        else if ((arg == QLatin1String("-o") || arg == QLatin1String("--output")) && hasValue)
            parsed.output = args.at(++i);
        else if (arg == QLatin1String("--dpi") && hasValue) {
            bool ok = false;
            parsed.dpi = args.at(++i).toInt(&ok);
            if (!ok || parsed.dpi < 10 || parsed.dpi > 2400)
                return QStringLiteral("export: --dpi vuole un numero da 10 a 2400");
        } else if (arg == QLatin1String("--print-view"))
            parsed.printView = true;
        else if (arg.startsWith(QLatin1Char('-')))
            return QStringLiteral("export: opzione sconosciuta o senza valore: %1").arg(arg);
        else
            parsed.files << arg;
    }
    if (parsed.format != QLatin1String("pdf") && parsed.format != QLatin1String("png"))
        return QStringLiteral("export: --format vuole pdf o png");
    if (parsed.output.isEmpty() || parsed.files.size() != 2)
        return commandUsage(QStringLiteral("export"));
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
    const bool written = parsed.format == QLatin1String("pdf")
        ? zet::exportPagesToPdf(document, parsed.output, parsed.printView, progress, &error)
        : zet::exportPagesToPng(document, parsed.output, parsed.dpi, parsed.printView, progress, &error);
    if (!written) {
        printError(QStringLiteral("export: %1").arg(error));
        return kExitFileError;
    }
    return kExitOk;
}
