#include "xml/RecordsetData.h"

#include "support/TemplateText.h"
#include "support/TextMutation.h"
#include "xml/ElementReader.h"
#include "zetview/Error.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <tuple>

namespace zet {
namespace {

// The structure text of one outermost record set and everything in it.
QString structureText(const test::RecordSet &root)
{
    return getElementValue(
        test::TemplateText().structure(root).text(), QStringLiteral("ZET_RecordsetStruct"));
}

const QString kReportRows = structureText({ "Report", { "Titolo" }, { { "Row", { "A", "B" }, {} } } });
const QString kGroups = structureText(
    { "Report", { "Titolo" }, { { "Gruppo", { "Nome" }, { { "Riga", { "Nome", "Qta" }, {} } } } } });

// Reads data, writes it back and returns the records read, as
// "Name@level^parent[field=value|...]" with "{extra content}" when there is
// any, or "error N"; then " / " and the text left of the data.
QString read(const QString &structure, QString data)
{
    ReportDocument document;
    try {
        readData(document, structure, data);
    } catch (const Error &error) {
        return QStringLiteral("error %1").arg(error.number());
    }
    dataToText(document);
    QStringList records;
    for (int r = 0; r < document.records.size(); ++r) {
        const DataRecord &record = document.records[r];
        QStringList fields;
        for (int index : record.valueIndexes) {
            const DataValue &value = document.values.at(index);
            EXPECT_TRUE(value.recordIndex == r && value.loadedValue == value.value);
            fields << value.fieldName + QLatin1Char('=') + value.value;
        }
        const QString extra = record.extraContent.isEmpty() ? QString() : '{' + record.extraContent + '}';
        records << QStringLiteral("%1@%2^%3[%4]%5")
                       .arg(record.structName, QString::number(record.level),
                           QString::number(record.parentIndex), fields.join(QLatin1Char('|')), extra);
    }
    return records.join(QLatin1Char(' ')) + (data.isEmpty() ? QString() : " / " + data);
}

// Nesting levels L0 > L1 > ...: the structure, and data with one record of each.
std::pair<QString, QString> chain(int levels)
{
    test::RecordSet set { QStringLiteral("L%1").arg(levels - 1), {}, {} };
    QString data = '<' + set.name + "></" + set.name + '>';
    for (int level = levels - 2; level >= 0; --level) {
        set = { QStringLiteral("L%1").arg(level), {}, { set } };
        data = '<' + set.name + '>' + data + "</" + set.name + '>';
    }
    return { structureText(set), data };
}

// Then mutated texts of the first rows: each ends in records, never an error.
TEST(ReadData, RecordsFollowTheStructure)
{
    const QString huge(20 * 1024 * 1024, QLatin1Char('v'));
    // Structure, data, records read / data left.
    const std::tuple<const char *, QString, QString, QString> cases[] = {
        { "nested records follow their parent, values in field order, other text stays", kReportRows,
            "<N>f</N><Report><Titolo>T</Titolo><Row><A>1</A><B>2</B></Row><Row><B>4</B><A>3</A></Row>"
            "<Row><A>5</A></Row></Report><Fine/>",
            "Report@0^-1[Titolo=T] Row@1^0[A=1|B=2] Row@1^0[A=3|B=4] Row@1^0[A=5|B=] / <N>f</N><Fine/>" },
        { "without data each record set gives one empty record",
            structureText({ "Report", { "Titolo" }, { { "Row", { "A", "B" }, {} }, { "Nota", {}, {} } } })
                + structureText({ "Extra", { "X" }, {} }),
            "", "Report@0^-1[Titolo=] Row@1^0[A=|B=] Nota@1^0[] Extra@0^-1[X=]" },
        { "values keep their blanks, leftover text is trimmed extra content, names ignore case", kReportRows,
            "<REPORT> note <X/> <row><A>  uno </A><B>\tdue\n</B> riga </row><Row><a>tre</a></Row></REPORT>",
            "Report@0^-1[Titolo=]{note <X/>} Row@1^0[A=  uno |B=\tdue\n]{riga} Row@1^0[A=tre|B=]" },
        { "a field missing from a record is taken from its first nested record", kGroups,
            "<Report><Gruppo><Riga><Nome>vite</Nome><Qta>3</Qta></Riga><Riga><Nome>dado</Nome></Riga>"
            "</Gruppo></Report>",
            "Report@0^-1[Titolo=] Gruppo@1^0[Nome=vite] Riga@2^1[Nome=|Qta=3] Riga@2^1[Nome=dado|Qta=]" },
        { "a record without a closing tag ends its record set", kReportRows,
            "<Report><Row><A>1</A></Row><Row><A>2</A></Report>",
            "Report@0^-1[Titolo=]{<Row><A>2</A>} Row@1^0[A=1|B=]" },
        { "a 20 MB value", kReportRows, "<Report><Titolo>" + huge + "</Titolo></Report>",
            "Report@0^-1[Titolo=" + huge + "]" },
    };
    for (const auto &[what, structure, data, records] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(read(structure, data), records);
    }
    // Levels 0 to 255 are read; a deeper structure is refused rather than
    // walked, unless the data stops early.
    const auto [deepest, deepestData] = chain(256);
    const auto [tooDeep, tooDeepData] = chain(257);
    EXPECT_EQ(read(deepest, deepestData).count('@'), 256);
    EXPECT_EQ(read(tooDeep, tooDeepData), "error 28");
    EXPECT_EQ(read(tooDeep, QString()), "error 28");
    EXPECT_EQ(read(tooDeep, chain(2).second), "L0@0^-1[] L1@1^0[]");
    const QStringList pieces = { "<", ">", "</", "<Row>", "</ROW>", "<Gruppo>", "</riga>", "<Nome>", "</A>",
        "<Field2>", "<RecordsetStruct2>", "<RecordsetStructName1>", " " };
    QRandomGenerator random(3);
    for (int round = 0; round < 1000; ++round) {
        const auto &[what, structure, data, records] = cases[round % 5];
        const QString mutated = round % 3 == 0 ? structure : test::mutateText(structure, random, pieces);
        EXPECT_FALSE(read(mutated, test::mutateText(data, random, pieces)).startsWith(QLatin1String("error")))
            << what << ", round " << round;
    }
}

// The writer's rule taken literally: a record's element holds its values
// (unescaped, trimmed: blanks are their only white space), the records after
// it up to the first not deeper than it whose parent it is, its extra content.
void writeLiterally(const ReportDocument &document, int parent, QString &out)
{
    const int parentLevel = parent == -1 ? -1 : document.records[parent].level;
    for (int i = parent + 1; i < document.records.size() && document.records[i].level > parentLevel; ++i) {
        const DataRecord &record = document.records[i];
        if (record.parentIndex != parent)
            continue;
        out += '<' + record.structName + '>';
        for (int index : record.valueIndexes) {
            const DataValue &value = document.values[index];
            out += '<' + value.fieldName + '>' + value.value.trimmed() + "</" + value.fieldName + '>';
        }
        writeLiterally(document, i, out);
        out += record.extraContent + "</" + record.structName + '>';
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
            document.records[i].extraContent = QStringLiteral(" e ");
            for (int v = random.bounded(3); v > 0; --v)
                addValue(
                    document, i, QString::number(v), QStringLiteral(" <&%1 ").arg(v).left(random.bounded(6)));
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
