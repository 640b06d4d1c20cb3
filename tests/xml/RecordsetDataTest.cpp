#include "xml/RecordsetData.h"

#include "support/TextMutation.h"
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
    QString text;
    for (const Recordset &rs : recordsets) {
        text += QStringLiteral("<RecordsetStruct%1><RecordsetStructName%1>%2</RecordsetStructName%1>")
                    .arg(level)
                    .arg(rs.name);
        for (const QString &field : rs.fields)
            text += QStringLiteral("<Field%1><FieldName%1>%2</FieldName%1></Field%1>").arg(level).arg(field);
        text += structureText(rs.children, level + 1) + QStringLiteral("</RecordsetStruct%1>").arg(level);
    }
    return text;
}

const QString kReportRows = structureText({ { "Report", { "Titolo" }, { { "Row", { "A", "B" }, {} } } } });
const QString kGroups = structureText(
    { { "Report", { "Titolo" }, { { "Gruppo", { "Nome" }, { { "Riga", { "Nome", "Qta" }, {} } } } } } });

// Reads data and writes it back. Returns the records, as
// "Name@level^parent[field=value|...]" with "{extra content}" when there is
// any, or "error N". Checks that each record follows its parent one level
// down and that values and records point at each other.
QString read(const QString &structure, QString data, ReportDocument &&document = {})
{
    try {
        readData(document, structure, data);
    } catch (const Error &error) {
        return QStringLiteral("error %1").arg(error.number());
    }
    dataToText(document);
    QStringList records;
    qsizetype values = 0;
    for (int r = 0; r < document.records.size(); ++r) {
        const DataRecord &record = document.records[r];
        EXPECT_LT(record.parentIndex, r);
        EXPECT_EQ(record.level, record.parentIndex < 0 ? 0 : document.records[record.parentIndex].level + 1);
        QStringList fields;
        for (int index : record.valueIndexes) {
            const DataValue &value = document.values.at(index);
            EXPECT_TRUE(value.recordIndex == r && value.loadedValue == value.value);
            fields << value.fieldName + QLatin1Char('=') + value.value;
        }
        values += fields.size();
        records << QStringLiteral("%1@%2^%3[%4]%5")
                       .arg(record.structName)
                       .arg(record.level)
                       .arg(record.parentIndex)
                       .arg(fields.join(QLatin1Char('|')),
                           record.extraContent.isEmpty() ? QString() : '{' + record.extraContent + '}');
    }
    EXPECT_EQ(values, document.values.size());
    return records.join(QLatin1Char(' '));
}

// Record sets L0 > L1 > ... as a structure, or data nesting one record of
// each, or the records read from it.
QString chain(int levels, const char *open, const char *close, const char *separator = "")
{
    QStringList opens;
    QStringList closes;
    for (int level = 0; level < levels; ++level) {
        const QString l = QString::number(level);
        opens << QString::fromLatin1(open).replace("%1", l).replace("%2", QString::number(level - 1));
        closes.prepend(QString::fromLatin1(close).replace("%1", l));
    }
    return opens.join(QLatin1String(separator)) + closes.join(QString());
}
const char *const kStructOpen = "<RecordsetStruct%1><RecordsetStructName%1>L%1</RecordsetStructName%1>";
const char *const kStructClose = "</RecordsetStruct%1>";

TEST(ReadData, RecordsFollowTheStructure)
{
    const QString huge(20 * 1024 * 1024, QLatin1Char('v'));
    // Structure, data, records read.
    const std::tuple<const char *, QString, QString, QString> cases[] = {
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
            "<Report>  note <X>x</X><Row><A>1</A> riga </Row>\n </Report>",
            "Report@0^-1[Titolo=]{note <X>x</X>\n} Row@1^0[A=1|B=]{riga}" },
        { "a record without a closing tag ends its record set", kReportRows,
            "<Report><Row><A>1</A></Row><Row><A>2</A></Report>",
            "Report@0^-1[Titolo=]{<Row><A>2</A>} Row@1^0[A=1|B=]" },
        { "a field without a closing tag reads as empty", kReportRows, "<Report><Row><A>1</Row></Report>",
            "Report@0^-1[Titolo=] Row@1^0[A=|B=]{<A>1}" },
        { "a record set without a name reads no records",
            structureText({ { "", { "A" }, {} }, { "Row", { "A" }, {} } }), "<Row><A>1</A></Row>",
            "Row@0^-1[A=1]" },
        { "a 20 MB value", kReportRows, "<Report><Titolo>" + huge + "</Titolo></Report>",
            "Report@0^-1[Titolo=" + huge + "]" },
        // Levels 0 to 255 are read; a deeper structure is refused rather than
        // walked, unless the data stops early.
        { "256 levels", chain(256, kStructOpen, kStructClose), chain(256, "<L%1>", "</L%1>"),
            chain(256, "L%1@%1^%2[]", "", " ") },
        { "257 levels", chain(257, kStructOpen, kStructClose), chain(1002, "<L%1>", "</L%1>"), "error 28" },
        { "257 levels without data", chain(257, kStructOpen, kStructClose), "", "error 28" },
        { "10,000 levels and shallow data", chain(10000, kStructOpen, kStructClose),
            chain(2, "<L%1>", "</L%1>"), "L0@0^-1[] L1@1^0[]" },
    };
    for (const auto &[what, structure, data, records] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(read(structure, data), records);
    }
}

