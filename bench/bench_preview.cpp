// The preview of a 100,000-movement warehouse register: from opening the
// window over the built report to its first page painted, and changing the
// page at 100 %.
#include "control/ReportBuilder.h"
#include "preview/PreviewWindow.h"

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <benchmark/benchmark.h>

using namespace zet;

namespace {

constexpr int kMovements = 100000;

// The same data as bench/generate_data.py registro: months of 50
// movements, twelve months to a warehouse.
QString registerData(int rows)
{
    QString out = QStringLiteral("<Report>");
    int month = 0;
    for (int start = 0; start < rows; start += 50, ++month) {
        if (month % 12 == 0) {
            if (month)
                out += QStringLiteral("</Magazzino>");
            out += QStringLiteral("<Magazzino><Nome>Magazzino %1</Nome><Responsabile>Resp. %1</Responsabile>")
                       .arg(month / 12 + 1);
        }
        const int count = std::min(50, rows - start);
        out += QStringLiteral("<Mese><Periodo>Mese %1</Periodo><TotaleCarichi>%2</TotaleCarichi>"
                              "<TotaleScarichi>%3</TotaleScarichi>")
                   .arg(month + 1)
                   .arg(count * 10)
                   .arg(count * 7);
        for (int i = 0; i < count; ++i) {
            out += QStringLiteral("<Movimento><Data>%1/%2/2026</Data><Causale>Carico</Causale>"
                                  "<Articolo>Articolo %3</Articolo><Quantita>+%4</Quantita></Movimento>\n")
                       .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                       .arg(1 + month % 12, 2, 10, QLatin1Char('0'))
                       .arg(start + i)
                       .arg(1 + i % 99);
        }
        out += QStringLiteral("</Mese>");
    }
    if (month)
        out += QStringLiteral("</Magazzino>");
    return out + QStringLiteral("</Report>\n");
}

ReportDocument &registerReport()
{
    static ReportDocument document = [] {
        QFile file(QStringLiteral(ZET_SOURCE_DIR "/examples/registro.zet"));
        file.open(QIODevice::ReadOnly);
        ReportDocument built;
        buildReport(built, QString::fromUtf8(file.readAll()), registerData(kMovements), {});
        return built;
    }();
    return document;
}

void BM_PreviewFirstPage(benchmark::State &state)
{
    ReportDocument &document = registerReport();
    for (auto _ : state) {
        PreviewWindow window(document);
        window.resize(1000, 760);
        window.show();
        window.repaint();
        benchmark::DoNotOptimize(window.pageImage().constBits());
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
    state.counters["pages"] = double(document.pages.size());
}
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond);

void BM_PreviewChangePage(benchmark::State &state)
{
    ReportDocument &document = registerReport();
    PreviewWindow window(document);
    window.resize(1000, 760);
    window.show();
    QScrollBar *pages = window.findChild<QScrollBar *>(QStringLiteral("scrPageController"));
    int page = 0;
    for (auto _ : state) {
        page = (page + 1) % 100;
        pages->setValue(page);
        window.repaint();
    }
}
BENCHMARK(BM_PreviewChangePage)->Unit(benchmark::kMillisecond);

} // namespace
