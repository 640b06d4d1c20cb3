// A template file's text followed by a data text (split after the first
// "</ZET>") through the program's steps: the template checks, the loader, the
// data reader, the layout and the page renderer drawing into a small picture.
// Pages or a zet::Error; the destination ends in the pixel mapping either way.

#include "FuzzSupport.h"
#include "gfx/DeviceContext.h"
#include "layout/PageLayout.h"
#include "render/PageRenderer.h"
#include "template/TemplateLoader.h"
#include "template/TemplateUsability.h"
#include "xml/ElementReader.h"
#include "xml/RecordsetData.h"
#include "zetview/Error.h"

#include <QGuiApplication>
#include <QImage>

#include <algorithm>

using namespace zet;
using zet::fuzz::require;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    fuzz::silenceQtWarnings();
    new QGuiApplication(*argc, *argv);
    return 0;
}

namespace {

void draw(ReportDocument &document, int page, size_t variant)
{
    QImage image(90, 120, QImage::Format_RGB32);
    DeviceContext context(&image);
    context.setLogicalDpi(10, 10);
    try {
        renderPage(document, context, page,
            { .view = RenderView(variant % 2),
                .zoom = variant % 5 == 1 ? 0.5 : 1.0,
                .pageBuffer = variant % 3 == 1,
                .imageBuffer = variant % 4 == 1,
                .outlines = variant % 7 == 1 });
    } catch (const Error &) {
        require(
            context.mapMode() == MapMode::Pixels, "the destination ends in the pixel mapping after an error");
        throw;
    }
    require(context.mapMode() == MapMode::Pixels, "the destination ends in the pixel mapping");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::textOf(data, size);
    const QLatin1String wrapperEnd("</ZET>");
    const qsizetype split = input.indexOf(wrapperEnd);
    const QString templateText = split < 0 ? input : input.left(split + wrapperEnd.size());
    QString dataText = split < 0 ? QString() : input.mid(split + wrapperEnd.size());
    if (!templateTextProblem(templateText).isEmpty())
        return 0;
    ReportDocument document;
    try {
        loadTemplate(document,
            templateText.contains(QLatin1String("<ZET>"))
                ? getElementValue(templateText, QStringLiteral("ZET"))
                : templateText);
        if (!loadedTemplateProblem(document).isEmpty())
            return 0;
        readData(document, document.recordsetStruct, dataText);
        layOutReport(document);
        // The first two pages and the last, with options that vary with the input.
        const int pages = int(document.pages.size());
        for (int page = 0; page < std::min(pages, 2); ++page)
            draw(document, page, size + page);
        if (pages > 2)
            draw(document, pages - 1, size);
    } catch (const Error &) { }
    return 0;
}
