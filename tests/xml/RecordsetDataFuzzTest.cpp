// Random, mutated, huge and pathologically nested data texts and structures
// through the record-set reader and writer: each read ends with records or a
// zet::Error, never a crash or a hang, and the records it builds are
// consistent.

#include "xml/RecordsetData.h"

#include "xml/ElementReader.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace zet {
namespace {

const QString kStructure = QStringLiteral(
    "<RecordsetStruct0><RecordsetStructName0>Report</RecordsetStructName0>"
    "<Field0><FieldName0>Titolo</FieldName0></Field0>"
    "<RecordsetStruct1><RecordsetStructName1>Gruppo</RecordsetStructName1>"
    "<Field1><FieldName1>Nome</FieldName1></Field1>"
    "<RecordsetStruct2><RecordsetStructName2>Riga</RecordsetStructName2>"
    "<Field2><FieldName2>Nome</FieldName2></Field2><Field2><FieldName2>Qta</FieldName2></Field2>"
    "</RecordsetStruct2></RecordsetStruct1></RecordsetStruct0>");

QString sampleData()
{
    QString data
        = QStringLiteral("<NomeFileEsportazione>out</NomeFileEsportazione><Report><Titolo>T</Titolo>");
    for (int g = 0; g < 4; ++g) {
        data += QStringLiteral("<Gruppo><Nome>g%1</Nome>").arg(g);
        for (int r = 0; r < 5; ++r)
            data += QStringLiteral("<Riga><Nome>r%1</Nome><Qta> %2 </Qta></Riga>").arg(r).arg(g * r);
        data += QStringLiteral("</Gruppo>");
    }
    return data + QStringLiteral("</Report>");
}

// Parents come before their children, one level up; values and records
// point at each other.
void expectConsistent(const ReportDocument &document)
{
    EXPECT_EQ(CursorTableSize(), 0);
    int values = 0;
    for (int r = 0; r < document.Records.size(); ++r) {
        const DataRecord &record = document.Records[r];
        ASSERT_LT(record.ParentIndex, r);
        ASSERT_GE(record.ParentIndex, -1);
        EXPECT_EQ(
            record.Level, record.ParentIndex == -1 ? 0 : document.Records[record.ParentIndex].Level + 1);
        for (int v : record.ValueIndexes) {
            ASSERT_LT(v, document.Values.size());
            EXPECT_EQ(document.Values[v].RecordIndex, r);
            EXPECT_EQ(document.Values[v].Value, document.Values[v].LoadedValue);
        }
        values += int(record.ValueIndexes.size());
    }
    EXPECT_EQ(values, document.Values.size());
}

// Reads and writes back; returns the error number, 0 when it read.
int readAndCheck(const QString &structure, const QString &data, ReportDocument &document)
{
    QString text = data;
    try {
        ReadData(document, structure, text);
    } catch (const Error &error) {
        EXPECT_EQ(CursorTableSize(), 0);
        return error.number();
    }
    expectConsistent(document);
    const QString written = DataToText(document);
    EXPECT_GE(written.size(), 0);
    return 0;
}

int readAndCheck(const QString &structure, const QString &data)
{
    ReportDocument document;
    return readAndCheck(structure, data, document);
}

QString mutated(const QString &text, QRandomGenerator &random)
{
    static const QStringList pieces = { "<", ">", "</", "<Riga>", "</Riga>", "<gruppo>", "</GRUPPO>",
        "<Nome>", "</Nome>", "<Field2>", "<RecordsetStruct2>", "<RecordsetStructName1>", " " };
    QString result = text;
    const int edits = random.bounded(1, 6);
    for (int e = 0; e < edits && !result.isEmpty(); ++e) {
        const qsizetype at = random.bounded(result.size());
        const qsizetype length = std::min<qsizetype>(random.bounded(1, 40), result.size() - at);
        switch (random.bounded(5)) {
        case 0:
            result.remove(at, length);
            break;
        case 1:
            result.insert(at, result.mid(at, length));
            break;
        case 2:
            result.insert(at, pieces[random.bounded(int(pieces.size()))]);
            break;
        case 3:
            result[at] = QChar(char16_t(random.bounded(0x10000)));
            break;
        default:
            result.truncate(at);
            break;
        }
    }
    return result;
}

TEST(RecordsetDataFuzz, MutatedDataReadsOrFailsCleanly)
{
    const QString data = sampleData();
    {
        ReportDocument document;
        ASSERT_EQ(readAndCheck(kStructure, data, document), 0);
        ASSERT_EQ(document.Records.size(), 1 + 4 + 20);
    }
    QRandomGenerator random(3);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(readAndCheck(kStructure, mutated(data, random)), 0);
    }
}

TEST(RecordsetDataFuzz, MutatedStructuresReadOrFailCleanly)
{
    const QString data = sampleData();
    QRandomGenerator random(4);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        const QString structure = mutated(kStructure, random);
        EXPECT_EQ(readAndCheck(structure, data), 0);
        EXPECT_EQ(readAndCheck(structure, QString()), 0);
    }
}

TEST(RecordsetDataFuzz, AbsurdShapesEndInAResultOrAnError)
{
    const QString huge(20 * 1024 * 1024, QLatin1Char('v'));
    QString deepStructure;
    for (int level = 0; level < 10000; ++level)
        deepStructure
            += QStringLiteral("<RecordsetStruct%1><RecordsetStructName%1>L%1</RecordsetStructName%1>")
                   .arg(level);
    for (int level = 9999; level >= 0; --level)
        deepStructure += QStringLiteral("</RecordsetStruct%1>").arg(level);
    QString deepData;
    for (int level = 0; level < 10000; ++level)
        deepData += QStringLiteral("<L%1>").arg(level);
    for (int level = 9999; level >= 0; --level)
        deepData += QStringLiteral("</L%1>").arg(level);
    const struct
    {
        const char *what;
        QString structure;
        QString data;
        int error; // 0: reads
        int records;
    } cases[] = {
        { "a 20 MB value", kStructure,
            "<Report><Titolo>" + huge + "</Titolo><Gruppo><Riga><Qta>" + huge
                + "</Qta></Riga></Gruppo></Report>",
            0, 3 },
        { "10,000 nested records of one level", kStructure,
            "<Report>" + QStringLiteral("<Gruppo><Nome>x</Nome>").repeated(10000)
                + QStringLiteral("</Gruppo>").repeated(10000) + "</Report>",
            0, 2 },
        { "10,000 records without closing tags", kStructure,
            "<Report>" + QStringLiteral("<Gruppo><Riga><Nome>x</Nome>").repeated(10000) + "</Report>", 0, 1 },
        { "10,000 structure levels", deepStructure, deepData, 28, 0 },
        { "10,000 structure levels without data", deepStructure, QString(), 28, 0 },
        { "10,000 structure levels and shallow data", deepStructure, "<L0><L1></L1></L0>", 0, 2 },
        { "only opening tags", kStructure, QStringLiteral("<Report><Gruppo><Riga>").repeated(3000), 0, 0 },
        { "binary data", kStructure, QString(100000, QChar(0xFFFF)), 0, 0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ReportDocument document;
        EXPECT_EQ(readAndCheck(c.structure, c.data, document), c.error);
        if (c.error == 0) {
            EXPECT_EQ(document.Records.size(), c.records);
        }
    }
}

} // namespace
} // namespace zet
