// Reading and writing record-set data of 10,000, 100,000 and 1,000,000 rows:
// an outermost report record holding groups of 50 rows, five fields per row.
// BM_DataToTextFile writes the data of a template and data file pair named
// by ZET_BENCH_TEMPLATE and ZET_BENCH_DATA (e.g. examples/registro.zet and the
// output of "bench/generate_data.py registro 100000").

#include "template/TemplateLoader.h"
#include "xml/RecordsetData.h"

#include <QFile>
#include <QHash>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRowsPerGroup = 50;

const QString kStructure
    = QStringLiteral("<RecordsetStruct0><RecordsetStructName0>Report</RecordsetStructName0>"
                     "<Field0><FieldName0>Titolo</FieldName0></Field0>"
                     "<RecordsetStruct1><RecordsetStructName1>Gruppo</RecordsetStructName1>"
                     "<Field1><FieldName1>Cliente</FieldName1></Field1>"
                     "<RecordsetStruct2><RecordsetStructName2>Riga</RecordsetStructName2>"
                     "<Field2><FieldName2>Codice</FieldName2></Field2>"
                     "<Field2><FieldName2>Descrizione</FieldName2></Field2>"
                     "<Field2><FieldName2>Quantita</FieldName2></Field2>"
                     "<Field2><FieldName2>Prezzo</FieldName2></Field2>"
                     "<Field2><FieldName2>Data</FieldName2></Field2>"
                     "</RecordsetStruct2></RecordsetStruct1></RecordsetStruct0>");

// The data text for rows rows, built once per size.
const QString &dataText(int rows)
{
    static QHash<int, QString> texts;
    QString &text = texts[rows];
    if (text.isEmpty()) {
        text += QStringLiteral(
            "<NomeFileEsportazione>prova</NomeFileEsportazione><Report><Titolo>Vendite</Titolo>");
        for (int row = 0; row < rows; ++row) {
            if (row % kRowsPerGroup == 0)
                text += QStringLiteral("<Gruppo><Cliente>Cliente %1</Cliente>").arg(row / kRowsPerGroup);
            text += QStringLiteral(
                "<Riga><Codice>A%1</Codice><Descrizione>Articolo numero %1</Descrizione>"
                "<Quantita>%2</Quantita><Prezzo>%3,50</Prezzo><Data>2026-12-06</Data></Riga>")
                        .arg(row)
                        .arg(row % 17)
                        .arg(row % 977);
            if (row % kRowsPerGroup == kRowsPerGroup - 1 || row == rows - 1)
                text += QStringLiteral("</Gruppo>");
        }
        text += QStringLiteral("</Report>");
    }
    return text;
}

void BM_ReadData(benchmark::State &state)
{
    const int rows = int(state.range(0));
    const QString &text = dataText(rows);
    for (auto _ : state) {
        zet::ReportDocument document;
        QString data = text; // the reader takes the records out of its text
        zet::readData(document, kStructure, data);
        if (document.records.size() != 1 + rows + (rows + kRowsPerGroup - 1) / kRowsPerGroup)
            state.SkipWithError("wrong record count");
        benchmark::DoNotOptimize(document.values.size());
        state.PauseTiming(); // releasing the document is not reading
        document = zet::ReportDocument();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["characters"] = double(text.size());
}

void BM_DataToText(benchmark::State &state)
{
    const int rows = int(state.range(0));
    zet::ReportDocument document;
    QString data = dataText(rows);
    zet::readData(document, kStructure, data);
    qsizetype written = 0;
    for (auto _ : state) {
        const QString out = zet::dataToText(document);
        written = out.size();
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetItemsProcessed(state.iterations() * rows);
    state.SetBytesProcessed(state.iterations() * written);
    state.counters["characters"] = double(written);
}

QString fileText(const char *variable)
{
    QFile file(qEnvironmentVariable(variable));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void BM_DataToTextFile(benchmark::State &state)
{
    const QString templateText = fileText("ZET_BENCH_TEMPLATE");
    QString data = fileText("ZET_BENCH_DATA");
    if (templateText.isEmpty() || data.isEmpty()) {
        state.SkipWithError("ZET_BENCH_TEMPLATE and ZET_BENCH_DATA name no readable files");
        return;
    }
    zet::ReportDocument document;
    zet::loadTemplate(document, templateText);
    zet::readData(document, document.recordsetStruct, data);
    qsizetype written = 0;
    for (auto _ : state) {
        const QString out = zet::dataToText(document);
        written = out.size();
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(state.iterations() * written);
    state.counters["records"] = double(document.records.size());
    state.counters["characters"] = double(written);
}

} // namespace

BENCHMARK(BM_ReadData)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DataToText)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DataToTextFile)->Unit(benchmark::kMillisecond);
