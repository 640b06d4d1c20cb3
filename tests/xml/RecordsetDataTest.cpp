#include "xml/RecordsetData.h"

#include "xml/ElementReader.h"
#include "zetview/Error.h"

#include <gtest/gtest.h>

#include <cstdlib>

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
        text += structureText(rs.children, level + 1);
        text += QStringLiteral("</RecordsetStruct%1>").arg(n);
    }
    return text;
}

const QString kReportRows = structureText({ { "Report", { "Titolo" }, { { "Row", { "A", "B" }, {} } } } });

ReportDocument read(const QString &structure, QString data)
{
    ReportDocument document;
    ReadData(document, structure, data);
    return document;
}

QStringList valuesOf(const ReportDocument &document, int record)
{
    QStringList values;
    for (int index : document.Records[record].ValueIndexes)
        values.append(document.Values[index].Value);
    return values;
}

TEST(ReadData, NestedRecordsFollowTheirParent)
{
    const ReportDocument document = read(kReportRows,
        QStringLiteral("<Report><Titolo>T</Titolo>"
                       "<Row><A>1</A><B>2</B></Row>"
                       "<Row><B>4</B><A>3</A></Row>"
                       "<Row><A>5</A></Row></Report>"));
    ASSERT_EQ(document.Records.size(), 4);
    const struct
    {
        int parent, level;
        const char *name;
        QStringList values;
    } expected[] = {
        { -1, 0, "Report", { "T" } },
        { 0, 1, "Row", { "1", "2" } },
        { 0, 1, "Row", { "3", "4" } },
        { 0, 1, "Row", { "5", "" } },
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const DataRecord &record = document.Records[i];
        EXPECT_EQ(record.ParentIndex, expected[i].parent);
        EXPECT_EQ(record.Level, expected[i].level);
        EXPECT_EQ(record.StructName, QLatin1String(expected[i].name));
        EXPECT_EQ(valuesOf(document, i), expected[i].values);
    }
    ASSERT_EQ(document.Values.size(), 7);
    for (int i = 0; i < document.Values.size(); ++i) {
        EXPECT_EQ(document.Values[i].LoadedValue, document.Values[i].Value);
        EXPECT_EQ(document.Records[document.Values[i].RecordIndex].ValueIndexes.count(i), 1);
    }
    EXPECT_EQ(document.Values[1].FieldName, QStringLiteral("A"));
    EXPECT_EQ(document.Values[2].FieldName, QStringLiteral("B"));
}

TEST(ReadData, WithoutDataEachRecordsetGivesOneEmptyRecord)
{
    const QString structure
        = structureText({ { "Report", { "Titolo" }, { { "Row", { "A", "B" }, {} }, { "Nota", {}, {} } } },
            { "Extra", { "X" }, {} } });
    const ReportDocument document = read(structure, QString());
    ASSERT_EQ(document.Records.size(), 4);
    const QStringList names = { "Report", "Row", "Nota", "Extra" };
    const int parents[] = { -1, 0, 0, -1 };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(document.Records[i].StructName, names[i]);
        EXPECT_EQ(document.Records[i].ParentIndex, parents[i]);
    }
    EXPECT_EQ(valuesOf(document, 1), (QStringList { "", "" }));
    EXPECT_EQ(document.Values[1].FieldName, QStringLiteral("A"));
    EXPECT_EQ(document.Values.size(), 4);
}

TEST(ReadData, ValuesKeepTheirBlanksAndRecordNamesIgnoreCase)
{
    const ReportDocument document = read(kReportRows,
        QStringLiteral("<REPORT><row><A>  uno </A><B>\tdue\n</B></row>"
                       "<Row><a>tre</a></Row></REPORT>"));
    ASSERT_EQ(document.Records.size(), 3);
    EXPECT_EQ(document.Records[1].StructName, QStringLiteral("Row"));
    EXPECT_EQ(valuesOf(document, 1), (QStringList { "  uno ", "\tdue\n" }));
    EXPECT_EQ(valuesOf(document, 2), (QStringList { "tre", "" }));
}

TEST(ReadData, AFieldMissingFromARecordIsTakenFromItsFirstNestedRecord)
{
    const QString structure
        = structureText({ { "Gruppo", { "Nome" }, { { "Riga", { "Nome", "Qta" }, {} } } } });
    const ReportDocument document = read(structure,
        QStringLiteral("<Gruppo><Riga><Nome>vite</Nome><Qta>3</Qta></Riga>"
                       "<Riga><Nome>dado</Nome><Qta>4</Qta></Riga></Gruppo>"));
    ASSERT_EQ(document.Records.size(), 3);
    EXPECT_EQ(valuesOf(document, 0), (QStringList { "vite" }));
    EXPECT_EQ(valuesOf(document, 1), (QStringList { "", "3" }));
    EXPECT_EQ(valuesOf(document, 2), (QStringList { "dado", "4" }));
}

