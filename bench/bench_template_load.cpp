// Loading templates of many objects, side by side or nested in one another
// (each nested element runs to the first closing tag after it, so its content
// is the rest of the nest): both cost the length of the template once.

#include "template/TemplateLoader.h"

#include <benchmark/benchmark.h>

namespace {

QString objectsTemplate(int count, bool nested)
{
    const QString object
        = QStringLiteral("<zet_object><Nome>T</Nome><Alto>800</Alto><Font><Size>9</Size></Font>");
    if (nested)
        return object.repeated(count) + QStringLiteral("</Font></zet_object>").repeated(count);
    return (object + QStringLiteral("</zet_object>")).repeated(count);
}

void BM_LoadTemplateObjects(benchmark::State &state)
{
    const QString text = objectsTemplate(int(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        zet::ReportDocument document;
        zet::loadTemplate(document, text);
        benchmark::DoNotOptimize(document.objects.size());
    }
    state.SetLabel(state.range(1) ? "nested" : "side by side");
}

} // namespace

BENCHMARK(BM_LoadTemplateObjects)
    ->ArgsProduct({ { 10000, 100000 }, { 0, 1 } })
    ->Unit(benchmark::kMillisecond);
