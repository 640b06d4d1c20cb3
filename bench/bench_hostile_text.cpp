// Texts made to be costly, drawn as the renderer draws them: a justified text
// of words, a long fixed text drawn in many rows and a date picture of one
// letter repeated. Each must cost about its length once, whatever its frame
// shows: the time per character stays flat as the length grows.
#include "gfx/Canvas.h"
#include "gfx/DeviceContext.h"
#include "render/ObjectDrawing.h"
#include "render/Placeholders.h"

#include <QImage>
#include <benchmark/benchmark.h>

using namespace zet;

namespace {

// Words of 2 to 7 letters and their spaces, length characters in all.
QString words(qsizetype length)
{
    static const QString kWords[] = { "lorem ", "ipsum ", "do ", "sit ", "amet ", "elit ", "consectetur " };
    QString text;
    text.reserve(length + 16);
    for (int i = 0; text.size() < length; ++i)
        text += kWords[(i * 7 + i / 3) % 7];
    text.truncate(length);
    return text;
}

// A text object in 8-point Arial, 5000 x 300 twips, drawn copies times down
// an A4 page at 96 dpi.
void drawCopies(benchmark::State &state, const QString &text, TextAlignment alignment, int copies)
{
    QImage page(794, 1123, QImage::Format_RGB32);
    page.setDotsPerMeterX(3780);
    page.setDotsPerMeterY(3780);
    ReportObject object;
    object.controlType = ControlType::Text;
    object.value = text;
    object.alignment = alignment;
    object.transparentBack = true;
    object.font = ReportFont { .name = QStringLiteral("Arial"), .size = 8 };
    for (auto _ : state) {
        DeviceContext context(&page);
        Canvas canvas;
        canvas.attach(&context);
        canvas.setMapMode(MapMode::Twips);
        for (int copy = 0; copy < copies; ++copy)
            drawObject({}, canvas, object, { 500, 500 + copy * 400, 5500, 800 + copy * 400 });
    }
    state.counters["chars_per_s"]
        = benchmark::Counter(double(text.size()) * copies * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_JustifiedWords(benchmark::State &state)
{
    drawCopies(state, words(state.range(0)), TextAlignment::Justified, 1);
}
BENCHMARK(BM_JustifiedWords)->Arg(1 << 20)->Arg(1 << 23)->Unit(benchmark::kMillisecond);

// One long fixed text in 30 rows, centred (the whole width is needed) or left-aligned.
void BM_LongTextRows(benchmark::State &state)
{
    const bool centred = state.range(1) != 0;
    drawCopies(state, words(state.range(0)), centred ? TextAlignment::Centre : TextAlignment::Left, 30);
}
BENCHMARK(BM_LongTextRows)
    ->Args({ 1 << 20, 0 })
    ->Args({ 1 << 23, 0 })
    ->Args({ 1 << 20, 1 })
    ->Args({ 1 << 23, 1 })
    ->Unit(benchmark::kMillisecond);

void BM_DatePicture(benchmark::State &state)
{
    const QString text = QStringLiteral("[&d") + QString(state.range(0), u'd') + u']';
    const QDateTime when(QDate(2026, 12, 6), QTime(12, 0));
    for (auto _ : state)
        benchmark::DoNotOptimize(replaceDatePlaceholders(text, when));
    state.counters["chars_per_s"]
        = benchmark::Counter(double(text.size()) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DatePicture)->Arg(30000)->Arg(300000)->Unit(benchmark::kMillisecond);

} // namespace