TEST(ReadData, TheDataTextLosesTheRecordsReadAndAReadReplacesTheLast)
{
    ReportDocument document;
    QString data = QStringLiteral("<Nome>f</Nome><Report><Row><A>1</A></Row></Report><Fine/>");
    readData(document, kReportRows, data);
    EXPECT_EQ(data, QStringLiteral("<Nome>f</Nome><Fine/>"));
    EXPECT_EQ(read(kReportRows, QStringLiteral("<Report><Titolo>x</Titolo></Report>"), std::move(document)),
        QStringLiteral("Report@0^-1[Titolo=x]"));
}

TEST(ReadData, MutatedDataAndStructuresReadAndWriteBack)
{
    QString data = QStringLiteral("<Report><Titolo>T</Titolo>");
    for (int g = 0; g < 4; ++g)
        data += QStringLiteral("<Gruppo><Nome>g%1</Nome>%2</Gruppo>")
                    .arg(g)
                    .arg(QStringLiteral("<Riga><Nome>r</Nome><Qta> %1 </Qta></Riga>").arg(g).repeated(5));
    data += QStringLiteral("</Report>");
    ASSERT_EQ(read(kGroups, data).count(QLatin1Char('@')), 1 + 4 + 20);
    const QStringList pieces = { "<", ">", "</", "<Riga>", "</Riga>", "<gruppo>", "</GRUPPO>", "<Nome>",
        "</Nome>", "<Field2>", "<RecordsetStruct2>", "<RecordsetStructName1>", " " };
    QRandomGenerator random(3);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        const QString structure = test::mutateText(kGroups, random, pieces);
        EXPECT_FALSE(
            read(kGroups, test::mutateText(data, random, pieces)).startsWith(QLatin1String("error")));
        EXPECT_FALSE(read(structure, data).startsWith(QLatin1String("error")));
        EXPECT_FALSE(read(structure, QString()).startsWith(QLatin1String("error")));
    }
}

TEST(NameDataBands, EachLevelTakesTheNameOfItsFirstRecord)
{
    const QString structure = structureText(
        { { "Report", {}, { { "Gruppo", {}, { { "Riga", {}, {} } } }, { "Nota", {}, {} } } } });
    for (int version : { 1, 2 }) {
        ReportDocument document;
        document.templateVersion = version;
        for (int level : { -1, 1, 2, 3, 2, 1 })
            document.bands.emplace_back().dataLevel = level;
        QString data = QStringLiteral("<Report><Nota></Nota><Gruppo><Riga></Riga></Gruppo></Report>");
        readData(document, structure, data);
        QStringList names;
        for (const ReportBand &band : std::as_const(document.bands))
            names << band.recordsetName;
        // Newer templates name their bands themselves.
        EXPECT_EQ(names.join(','), version == 1 ? QStringLiteral(",Gruppo,Riga,,Riga,Gruppo") : ",,,,,");
    }
}

TEST(DataToText, WritesRecordsWithTrimmedValuesChildrenAndExtraContentUnescaped)
{
    ReportDocument document;
    QString data = QStringLiteral("<Report><Titolo> T </Titolo> coda <Row><A>1</A><B> 2</B>x</Row>"
                                  "<Row><A>3</A></Row></Report><Report></Report><Nome>f</Nome>");
    readData(document, kReportRows, data);
    document.values[3].value = QStringLiteral(" a < b & c ");
    EXPECT_EQ(dataToText(document),
        QStringLiteral("<Report><Titolo>T</Titolo><Row><A>1</A><B>2</B>x</Row>"
                       "<Row><A>a < b & c</A><B></B></Row>coda</Report><Report><Titolo></Titolo></Report>"));
}

// The writer's rule taken literally: the children of parent are the records
// after it, up to the first one not deeper than it, whose parent it is.
void writeLiterally(const ReportDocument &document, int parent, QString &out)
{
    const int parentLevel = parent == -1 ? -1 : document.records[parent].level;
    for (int i = parent + 1; i < document.records.size() && document.records[i].level > parentLevel; ++i) {
        const DataRecord &record = document.records[i];
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
        for (int i = 0; i < count; ++i)
            addRecord(document, random.bounded(count + 2) - 2, random.bounded(5) - 1, QString::number(i));
        for (DataRecord &record : document.records)
            record.extraContent = QStringLiteral("e");
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
