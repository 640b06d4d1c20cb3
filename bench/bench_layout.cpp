// Layout of generated reports: a data header and footer per group of 50 rows,
// 10,000 to 1,000,000 rows. The header is repeated with its values on every
// page a row starts, the footer is continued at each page end, and the body
// fills the free space of the last page, so every path of the layout runs.

#include "layout/PageLayout.h"

#include <QHash>
#include <benchmark/benchmark.h>

namespace {

using namespace zet;

constexpr int kRowsPerGroup = 50;

ReportBand band(BandKind kind, double height, int level = -1)
{
    ReportBand slot;
    slot.visible = kind != BandKind::Unused;
    slot.kind = kind;
    slot.height = height;
    slot.dataLevel = level;
    return slot;
}

int addObject(ReportDocument &doc, ReportBand &slot, const QString &dataSource)
{
    ReportObject object;
    object.controlType = ControlType::Text;
    object.dataSource = dataSource;
    doc.objects.append(object);
    slot.objectIndexes.append(int(doc.objects.size() - 1));
    return slot.objectIndexes.last();
}

// The band table a template with page header and footer, report header and
// footer, data header (NewPage 2), body (Repeat 1) and data footer (NewPage 1)
// loads into, linked as the loader links it.
void addBands(ReportDocument &doc)
{
    doc.pageHeight = 16838;
    doc.bands = { band(BandKind::Unused, 0), band(BandKind::TopMargin, 500), band(BandKind::PageHeader, 800),
        band(BandKind::ReportHeader, 1000), band(BandKind::Unused, 0), band(BandKind::Data, 600, 1),
        band(BandKind::Data, 300, 2), band(BandKind::Data, 400, 1), band(BandKind::Unused, 0),
        band(BandKind::ReportFooter, 1000), band(BandKind::PageFooter, 600),
        band(BandKind::BottomMargin, 500) };
    QList<ReportBand> &b = doc.bands;
    b[5].newPage = NewPageMode::WithValues;
    b[5].recordsetName = b[7].recordsetName = QStringLiteral("Gruppo");
    b[6].recordsetName = QStringLiteral("Riga");
    b[6].repeat = 1;
    b[7].newPage = NewPageMode::WithoutValues;
    b[5].linkNext = b[6].linkNext = 7;
    b[5].linkHeight = b[6].linkHeight = 400;
    b[6].linkPrev = b[7].linkPrev = 5;
    addObject(doc, b[2], QStringLiteral("[SYS]"));
    addObject(doc, b[5], QStringLiteral("Gruppo.[Nome]"));
    addObject(doc, b[5], QStringLiteral("[SYS]"));
    for (const char *field : { "Riga.[Nome]", "Riga.[Importo]", "Riga.[Data]", "[SYS]" })
        addObject(doc, b[6], QString::fromLatin1(field));
    addObject(doc, b[7], QStringLiteral("Gruppo.[Totale]"));
    addObject(doc, b[7], QStringLiteral("[SYS]"));
    addObject(doc, b[10], QStringLiteral("[SYS]"));
}

int addRecord(
    ReportDocument &doc, int parent, int level, const QString &name, const QStringList &fields, int n)
{
    DataRecord record { parent, level, name, QString(), {} };
    const int index = int(doc.records.size());
    for (const QString &field : fields) {
        record.valueIndexes.append(int(doc.values.size()));
        const QString text = field + QLatin1Char(' ') + QString::number(n);
        doc.values.append({ index, fieldIndexOf(doc, field), text });
    }
    doc.records.append(record);
    return index;
}

const ReportDocument &report(int rows)
{
    static QHash<int, ReportDocument> documents;
    ReportDocument &doc = documents[rows];
    if (doc.bands.isEmpty()) {
        addBands(doc);
        const int root = addRecord(doc, -1, 0, QStringLiteral("Report"), {}, 0);
        const QStringList groupFields { QStringLiteral("Nome"), QStringLiteral("Totale") };
        const QStringList rowFields { QStringLiteral("Nome"), QStringLiteral("Importo"),
            QStringLiteral("Data") };
        int group = -1;
        for (int row = 0; row < rows; ++row) {
            if (row % kRowsPerGroup == 0)
                group = addRecord(doc, root, 1, QStringLiteral("Gruppo"), groupFields, row / kRowsPerGroup);
            addRecord(doc, group, 2, QStringLiteral("Riga"), rowFields, row);
        }
    }
    return doc;
}

void BM_LayOutReport(benchmark::State &state)
{
    ReportDocument doc = report(int(state.range(0)));
    qsizetype placed = 0;
    for (auto _ : state) {
        layOutReport(doc);
        placed = 0;
        for (const LaidPage &page : doc.pages)
            placed += page.placedBands.size();
    }
    state.counters["pages"] = double(doc.pages.size());
    state.counters["placed"] = double(placed);
    state.counters["waiting"] = double(doc.dataPlacements.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_LayOutReport)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
