// Element cursor walks over generated data texts of 1, 10 and 100 MB (one
// character of the data text counted as one byte, as in a data file).

#include "xml/ElementCursor.h"

#include <QHash>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

// Records like "<Row><A>..</A><B>..</B></Row>", one per line, until the text
// holds at least megabytes million characters. Built once per size.
const QString &dataText(int megabytes)
{
    static QHash<int, QString> texts;
    QString &text = texts[megabytes];
    if (text.isEmpty()) {
        const qsizetype size = qsizetype(megabytes) * 1000 * 1000;
        text.reserve(size + 100);
        for (int row = 0; text.size() < size; ++row)
            text += QStringLiteral("<Row><A>Cliente %1</A><B>%2,50</B></Row>\n").arg(row).arg(row % 977);
    }
    return text;
}

// The record reader's walk: take every record, move on, then the text left.
void BM_ElementCursorTakeWalk(benchmark::State &state)
{
    const QString &text = dataText(int(state.range(0)));
    qsizetype taken = 0;
    for (auto _ : state) {
        zet::ElementCursor rows(text, QStringLiteral("row"));
        for (; !rows.atEnd(); rows.next())
            taken += rows.take().size();
        benchmark::DoNotOptimize(rows.remainingText());
    }
    benchmark::DoNotOptimize(taken);
    state.SetBytesProcessed(state.iterations() * text.size());
}

// The same walk, each record's fields read by a cursor of their own.
void BM_ElementCursorNestedWalk(benchmark::State &state)
{
    const QString &text = dataText(int(state.range(0)));
    qsizetype fields = 0;
    for (auto _ : state) {
        zet::ElementCursor rows(text, QStringLiteral("Row"));
        for (; !rows.atEnd(); rows.next()) {
            const QString record = rows.take();
            for (const QString &name : { QStringLiteral("A"), QStringLiteral("B") }) {
                zet::ElementCursor field(record, name);
                for (; !field.atEnd(); field.next())
                    fields += field.take().size();
                benchmark::DoNotOptimize(field.remainingText());
            }
        }
        benchmark::DoNotOptimize(rows.remainingText());
    }
    benchmark::DoNotOptimize(fields);
    state.SetBytesProcessed(state.iterations() * text.size());
}

// The machine is shared: the fastest repetition is the least disturbed one.
double fastest(const std::vector<double> &runs)
{
    return *std::min_element(runs.begin(), runs.end());
}

} // namespace

BENCHMARK(BM_ElementCursorTakeWalk)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);
BENCHMARK(BM_ElementCursorNestedWalk)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);
