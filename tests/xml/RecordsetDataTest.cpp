#include "xml/RecordsetData.h"

#include "xml/ElementReader.h"

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
        text += structureText(rs.children, level + 1) + QStringLiteral("</RecordsetStruct%1>").arg(n);
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

// The records one after the other, as "Name@level^parent[field=value|...]"
// followed by "{extra content}" when there is any.
QString dump(const ReportDocument &document)
{
    QStringList records;
    for (int r = 0; r < document.Records.size(); ++r) {
        const DataRecord &record = document.Records[r];
        QStringList values;
        for (int index : record.ValueIndexes) {
            const DataValue &value = document.Values[index];
            EXPECT_EQ(value.RecordIndex, r);
            EXPECT_EQ(value.LoadedValue, value.Value);
            values << value.FieldName + QLatin1Char('=') + value.Value;
        }
        records << QStringLiteral("%1@%2^%3[%4]")
                       .arg(record.StructName)
                       .arg(record.Level)
                       .arg(record.ParentIndex)
                       .arg(values.join(QLatin1Char('|')))
                + (record.ExtraContent.isEmpty() ? QString()
                                                 : QLatin1Char('{') + record.ExtraContent + QLatin1Char('}'));
    }
    return records.join(QLatin1Char(' '));
}

TEST(ReadData, RecordsFollowTheStructure)
{
    const QString groupRows
        = structureText({ { "Gruppo", { "Nome" }, { { "Riga", { "Nome", "Qta" }, {} } } } });
    const struct
    {
        const char *what;
        QString structure;
        const char *data;
        const char *records;
    } cases[] = {
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
        { "a field missing from a record is taken from its first nested record", groupRows,
            "<Gruppo><Riga><Nome>vite</Nome><Qta>3</Qta></Riga><Riga><Nome>dado</Nome><Qta>4</Qta></Riga>"
            "</Gruppo>",
            "Gruppo@0^-1[Nome=vite] Riga@1^0[Nome=|Qta=3] Riga@1^0[Nome=dado|Qta=4]" },
        { "leftover text becomes trimmed extra content", kReportRows,
            "<Report>  note <Sconosciuto>x</Sconosciuto><Row><A>1</A> riga </Row>\n </Report>",
            "Report@0^-1[Titolo=]{note <Sconosciuto>x</Sconosciuto>\n} Row@1^0[A=1|B=]{riga}" },
        { "a record without a closing tag ends its record set", kReportRows,
            "<Report><Row><A>1</A></Row><Row><A>2</A></Report>",
            "Report@0^-1[Titolo=]{<Row><A>2</A>} Row@1^0[A=1|B=]" },
        { "an outermost record without a closing tag", kReportRows, "<Report><Row><A>1</A></Row>", "" },
        { "a field without a closing tag reads as empty", kReportRows, "<Report><Row><A>1</Row></Report>",
            "Report@0^-1[Titolo=] Row@1^0[A=|B=]{<A>1}" },
        { "no record at all", kReportRows, "<Altro>1</Altro>", "" },
        { "a record set without a name reads no records",
            structureText({ { "", { "A" }, {} }, { "Row", { "A" }, {} } }), "<Row><A>1</A></Row>",
            "Row@0^-1[A=1]" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(dump(read(c.structure, QString::fromUtf8(c.data))), QString::fromUtf8(c.records));
        EXPECT_EQ(CursorTableSize(), 0);
    }
}

TEST(ReadData, TheDataTextLosesTheRecordsReadAndAReadReplacesTheLast)
{
    ReportDocument document;
    QString data = QStringLiteral(
        "<NomeFileEsportazione>f</NomeFileEsportazione><Report><Row><A>1</A></Row></Report><Fine/>");
    ReadData(document, kReportRows, data);
    EXPECT_EQ(data, QStringLiteral("<NomeFileEsportazione>f</NomeFileEsportazione><Fine/>"));
    QString second = QStringLiteral("<Report><Titolo>x</Titolo></Report>");
    ReadData(document, kReportRows, second);
    EXPECT_EQ(dump(document), QStringLiteral("Report@0^-1[Titolo=x]"));
    EXPECT_EQ(document.Values.size(), 1);
}

TEST(NameDataBands, EachLevelTakesTheNameOfItsFirstRecord)
{
    const QString structure = structureText(
        { { "Report", {}, { { "Gruppo", {}, { { "Riga", {}, {} } } }, { "Nota", {}, {} } } } });
    for (int version : { 1, 2 }) {
        SCOPED_TRACE(version);
        ReportDocument document;
        document.TemplateVersion = version;
        for (int level : { -1, 1, 2, 3, 2, 1 }) {
            document.Bands.append(ReportBand());
            document.Bands.last().DataLevel = level;
        }
        QString data = QStringLiteral("<Report><Nota></Nota><Gruppo><Riga></Riga></Gruppo></Report>");
        ReadData(document, structure, data);
        QStringList names;
        for (const ReportBand &band : std::as_const(document.Bands))
            names << band.RecordsetName;
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
    document.Values[3].Value = QStringLiteral(" a < b & c ");
    EXPECT_EQ(DataToText(document),
        QStringLiteral("<Report><Titolo>T</Titolo><Row><A>1</A><B>2</B>x</Row>"
                       "<Row><A>a < b & c</A><B></B></Row>coda</Report>"
                       "<Report><Titolo></Titolo></Report>"));
}

TEST(DataToText, DeepNestingIsWrittenWithoutRecursion)
{
    ReportDocument document;
    const int depth = 100000;
    for (int level = 0; level < depth; ++level)
        AddRecord(document, level - 1, level, QStringLiteral("n"));
    EXPECT_EQ(
        DataToText(document), QStringLiteral("<n>").repeated(depth) + QStringLiteral("</n>").repeated(depth));
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

} // namespace
} // namespace zet
