// Pages per second of the page renderer to PDF and to PNG for a 1,000-page
// report, beside the floor: a bare QPainter loop drawing the same text lines
// on the same devices.
#include "export/PageImageExport.h"
#include "gfx/DeviceContext.h"
#include "model/ReportDocument.h"
#include "render/PageRenderer.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zet;

namespace {

constexpr int kPages = 1000;
constexpr int kRowsPerPage = 40;
constexpr int kColumns = 3;
constexpr double kA4Width = 11906; // twips
constexpr double kA4Height = 16838; // twips
constexpr int kRowHeight = 360;
constexpr int kTop = 1440;
constexpr int kColumnWidth = 3000;

ReportFont arial10()
{
    ReportFont font;
    font.name = QStringLiteral("Arial");
    font.size = 10;
    return font;
}

// An A4 report: each page has a header text with the page numbers, a line
// under it and 40 rows of three bound text fields.
ReportDocument invoiceReport()
{
    ReportDocument doc;
    doc.pageWidth = kA4Width;
    doc.pageHeight = kA4Height;
    ReportBand header;
    header.visible = true;
    header.height = kTop;
    ReportBand row;
    row.visible = true;
    row.height = kRowHeight;
    doc.bands = { header, row };

    ReportObject title;
    title.controlType = ControlType::Text;
    title.left = 1000;
    title.topInBand = 600;
    title.width = 9000;
    title.height = 300;
    title.printable = true;
    title.transparentBack = true;
    title.font = arial10();
    title.loadedValue = QStringLiteral("Fattura n. 2026/17 - pagina [&p] di [&P]");
    doc.objects.append(title);
    ReportObject rule;
    rule.controlType = ControlType::Shape;
    rule.style = ShapeStyle::HorizontalLine;
    rule.left = 1000;
    rule.topInBand = 1100;
    rule.width = 9900;
    rule.height = 20;
    rule.printable = true;
    doc.objects.append(rule);
    doc.bands[0].objectIndexes = { 1 };
    for (int c = 0; c < kColumns; ++c) {
        ReportObject field = title;
        field.left = 1000 + c * kColumnWidth;
        field.topInBand = 0;
        field.width = kColumnWidth - 100;
        field.alignment = c == kColumns - 1 ? TextAlignment::Right : TextAlignment::Left;
        field.dataSource = QStringLiteral("Campo%1").arg(c);
        doc.objects.append(field);
    }

    for (int p = 0; p < kPages; ++p) {
        LaidPage page;
        page.placedBands.append(PlacedBand { 0, { { 0, -1 } }, 0 });
        for (int r = 0; r < kRowsPerPage; ++r) {
            PlacedBand placed { 1, {}, kTop + r * kRowHeight };
            for (int c = 0; c < kColumns; ++c) {
                DataValue value;
                value.value = c == 0 ? QStringLiteral("Articolo %1").arg(p * kRowsPerPage + r)
                    : c == 1         ? QStringLiteral("Descrizione della riga %1").arg(r)
                                     : QStringLiteral("%1,00").arg(r * 17 + p);
                doc.values.append(value);
                placed.items.append(PlacedItem { 2 + c, int(doc.values.size()) - 1 });
            }
            page.placedBands.append(placed);
        }
        doc.pages.append(page);
    }
    return doc;
}

// The same text lines drawn with a bare painter in twips.
void drawFloorPage(QPainter &painter, const ReportDocument &doc, int pageIndex, double twipsToDevice)
{
    painter.save();
    painter.scale(twipsToDevice, twipsToDevice);
    painter.fillRect(QRectF(0, 0, kA4Width, kA4Height), Qt::white);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(200);
    painter.setFont(font);
    painter.drawText(QRectF(1000, 600, 9000, 300), Qt::AlignLeft | Qt::TextSingleLine,
        QStringLiteral("Fattura n. 2026/17 - pagina %1 di %2").arg(pageIndex + 1).arg(kPages));
    painter.drawLine(QPointF(1000, 1110), QPointF(10900, 1110));
    const LaidPage &page = doc.pages.at(pageIndex);
    for (int b = 1; b < page.placedBands.size(); ++b) {
        const PlacedBand &placed = page.placedBands.at(b);
        for (int c = 0; c < placed.items.size(); ++c)
            painter.drawText(QRectF(1000 + c * kColumnWidth, placed.top, kColumnWidth - 100, 300),
                (c == kColumns - 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::TextSingleLine,
                doc.values.at(placed.items.at(c).valueIndex).value);
    }
    painter.restore();
}

void setPagesPerSecond(benchmark::State &state)
{
    state.counters["pages_per_s"]
        = benchmark::Counter(double(kPages) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_RenderPdf(benchmark::State &state)
{
    ReportDocument doc = invoiceReport();
    QTemporaryDir dir;
    for (auto _ : state) {
        if (!exportPagesToPdf(doc, dir.filePath(QStringLiteral("report.pdf")), true))
            state.SkipWithError("PDF export failed");
    }
    setPagesPerSecond(state);
}

void BM_FloorPdf(benchmark::State &state)
{
    const ReportDocument doc = invoiceReport();
    QTemporaryDir dir;
    for (auto _ : state) {
        QPdfWriter writer(dir.filePath(QStringLiteral("floor.pdf")));
        writer.setResolution(1440);
        writer.setPageSize(QPageSize(QSizeF(kA4Width / 20, kA4Height / 20), QPageSize::Point));
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        for (int p = 0; p < kPages; ++p) {
            if (p > 0)
                writer.newPage();
            drawFloorPage(painter, doc, p, 1.0);
        }
    }
    setPagesPerSecond(state);
}

void BM_RenderPng(benchmark::State &state)
{
    ReportDocument doc = invoiceReport();
    QTemporaryDir dir;
    for (auto _ : state) {
        if (!exportPagesToPng(doc, dir.filePath(QStringLiteral("report.png")), 96, true))
            state.SkipWithError("PNG export failed");
    }
    setPagesPerSecond(state);
}

void BM_FloorPng(benchmark::State &state)
{
    const ReportDocument doc = invoiceReport();
    QTemporaryDir dir;
    QImage image(qRound(kA4Width / 15), qRound(kA4Height / 15), QImage::Format_RGB32);
    for (auto _ : state) {
        for (int p = 0; p < kPages; ++p) {
            {
                QPainter painter(&image);
                drawFloorPage(painter, doc, p, 1.0 / 15);
            }
            image.save(dir.filePath(QStringLiteral("floor-%1.png").arg(p + 1)), "PNG");
        }
    }
    setPagesPerSecond(state);
}

// The drawing alone, without the PNG encoding that dominates the PNG export.
void BM_RenderImage(benchmark::State &state)
{
    ReportDocument doc = invoiceReport();
    QImage image(qRound(kA4Width / 15), qRound(kA4Height / 15), QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (auto _ : state) {
        for (int p = 0; p < kPages; ++p) {
            DeviceContext context(&image);
            renderPage(doc, context, p, { .view = RenderView::Print });
        }
    }
    setPagesPerSecond(state);
}

void BM_FloorImage(benchmark::State &state)
{
    const ReportDocument doc = invoiceReport();
    QImage image(qRound(kA4Width / 15), qRound(kA4Height / 15), QImage::Format_RGB32);
    for (auto _ : state) {
        for (int p = 0; p < kPages; ++p) {
            QPainter painter(&image);
            drawFloorPage(painter, doc, p, 1.0 / 15);
        }
    }
    setPagesPerSecond(state);
}

} // namespace

BENCHMARK(BM_RenderPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_FloorPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_RenderPng)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_FloorPng)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_RenderImage)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_FloorImage)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
