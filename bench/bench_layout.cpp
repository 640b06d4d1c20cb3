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

ReportBand band(int kind, double height, int level = -1)
{
    ReportBand slot;
    slot.Visible = kind != kBandUnused;
    slot.Kind = kind;
    slot.Height = height;
    slot.DataLevel = level;
    return slot;
}

int addObject(ReportDocument &doc, ReportBand &slot, const QString &dataSource)
{
    ReportObject object;
    object.ControlType = kControlText;
    object.DataSource = dataSource;
    doc.Objects.append(object);
    slot.ObjectIndexes.append(int(doc.Objects.size() - 1));
    return slot.ObjectIndexes.last();
}

// The band table a template with page header and footer, report header and
// footer, data header (NewPage 2), body (Repeat 1) and data footer (NewPage 1)
// loads into, linked as the loader links it.
void addBands(ReportDocument &doc)
{
    doc.PageHeight = 16838;
    doc.Bands = { band(kBandUnused, 0), band(kBandTopMargin, 500), band(kBandPageHeader, 800),
        band(kBandReportHeader, 1000), band(kBandUnused, 0), band(kBandData, 600, 1), band(kBandData, 300, 2),
        band(kBandData, 400, 1), band(kBandUnused, 0), band(kBandReportFooter, 1000),
        band(kBandPageFooter, 600), band(kBandBottomMargin, 500) };
    QList<ReportBand> &b = doc.Bands;
    b[5].NewPage = 2;
    b[5].RecordsetName = b[7].RecordsetName = QStringLiteral("Gruppo");
    b[6].RecordsetName = QStringLiteral("Riga");
    b[6].Repeat = 1;
    b[7].NewPage = 1;
    b[5].LinkNext = b[6].LinkNext = 7;
    b[5].LinkHeight = b[6].LinkHeight = 400;
    b[6].LinkPrev = b[7].LinkPrev = 5;
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
    const int index = int(doc.Records.size());
    for (const QString &field : fields) {
        record.ValueIndexes.append(int(doc.Values.size()));
        const QString text = field + QLatin1Char(' ') + QString::number(n);
        doc.Values.append({ index, field, text, text });
    }
    doc.Records.append(record);
    return index;
}

const ReportDocument &report(int rows)
{
    static QHash<int, ReportDocument> documents;
    ReportDocument &doc = documents[rows];
    if (doc.Bands.isEmpty()) {
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
        LayOutReport(doc);
        placed = 0;
        for (const LaidPage &page : doc.Pages)
            placed += page.PlacedBands.size();
    }
    state.counters["pages"] = double(doc.Pages.size());
    state.counters["placed"] = double(placed);
    state.counters["waiting"] = double(doc.DataPlacements.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_LayOutReport)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
