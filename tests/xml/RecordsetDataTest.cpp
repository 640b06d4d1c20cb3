#include "xml/RecordsetData.h"

#include "support/TextMutation.h"
#include "xml/ElementReader.h"
#include "zetview/Error.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <tuple>

namespace zet {
namespace {

// A record set of the structure: its name, fields and nested record sets.
struct Recordset
{
    QString name;
    QStringList fields;
    QList<Recordset> children;
};

QString structureText(const QList<Recordset> &recordsets, int level = 0)
{
    const QString n = QString::number(level);
    QString text;
    for (const Recordset &rs : recordsets) {
        text += QStringLiteral("<RecordsetStruct%1><RecordsetStructName%1>%2</RecordsetStructName%1>")
                    .arg(n, rs.name);
        for (const QString &field : rs.fields)
            text += QStringLiteral("<Field%1><FieldName%1>%2</FieldName%1></Field%1>").arg(n, field);
        text += structureText(rs.children, level + 1) + QStringLiteral("</RecordsetStruct%1>").arg(n);
    }
    return text;
}

const QString kReportRows = structureText({ { "Report", { "Titolo" }, { { "Row", { "A", "B" }, {} } } } });
const QString kGroups = structureText(
    { { "Report", { "Titolo" }, { { "Gruppo", { "Nome" }, { { "Riga", { "Nome", "Qta" }, {} } } } } } });

// The records one after the other, as "Name@level^parent[field=value|...]"
// followed by "{extra content}" when there is any. Checks on the way that
// each record follows its parent one level down, that values and records
// point at each other, and that the reader closed every cursor.
QString dump(const ReportDocument &document)
{
    EXPECT_EQ(cursorTableSize(), 0);
    QStringList records;
    qsizetype values = 0;
    for (int r = 0; r < document.records.size(); ++r) {
        const DataRecord &record = document.records[r];
        EXPECT_LT(record.parentIndex, r);
        EXPECT_EQ(
            record.level, record.parentIndex < 0 ? 0 : document.records.value(record.parentIndex).level + 1);
        QStringList fields;
        for (int index : record.valueIndexes) {
            const DataValue &value = document.values.at(index);
            EXPECT_EQ(value.recordIndex, r);
            EXPECT_EQ(value.loadedValue, value.value);
            fields << value.fieldName + QLatin1Char('=') + value.value;
        }
        values += fields.size();
        records << QStringLiteral("%1@%2^%3[%4]")
                       .arg(record.structName)
                       .arg(record.level)
                       .arg(record.parentIndex)
                       .arg(fields.join(QLatin1Char('|')))
                + (record.extraContent.isEmpty() ? QString()
                                                 : QLatin1Char('{') + record.extraContent + QLatin1Char('}'));
    }
    EXPECT_EQ(values, document.values.size());
    return records.join(QLatin1Char(' '));
}

ReportDocument read(const QString &structure, QString data)
{
    ReportDocument document;
    readData(document, structure, data);
    return document;
}

TEST(ReadData, RecordsFollowTheStructure)
{
    // Structure, data, records read.
    const std::tuple<const char *, QString, const char *, const char *> cases[] = {
        { "nested records follow their parent, values in field order", kReportRows,
            "<Report><Titolo>T</Titolo><Row><A>1</A><B>2</B></Row><Row><B>4</B><A>3</A></Row>"
            "<Row><A>5</A></Row></Report>",
            "Report@0^-1[Titolo=T] Row@1^0[A=1|B=2] Row@1^0[A=3|B=4] Row@1^0[A=5|B=]" },
        { "without data each record set gives one empty record",
            structureText({ { "Report", { "Titolo" }, { { "Row", { "A", "B" }, {} }, { "Nota", {}, {} } } },
                { "Extra", { "X" }, {} } }),
            "", "Report@0^-1[Titolo=] Row@1^0[A=|B=] Nota@1^0[] Extra@0^-1[X=]" },
        { "values keep their blanks, record names ignore case", kReportRows,
            "<REPORT><row><A>  uno </A><B>\tdue\n</B></row><Row><a>tre</a></Row></REPORT>",
            "Report@0^-1[Titolo=] Row@1^0[A=  uno |B=\tdue\n] Row@1^0[A=tre|B=]" },
        { "a field missing from a record is taken from its first nested record", kGroups,
            "<Report><Gruppo><Riga><Nome>vite</Nome><Qta>3</Qta></Riga><Riga><Nome>dado</Nome></Riga>"
            "</Gruppo></Report>",
            "Report@0^-1[Titolo=] Gruppo@1^0[Nome=vite] Riga@2^1[Nome=|Qta=3] Riga@2^1[Nome=dado|Qta=]" },
        { "leftover text becomes trimmed extra content", kReportRows,
            "<Report>  note <Sconosciuto>x</Sconosciuto><Row><A>1</A> riga </Row>\n </Report>",
            "Report@0^-1[Titolo=]{note <Sconosciuto>x</Sconosciuto>\n} Row@1^0[A=1|B=]{riga}" },
        { "a record without a closing tag ends its record set", kReportRows,
            "<Report><Row><A>1</A></Row><Row><A>2</A></Report>",
            "Report@0^-1[Titolo=]{<Row><A>2</A>} Row@1^0[A=1|B=]" },
        { "an outermost record without a closing tag", kReportRows, "<Report><Row><A>1</A></Row>", "" },
        { "a field without a closing tag reads as empty", kReportRows, "<Report><Row><A>1</Row></Report>",
            "Report@0^-1[Titolo=] Row@1^0[A=|B=]{<A>1}" },
        { "a record set without a name reads no records",
            structureText({ { "", { "A" }, {} }, { "Row", { "A" }, {} } }), "<Row><A>1</A></Row>",
            "Row@0^-1[A=1]" },
    };
    for (const auto &[what, structure, data, records] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(dump(read(structure, QString::fromUtf8(data))), QString::fromUtf8(records));
    }
}

TEST(ReadData, TheDataTextLosesTheRecordsReadAndAReadReplacesTheLast)
{
    ReportDocument document;
    QString data = QStringLiteral(
        "<NomeFileEsportazione>f</NomeFileEsportazione><Report><Row><A>1</A></Row></Report><Fine/>");
    readData(document, kReportRows, data);
    EXPECT_EQ(data, QStringLiteral("<NomeFileEsportazione>f</NomeFileEsportazione><Fine/>"));
    QString second = QStringLiteral("<Report><Titolo>x</Titolo></Report>");
    readData(document, kReportRows, second);
    EXPECT_EQ(dump(document), QStringLiteral("Report@0^-1[Titolo=x]"));
}

// Reads a copy of data, checks the records (see dump) and writes them back.
// Returns the error number, 0 when it read, and the number of records read.
int readAndCheck(const QString &structure, const QString &data, qsizetype *records = nullptr)
{
    ReportDocument document;
    QString text = data;
    try {
        readData(document, structure, text);
    } catch (const Error &error) {
        EXPECT_EQ(cursorTableSize(), 0);
        if (error.number() == 28) {
            EXPECT_EQ(error.message(), QStringLiteral("Out of stack space"));
        }
        return error.number();
    }
    dump(document);
    dataToText(document);
    if (records)
        *records = document.records.size();
    return 0;
}

QString mutated(const QString &text, QRandomGenerator &random)
{
    static const QStringList pieces = { "<", ">", "</", "<Riga>", "</Riga>", "<gruppo>", "</GRUPPO>",
        "<Nome>", "</Nome>", "<Field2>", "<RecordsetStruct2>", "<RecordsetStructName1>", " " };
    return test::mutateText(text, random, pieces);
}

TEST(ReadDataFuzz, MutatedDataAndStructuresRead)
{
    QString data
        = QStringLiteral("<NomeFileEsportazione>out</NomeFileEsportazione><Report><Titolo>T</Titolo>");
    for (int g = 0; g < 4; ++g) {
        data += QStringLiteral("<Gruppo><Nome>g%1</Nome>").arg(g);
        for (int r = 0; r < 5; ++r)
            data += QStringLiteral("<Riga><Nome>r%1</Nome><Qta> %2 </Qta></Riga>").arg(r).arg(g * r);
        data += QStringLiteral("</Gruppo>");
    }
    data += QStringLiteral("</Report>");
    qsizetype records = 0;
    ASSERT_EQ(readAndCheck(kGroups, data, &records), 0);
    ASSERT_EQ(records, 1 + 4 + 20);
    QRandomGenerator random(3);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(readAndCheck(kGroups, mutated(data, random)), 0);
        const QString structure = mutated(kGroups, random);
        EXPECT_EQ(readAndCheck(structure, data), 0);
        EXPECT_EQ(readAndCheck(structure, QString()), 0);
    }
}

// Record sets L0 > L1 > ... as a structure, or data nesting one record of each.
QString chain(int levels, bool structure)
{
    QString text;
    for (int level = 0; level < levels; ++level)
        text += structure
            ? QStringLiteral("<RecordsetStruct%1><RecordsetStructName%1>L%1</RecordsetStructName%1>")
                  .arg(level)
            : QStringLiteral("<L%1>").arg(level);
    for (int level = levels - 1; level >= 0; --level)
        text += structure ? QStringLiteral("</RecordsetStruct%1>").arg(level)
                          : QStringLiteral("</L%1>").arg(level);
    return text;
}

// Levels 0 to 255 are read; a structure nested deeper is refused with error
// 28 rather than walked, unless the data stops early.
TEST(ReadDataFuzz, AbsurdShapesEndInAResultOrAnError)
{
    const QString huge(20 * 1024 * 1024, QLatin1Char('v'));
    const QString deep = chain(10000, true);
    // Structure, data, error number (0: reads), records read.
    const std::tuple<const char *, QString, QString, int, qsizetype> cases[] = {
        { "a 20 MB value", kGroups,
            "<Report><Titolo>" + huge + "</Titolo><Gruppo><Riga><Qta>" + huge
                + "</Qta></Riga></Gruppo></Report>",
            0, 3 },
        { "10,000 nested records of one level", kGroups,
            "<Report>" + QStringLiteral("<Gruppo><Nome>x</Nome>").repeated(10000)
                + QStringLiteral("</Gruppo>").repeated(10000) + "</Report>",
            0, 2 },
        { "10,000 records without closing tags", kGroups,
            "<Report>" + QStringLiteral("<Gruppo><Riga><Nome>x</Nome>").repeated(10000) + "</Report>", 0, 1 },
        { "only opening tags", kGroups, QStringLiteral("<Report><Gruppo><Riga>").repeated(3000), 0, 0 },
        { "binary data", kGroups, QString(100000, QChar(0xFFFF)), 0, 0 },
        { "256 structure levels", chain(256, true), chain(256, false), 0, 256 },
        { "257 structure levels", chain(257, true), chain(1002, false), 28, 0 },
        { "257 structure levels without data", chain(257, true), QString(), 28, 0 },
        { "10,000 structure levels", deep, chain(10000, false), 28, 0 },
        { "10,000 structure levels and shallow data", deep, chain(2, false), 0, 2 },
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

TEST(NameDataBands, EachLevelTakesTheNameOfItsFirstRecord)
{
    const QString structure = structureText(
        { { "Report", {}, { { "Gruppo", {}, { { "Riga", {}, {} } } }, { "Nota", {}, {} } } } });
    for (int version : { 1, 2 }) {
        SCOPED_TRACE(version);
        ReportDocument document;
        document.templateVersion = version;
        for (int level : { -1, 1, 2, 3, 2, 1 }) {
            document.bands.append(ReportBand());
            document.bands.last().dataLevel = level;
        }
        QString data = QStringLiteral("<Report><Nota></Nota><Gruppo><Riga></Riga></Gruppo></Report>");
        readData(document, structure, data);
        QStringList names;
        for (const ReportBand &band : std::as_const(document.bands))
            names << band.recordsetName;
        // Newer templates name their bands themselves.
        EXPECT_EQ(names.join(QLatin1Char(',')),
            version == 1 ? QStringLiteral(",Gruppo,Riga,,Riga,Gruppo") : QStringLiteral(",,,,,"));
    }
}

TEST(DataToText, WritesRecordsWithTrimmedValuesChildrenAndExtraContentUnescaped)
{
    ReportDocument document = read(kReportRows,
        QStringLiteral("<Report><Titolo> T </Titolo> coda <Row><A>1</A><B> 2</B>x</Row>"
                       "<Row><A>3</A></Row></Report><Report></Report>"
                       "<NomeFileEsportazione>f</NomeFileEsportazione>"));
    document.values[3].value = QStringLiteral(" a < b & c ");
    EXPECT_EQ(dataToText(document),
        QStringLiteral("<Report><Titolo>T</Titolo><Row><A>1</A><B>2</B>x</Row>"
                       "<Row><A>a < b & c</A><B></B></Row>coda</Report>"
                       "<Report><Titolo></Titolo></Report>"));
}

// The writer's rule taken literally: the children of parent are the records
// after it, up to the first one not deeper than it, whose parent it is.
void writeLiterally(const ReportDocument &document, int parent, QString &out)
{
    const int parentLevel = parent == -1 ? -1 : document.records[parent].level;
    for (int i = parent + 1; i < document.records.size(); ++i) {
        const DataRecord &record = document.records[i];
        if (record.level <= parentLevel)
            break;
        if (record.parentIndex != parent)
            continue;
        out += QLatin1Char('<') + record.structName + QLatin1Char('>');
        writeLiterally(document, i, out);
        out += record.extraContent + QLatin1String("</") + record.structName + QLatin1Char('>');
    }
}

TEST(DataToText, AnyRecordListIsWrittenAsItsNestingRuleSays)
{
    QRandomGenerator random(11);
    for (int round = 0; round < 300; ++round) {
        ReportDocument document;
        const int count = random.bounded(12);
        for (int i = 0; i < count; ++i) {
            addRecord(document, random.bounded(count + 2) - 2, random.bounded(5) - 1, QString::number(i));
            document.records[i].extraContent = QStringLiteral("e");
        }
        QString expected;
        writeLiterally(document, -1, expected);
        ASSERT_EQ(dataToText(document), expected) << "round " << round;
    }

    // Deep nesting is written without recursion.
    ReportDocument deep;
    for (int level = 0; level < 100000; ++level)
        addRecord(deep, level - 1, level, QStringLiteral("n"));
    EXPECT_EQ(
        dataToText(deep), QStringLiteral("<n>").repeated(100000) + QStringLiteral("</n>").repeated(100000));
}

} // namespace
} // namespace zet
