// Random, mutated, huge and pathologically nested data texts and structures
// through the record-set reader and writer: each read ends with records or a
// zet::Error, never a crash or a hang, and the records it builds are
// consistent.

#include "xml/RecordsetData.h"

#include "xml/ElementReader.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <tuple>

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

// Reads, checks that parents come before their children one level up and
// that values and records point at each other, and writes back. Returns the
// error number, 0 when it read, and the number of records in *records.
int readAndCheck(const QString &structure, const QString &data, qsizetype *records = nullptr)
{
    ReportDocument document;
    QString text = data;
    try {
        ReadData(document, structure, text);
    } catch (const Error &error) {
        EXPECT_EQ(CursorTableSize(), 0);
        if (error.number() == 28) {
            EXPECT_EQ(error.message(), QStringLiteral("Out of stack space"));
        }
        return error.number();
    }
    EXPECT_EQ(CursorTableSize(), 0);
    qsizetype values = 0;
    for (int r = 0; r < document.Records.size(); ++r) {
        const DataRecord &record = document.Records[r];
        EXPECT_LT(record.ParentIndex, r);
        EXPECT_EQ(record.Level, record.ParentIndex < 0 ? 0 : document.Records[record.ParentIndex].Level + 1);
        for (int v : record.ValueIndexes)
            EXPECT_EQ(document.Values.at(v).RecordIndex, r);
        values += record.ValueIndexes.size();
    }
    EXPECT_EQ(values, document.Values.size());
    DataToText(document);
    if (records)
        *records = document.Records.size();
    return 0;
}

QString mutated(const QString &text, QRandomGenerator &random)
{
    static const QStringList pieces = { "<", ">", "</", "<Riga>", "</Riga>", "<gruppo>", "</GRUPPO>",
        "<Nome>", "</Nome>", "<Field2>", "<RecordsetStruct2>", "<RecordsetStructName1>", " " };
    QString result = text;
    for (int e = random.bounded(1, 6); e > 0 && !result.isEmpty(); --e) {
        const qsizetype at = random.bounded(result.size());
        const qsizetype length = std::min<qsizetype>(random.bounded(1, 40), result.size() - at);
        const int kind = random.bounded(5);
        if (kind == 0)
            result.remove(at, length);
        else if (kind == 1)
            result.insert(at, result.mid(at, length));
        else if (kind == 2)
            result.insert(at, pieces[random.bounded(int(pieces.size()))]);
        else if (kind == 3)
            result[at] = QChar(char16_t(random.bounded(0x10000)));
        else
            result.truncate(at);
    }
    return result;
}

TEST(RecordsetDataFuzz, MutatedDataAndStructuresRead)
{
    const QString data = sampleData();
    qsizetype records = 0;
    ASSERT_EQ(readAndCheck(kStructure, data, &records), 0);
    ASSERT_EQ(records, 1 + 4 + 20);
    QRandomGenerator random(3);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(readAndCheck(kStructure, mutated(data, random)), 0);
        const QString structure = mutated(kStructure, random);
        EXPECT_EQ(readAndCheck(structure, data), 0);
        EXPECT_EQ(readAndCheck(structure, QString()), 0);
    }
}

// A structure of record sets L0 > L1 > ... and data nesting one record of
// each of the first dataLevels of them.
QString chainStructure(int levels)
{
    QString text;
    for (int level = 0; level < levels; ++level)
        text += QStringLiteral("<RecordsetStruct%1><RecordsetStructName%1>L%1</RecordsetStructName%1>")
                    .arg(level);
    for (int level = levels - 1; level >= 0; --level)
        text += QStringLiteral("</RecordsetStruct%1>").arg(level);
    return text;
}

QString chainData(int levels)
{
    QString data;
    for (int level = 0; level < levels; ++level)
        data += QStringLiteral("<L%1>").arg(level);
    for (int level = levels - 1; level >= 0; --level)
        data += QStringLiteral("</L%1>").arg(level);
    return data;
}

// Levels 0 to 255 are read; a structure nested deeper is refused with error
// 28 rather than walked, unless the data stops early.
TEST(RecordsetDataFuzz, AbsurdShapesEndInAResultOrAnError)
{
    const QString huge(20 * 1024 * 1024, QLatin1Char('v'));
    const QString deep = chainStructure(10000);
    // Structure, data, error number (0: reads), records read.
    const std::tuple<const char *, QString, QString, int, qsizetype> cases[] = {
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
        { "only opening tags", kStructure, QStringLiteral("<Report><Gruppo><Riga>").repeated(3000), 0, 0 },
        { "binary data", kStructure, QString(100000, QChar(0xFFFF)), 0, 0 },
        { "256 structure levels", chainStructure(256), chainData(256), 0, 256 },
        { "257 structure levels", chainStructure(257), chainData(1002), 28, 0 },
        { "257 structure levels without data", chainStructure(257), QString(), 28, 0 },
        { "10,000 structure levels", deep, chainData(10000), 28, 0 },
        { "10,000 structure levels and shallow data", deep, chainData(2), 0, 2 },
    };
    for (const auto &[what, structure, data, error, records] : cases) {
        SCOPED_TRACE(what);
        qsizetype read = -1;
        EXPECT_EQ(readAndCheck(structure, data, &read), error);
        if (error == 0) {
            EXPECT_EQ(read, records);
        }
    }
}

} // namespace
} // namespace zet
