// The template loader on any template text, wrapper or not: a document or a
// zet::Error, and objects and bands agree on where each object belongs.

#include "FuzzSupport.h"
#include "template/TemplateLoader.h"
#include "template/TemplateUsability.h"
#include "xml/ElementReader.h"
#include "zetview/Error.h"

#include <algorithm>

using namespace zet;
using zet::fuzz::require;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::silenceQtWarnings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::textOf(data, size);
    templateTextProblem(input);
    // The template proper, as the control takes it from a file's text.
    const QString text
        = input.contains(QLatin1String("<ZET>")) ? getElementValue(input, QStringLiteral("ZET")) : input;
    ReportDocument document;
    try {
        loadTemplate(document, text);
    } catch (const Error &) {
        return 0;
    }
    loadedTemplateProblem(document);
    qsizetype bound = 0;
    for (const ReportObject &object : document.objects) {
        bound += object.bandIndex != -1;
        require(
            object.bandIndex >= -1 && object.bandIndex < document.bands.size(), "an object's band exists");
        require(object.imageIndex >= 0 && object.imageIndex < std::max<qsizetype>(1, document.images.size()),
            "a picture's image exists");
    }
    qsizetype listed = 0;
    for (int b = 0; b < document.bands.size(); ++b) {
        for (int o : document.bands[b].objectIndexes) {
            require(document.objects.value(o).bandIndex == b, "a band lists only its own objects");
            ++listed;
        }
    }
    require(listed == bound, "each bound object is listed by its band");
    return 0;
}