TEST(ReadData, LeftoverTextBecomesTrimmedExtraContent)
{
    const ReportDocument document = read(kReportRows,
        QStringLiteral("<Report>  note <Sconosciuto>x</Sconosciuto>"
                       "<Row><A>1</A> riga </Row>\n </Report>"));
    ASSERT_EQ(document.Records.size(), 2);
    EXPECT_EQ(document.Records[0].ExtraContent, QStringLiteral("note <Sconosciuto>x</Sconosciuto>\n"));
    EXPECT_EQ(document.Records[1].ExtraContent, QStringLiteral("riga"));
}

TEST(ReadData, TheDataTextLosesTheRecordsRead)
{
    ReportDocument document;
    QString data
        = QStringLiteral("<NomeFileEsportazione>f</NomeFileEsportazione><Report><Row><A>1</A></Row></Report>"
                         "<Fine/>");
    ReadData(document, kReportRows, data);
    EXPECT_EQ(data, QStringLiteral("<NomeFileEsportazione>f</NomeFileEsportazione><Fine/>"));
    EXPECT_EQ(CursorTableSize(), 0);
}

TEST(ReadData, MalformedRecordsEndTheirRecordset)
{
    const struct
    {
        const char *what;
        const char *data;
        int records;
    } cases[] = {
        { "record without a closing tag", "<Report><Row><A>1</A></Row><Row><A>2</A></Report>", 2 },
        { "outermost record without a closing tag", "<Report><Row><A>1</A></Row>", 0 },
        { "field without a closing tag", "<Report><Row><A>1</Row></Report>", 2 },
        { "no record at all", "<Altro>1</Altro>", 0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(read(kReportRows, QString::fromLatin1(c.data)).Records.size(), c.records);
    }
    // A field without its closing tag reads as empty.
    const ReportDocument document = read(kReportRows, QStringLiteral("<Report><Row><A>1</Row></Report>"));
    EXPECT_EQ(valuesOf(document, 1), (QStringList { "", "" }));
    EXPECT_EQ(document.Records[1].ExtraContent, QStringLiteral("<A>1"));
}

TEST(ReadData, ARecordsetWithoutANameReadsNoRecords)
{
    const QString structure = structureText({ { "", { "A" }, {} }, { "Row", { "A" }, {} } });
    const ReportDocument document = read(structure, QStringLiteral("<Row><A>1</A></Row>"));
    ASSERT_EQ(document.Records.size(), 1);
    EXPECT_EQ(document.Records[0].StructName, QStringLiteral("Row"));
}

TEST(ReadData, ReadingAgainReplacesTheRecords)
{
    ReportDocument document;
    QString first = QStringLiteral("<Report><Row><A>1</A></Row><Row/></Report>");
    ReadData(document, kReportRows, first);
    QString second = QStringLiteral("<Report><Titolo>x</Titolo></Report>");
    ReadData(document, kReportRows, second);
    ASSERT_EQ(document.Records.size(), 1);
    EXPECT_EQ(document.Values.size(), 1);
    EXPECT_EQ(document.Values[0].Value, QStringLiteral("x"));
}

// A chain of record sets L0 > L1 > ... and data nesting one record of each.
QString chainStructure(int levels)
{
    QList<Recordset> chain;
    for (int level = levels - 1; level >= 0; --level)
        chain = { { QStringLiteral("L%1").arg(level), {}, chain } };
    return structureText(chain);
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

TEST(ReadData, TooDeepAStructureIsRefused)
{
    const QString structure = chainStructure(257);
    for (const QString &data : { chainData(1002), QString() }) {
        SCOPED_TRACE(data.isEmpty() ? "without data" : "with data");
        ReportDocument document;
        QString copy = data;
        try {
            ReadData(document, structure, copy);
            ADD_FAILURE() << "no error";
        } catch (const Error &error) {
            EXPECT_EQ(error.number(), 28);
            EXPECT_EQ(error.message(), QStringLiteral("Out of stack space"));
        }
        EXPECT_EQ(CursorTableSize(), 0);
    }
    // Levels 0 to 255 are read; data that stops early needs no more.
    EXPECT_EQ(read(chainStructure(256), chainData(256)).Records.size(), 256);
    EXPECT_EQ(read(structure, chainData(5)).Records.size(), 5);
}

ReportDocument withDataBands(int version)
{
    ReportDocument document;
    document.TemplateVersion = version;
    for (int level : { -1, 1, 2, 3, 2, 1, -1 }) {
        ReportBand band;
        band.DataLevel = level;
        document.Bands.append(band);
    }
    return document;
}

TEST(NameDataBands, EachLevelTakesTheNameOfItsFirstRecord)
{
    const QString structure = structureText(
        { { "Report", {}, { { "Gruppo", {}, { { "Riga", {}, {} } } }, { "Nota", {}, {} } } } });
    ReportDocument document = withDataBands(1);
    QString data = QStringLiteral("<Report><Nota></Nota><Gruppo><Riga></Riga></Gruppo></Report>");
    ReadData(document, structure, data);
    EXPECT_EQ(document.Bands[1].RecordsetName, QStringLiteral("Gruppo"));
    EXPECT_EQ(document.Bands[5].RecordsetName, QStringLiteral("Gruppo"));
    EXPECT_EQ(document.Bands[2].RecordsetName, QStringLiteral("Riga"));
    EXPECT_EQ(document.Bands[3].RecordsetName, QString());
    EXPECT_EQ(document.Bands[0].RecordsetName, QString());

    ReportDocument newer = withDataBands(2);
    QString again = QStringLiteral("<Report><Gruppo></Gruppo></Report>");
    ReadData(newer, structure, again);
    EXPECT_EQ(newer.Bands[1].RecordsetName, QString());
}

TEST(DataToText, WritesRecordsWithTrimmedValuesChildrenAndExtraContent)
{
    const ReportDocument document = read(kReportRows,
        QStringLiteral("<Report><Titolo> T </Titolo> coda <Row><A>1</A><B> 2</B>x</Row>"
                       "<Row><A>3</A></Row></Report><Report></Report>"
                       "<NomeFileEsportazione>f</NomeFileEsportazione>"));
    EXPECT_EQ(DataToText(document),
        QStringLiteral("<Report><Titolo>T</Titolo><Row><A>1</A><B>2</B>x</Row>"
                       "<Row><A>3</A><B></B></Row>coda</Report>"
                       "<Report><Titolo></Titolo></Report>"));
}

TEST(DataToText, WritesEditedValuesWithoutEscaping)
{
    ReportDocument document = read(kReportRows, QStringLiteral("<Report><Row><A>1</A></Row></Report>"));
    document.Values[1].Value = QStringLiteral("a < b & c");
    EXPECT_EQ(DataToText(document),
        QStringLiteral("<Report><Titolo></Titolo><Row><A>a < b & c</A><B></B></Row></Report>"));
}

TEST(DataToText, ReadingTheWrittenTextGivesTheSameRecords)
{
    const QString structure
        = structureText({ { "R", { "T" }, { { "G", { "N" }, { { "D", { "X", "Y" }, {} } } } } } });
    QString data;
    for (int g = 0; g < 3; ++g) {
        data += QStringLiteral("<G><N>g%1</N>").arg(g);
        for (int d = 0; d < 4; ++d)
            data += QStringLiteral("<D><X>%1</X><Y>%2</Y></D>").arg(g).arg(d);
        data += QStringLiteral("</G>");
    }
    const ReportDocument first
        = read(structure, QStringLiteral("<R><T>t</T>") + data + QStringLiteral("</R>"));
    const QString written = DataToText(first);
    const ReportDocument second = read(structure, written);
    ASSERT_EQ(second.Records.size(), first.Records.size());
    for (int i = 0; i < first.Records.size(); ++i) {
        EXPECT_EQ(second.Records[i].ParentIndex, first.Records[i].ParentIndex);
        EXPECT_EQ(valuesOf(second, i), valuesOf(first, i));
    }
    EXPECT_EQ(DataToText(second), written);
}

TEST(DataToText, DeepNestingIsWrittenWithoutRecursion)
{
    ReportDocument document;
    const int depth = 100000;
    for (int level = 0; level < depth; ++level)
        AddRecord(document, level - 1, level, QStringLiteral("n"));
    const QString text = DataToText(document);
    EXPECT_EQ(text.size(), depth * 7);
    EXPECT_TRUE(text.startsWith(QStringLiteral("<n><n>")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("</n></n>")));
}

// The writer's rule taken literally: the children of parent are the records
// after it, up to the first one not deeper than it, whose parent it is.
void writeLiterally(const ReportDocument &document, int parent, QString &out)
{
    const int parentLevel = parent == -1 ? -1 : document.Records[parent].Level;
    for (int i = parent + 1; i < document.Records.size(); ++i) {
        const DataRecord &record = document.Records[i];
        if (record.Level <= parentLevel)
            break;
        if (record.ParentIndex != parent)
            continue;
        out += QLatin1Char('<') + record.StructName + QLatin1Char('>');
        writeLiterally(document, i, out);
        out += record.ExtraContent + QLatin1String("</") + record.StructName + QLatin1Char('>');
    }
}

TEST(DataToText, AnyRecordListIsWrittenAsItsNestingRuleSays)
{
    std::srand(11);
    for (int round = 0; round < 300; ++round) {
        ReportDocument document;
        const int count = std::rand() % 12;
        for (int i = 0; i < count; ++i) {
            const int parent = std::rand() % (count + 2) - 2;
            const int level = std::rand() % 5 - 1;
            AddRecord(document, parent, level, QString::number(i));
            document.Records[i].ExtraContent = QStringLiteral("e");
        }
        QString expected;
        writeLiterally(document, -1, expected);
        ASSERT_EQ(DataToText(document), expected) << "round " << round;
    }
}

TEST(DataToText, EmptyDocumentGivesEmptyText)
{
    EXPECT_TRUE(DataToText(ReportDocument()).isEmpty());
}

} // namespace
} // namespace zet
