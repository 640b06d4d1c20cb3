#include "export/HtmlExport.h"

#include "export/BandPictures.h"
#include "export/ExportFiles.h"
#include "export/HtmlPageText.h"

namespace zet {

namespace {

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

// Each picture is drawn, written and let go in turn: no more than one band
// picture is held at a time, and none stays in the document.
bool writeBandPictures(const ReportDocument &document, const QString &folder, QString *error)
{
    for (int b = 0; b < document.bands.size(); ++b) {
        if (!document.bands.at(b).visible)
            continue;
        const QImage picture = drawBandPicture(document, b);
        if (!picture.isNull()
            && !saveBandPicture(picture, folder + QStringLiteral("section%1.bmp").arg(b), error))
            return false;
    }
    return true;
}

} // namespace

bool exportHtml(ReportDocument &document, const QString &path, QString *error)
{
    if (path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).trimmed().isEmpty())
        return fail(error, QStringLiteral("manca il nome del file da scrivere: \"%1\"").arg(path));
    const QString base = pathPart(path, PathPart::Base);
    const QString folder = withFinalSeparator(
        withFinalSeparator(pathPart(path, PathPart::Folder)) + base + QStringLiteral("_file"));
    if (!createFolder(folder, error) || !writeBandPictures(document, folder, error))
        return false;
    for (int p = 0; p < document.pages.size(); ++p) {
        if (!writeTextFile(htmlPageText(document, p), folder + QStringLiteral("%1.htm").arg(p + 1), error))
            return false;
    }
    return writeTextFile(
               htmlNavigatorText(int(document.pages.size())), folder + QStringLiteral("ctr.htm"), error)
        && writeTextFile(htmlFramesetText(base), path, error);
}

} // namespace zet
