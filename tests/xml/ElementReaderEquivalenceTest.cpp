// The element reader neither copies nor lower-cases its texts, yet must give
// exactly the results of the plain algorithm kept here as the reference (every
// search from the start, a cursor's text rebuilt after each take and searched
// lower-cased), on many random texts. Huge texts then go through it alone.

#include "support/TemplateText.h"
#include "support/TextMutation.h"
#include "xml/ElementCursor.h"
#include "xml/ElementReader.h"
#include "xml/RecordsetData.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace zet {
namespace {

QString lower(QString text)
{
    for (QChar &c : text)
        c = c.toLower();
    return text;
}

QString trim(QString text)
{
    while (text.startsWith(u' '))
        text.remove(0, 1);
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

QString tag(const QString &name, bool close = false)
{
    return (close ? QLatin1String("</") : QLatin1String("<")) + name + QLatin1Char('>');
}

// The three passes; the first that finds an opening tag decides.
bool referenceFind(const QString &text, const QString &name, ElementMatch *m)
{
    for (int pass = 0; pass < 3; ++pass) {
        const QString haystack = pass == 2 ? lower(text) : text;
        const QString open = pass == 0 ? tag(name) : lower(tag(name));
        const QString close = pass == 0 ? tag(name, true) : lower(tag(name, true));
        const int openAt = int(haystack.indexOf(open));
        const int closeAt = openAt < 0 ? -1 : int(haystack.indexOf(close, openAt));
        if (closeAt >= 0)
            *m = { openAt, openAt + int(open.size()), closeAt, closeAt + int(close.size()) };
        if (openAt >= 0)
            return closeAt >= 0;
    }
    return false;
}

struct ReferenceCursor
{
    QString text, openTag, closeTag;
    bool valid = false;
    int contentStart = -1, closePos = -1;

    ReferenceCursor(const QString &original, QString name)
        : text(original)
    {
        name.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
        openTag = lower(tag(name));
        closeTag = lower(tag(name, true));
        search(0);
    }
    bool search(int from)
    {
        const int open = openTag.size() == 2 ? -1 : int(lower(text).indexOf(openTag, from));
        const int close = open < 0 ? -1 : int(lower(text).indexOf(closeTag, open + 1));
        valid = close >= 0;
        contentStart = valid ? open + int(openTag.size()) : -1;
        closePos = valid ? close : -1;
        return valid;
    }
    bool atEnd() const { return contentStart == -1; }
    QString current() const { return valid ? text.mid(contentStart, closePos - contentStart) : QString(); }
    bool next() { return contentStart != -1 && openTag.size() > 2 && search(contentStart); }
    QString take()
    {
        const QString value = current(); // the following search starts where the element began
        if (valid)
            text = text.left(contentStart - openTag.size()) + text.mid(closePos + closeTag.size());
        contentStart -= valid ? int(openTag.size()) : 0;
        valid = false;
        return value;
    }
    QString remainingText() const { return text; }
};

// One operation on either cursor, and what it returned. Operation 5 is a whole
// walk taking every element (as the record reader does) or those choices picks.
template <typename Cursor> QStringList apply(Cursor &cursor, int operation, quint32 choices)
{
    if (operation < 5) {
        return { operation == 0  ? QString::number(cursor.atEnd())
                : operation == 1 ? cursor.current()
                : operation == 2 ? QString::number(cursor.next())
                : operation == 3 ? cursor.take()
                                 : cursor.remainingText() };
    }
    QStringList seen;
    for (int i = 0; !cursor.atEnd(); cursor.next(), ++i)
        seen << ((choices >> (i % 32)) & 1U ? cursor.take() : cursor.current());
    return seen;
}

// The first 14 are plain names, some differing only in case (U+0130 and the
// Kelvin sign lower-case specially); then odd ones, the empty name included.
const QStringList kNames = { "a", "A", "ab", "aB", "AB", "Row", "row", "i", "I", "\u0130", "k", "\u212A",
    "\u00E4", "\u00C4", "", "<a>", "a<", "<a", "a>", "/a", "a</a", "<", ">", "a b" };

// Mostly plain names when asked, so that elements match.
QString randomName(QRandomGenerator &random, bool mostlyPlain = false)
{
    const bool plain = mostlyPlain && random.bounded(4) != 0;
    return kNames.at(random.bounded(plain ? 14 : int(kNames.size())));
}

// A flat run of tags and stray characters, or elements inside elements with
// closing tags sometimes missing or in another case. In the tokens, %1 stands
// for a tag name and the empty entry for any UTF-16 unit, lone surrogates too.
QString randomText(QRandomGenerator &random, int depth = 0)
{
    static const QStringList tokens = { "<%1>", "<%1>", "</%1>", "</%1>", "<%1", "%1>", "<", ">", "</", " ",
        "x", "\U0001F600", "", "<>", "  x y ", "\t" };
    QString text;
    const bool flat = depth == 0 && random.bounded(2) == 0;
    for (int i = random.bounded(flat ? 30 : depth == 0 ? 6 : 4); i > 0; --i) {
        const QString &token = tokens.at(random.bounded(int(tokens.size())));
        const QString n = randomName(random, true);
        if (!flat && depth < 5 && random.bounded(3) != 0) {
            const int close
                = std::min(int(random.bounded(6)), 3); // none, in capitals, in lower case, as written
            const QString closing[] = { QString(), n.toUpper(), n.toLower(), n };
            text += tag(n) + randomText(random, depth + 1)
                + (close == 0 ? QString() : tag(closing[close], true));
        } else {
            text += token.isEmpty() ? QString(QChar(char16_t(random.bounded(0x10000))))
                                    : QString(token).replace("%1", n);
        }
    }
    return text;
}

TEST(ElementReaderEquivalence, RandomTextsGiveTheSameResults)
{
    // Folding without a lowered copy agrees with QChar::toLower on every
    // UTF-16 unit, and only '<' folds to '<' (a search jumps from one to the next).
    QString all(0x10000, Qt::Uninitialized);
    for (int u = 0; u < 0x10000; ++u)
        all[u] = QChar(char16_t(u));
    ASSERT_EQ(lowerPerChar(all), lower(all));
    ASSERT_EQ(lower(all).count(QLatin1Char('<')), 1);

    QRandomGenerator random(303);
    for (int i = 0; i < 20000; ++i) {
        const QString text = randomText(random);
        const QString name = randomName(random, random.bounded(2) == 0);
        const QString value = randomText(random).left(8);
        SCOPED_TRACE(u"text \"%1\" name \"%2\""_s.arg(text, name).toStdString());
        ElementMatch fast, slow;
        const bool found = referenceFind(text, name, &slow);
        ASSERT_EQ(findElement(text, name, &fast), found);
        ASSERT_EQ(QList<int>({ fast.openPos, fast.contentStart, fast.closePos, fast.afterClose }),
            QList<int>({ slow.openPos, slow.contentStart, slow.closePos, slow.afterClose }));
        const QString before = found ? text.left(slow.openPos) : text;
        const QString after = found ? text.mid(slow.afterClose) : QString();
        ASSERT_EQ(getElementValue(text, name),
            found ? text.mid(slow.contentStart, slow.closePos - slow.contentStart) : QString());
        ASSERT_EQ(removeElement(text, name), before + after);
        ASSERT_EQ(
            setElementValue(text, name, value), before + tag(name) + trim(value) + tag(name, true) + after);
        ASSERT_EQ(trimSpaces(value + text), trim(value + text));

        // Random operations on a cursor, whole walks among them.
        ElementCursor fastCursor(text, name);
        ReferenceCursor slowCursor(text, name);
        for (int step = random.bounded(40); step >= 0; --step) {
            const int operation = step == 0 ? 4 : random.bounded(6);
            const quint32 choices = random.bounded(2) == 0 ? ~0U : random.generate();
            ASSERT_EQ(apply(fastCursor, operation, choices), apply(slowCursor, operation, choices))
                << "operation " << operation;
        }
    }
}

// Each text ends with a result in time linear in its length (these shapes
// would take hours with a rescan per element or a copy per take); a walk
// visiting every element leaves it as it was, one taking them leaves it
// without them. After each text, how many elements a walk for "a" meets: two
// per record, give or take 50 stray tags; 400,000 all closing at the one
// closing tag at the end; none; 10,000 levels.
TEST(ElementReaderFuzz, HugeUnbalancedAndDeepTexts)
{
    QRandomGenerator random(8);
    QString records = (u"<A><b>1</b><A><b>2</b></a></A>"_s + QString(60, '-')).repeated(200000);
    for (int i = 0; i < 50; ++i)
        records.insert(random.bounded(int(records.size())), u"<a>"_s);
    const QList<std::pair<QString, qsizetype>> texts = { { records, 400000 },
        { u"<a>"_s.repeated(400000) + u"</a>"_s, 400000 }, { u"<a>"_s.repeated(400000), 0 },
        { u"<A>"_s.repeated(10000) + 'x' + u"</a>"_s.repeated(10000), 10000 } };
    for (const auto &[text, expected] : texts) {
        for (const QString name : { "a", "B", "", "a>b", "/a", "\u00C9l\u00E8ve" }) {
            SCOPED_TRACE(u"%1 units, name \"%2\""_s.arg(text.size()).arg(name).toStdString());
            ElementCursor visit(text, name), take(text, name);
            qsizetype visited = 0, taken = 0;
            for (; !visit.atEnd(); visit.next())
                ++visited;
            for (; !take.atEnd(); take.next())
                taken += take.take().size() + 2 * QString(name).remove('>').size() + 5; // and its tags
            EXPECT_EQ(visit.remainingText(), text);
            EXPECT_EQ(take.remainingText().size(), text.size() - taken);
            if (name == "a") {
                EXPECT_NEAR(double(visited), double(expected), text == records ? 100 : 0);
            }
            EXPECT_LE(setElementValue(text, name, "v").size(), text.size() + 2 * name.size() + 6);
        }
    }
}

// The structure text of one outermost record set and everything in it.
QString structureText(const test::RecordSet &root)
{
    return getElementValue(test::TemplateText().structure(root).text(), u"ZET_RecordsetStruct"_s);
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
    if (const int error = test::errorNumber([&] { readData(document, structure, data); }))
        return u"error %1"_s.arg(error);
    dataToText(document);
    QStringList records;
    for (int r = 0; r < document.records.size(); ++r) {
        const DataRecord &record = document.records[r];
        QStringList fields;
        for (int index : record.valueIndexes) {
            const DataValue &value = document.values.at(index);
            EXPECT_EQ(value.recordIndex, r);
            fields << fieldName(document, value) + QLatin1Char('=') + value.value;
        }
        const QString extra = record.extraContent.isEmpty() ? QString() : '{' + record.extraContent + '}';
        records << u"%1@%2^%3[%4]%5"_s.arg(record.structName, QString::number(record.level),
            QString::number(record.parentIndex), fields.join(QLatin1Char('|')), extra);
    }
    return records.join(QLatin1Char(' ')) + (data.isEmpty() ? QString() : " / " + data);
}

// Nesting levels L0 > L1 > ...: the structure, and data with one record of each.
std::pair<QString, QString> chain(int levels)
{
    test::RecordSet set { u"L%1"_s.arg(levels - 1), {}, {} };
    QString data = '<' + set.name + "></" + set.name + '>';
    for (int level = levels - 2; level >= 0; --level) {
        set = { u"L%1"_s.arg(level), {}, { set } };
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
            out += '<' + fieldName(document, value) + '>' + value.value.trimmed() + "</"
                + fieldName(document, value) + '>';
        }
        writeLiterally(document, i, out);
        out += record.extraContent + "</" + record.structName + '>';
    }
}

// Values read share blocks of text, and the data text is let go: changing
// one value in place (as the preview's editing may) changes no other value,
// and the value as loaded stays at hand once edited.
TEST(ReadData, ValuesSharingBlocksChangeAlone)
{
    const QString text = QStringLiteral("<Report><Titolo>T</Titolo><Row><A>10</A><B>20</B></Row>"
                                        "<Row><A>30</A><B></B></Row></Report>");
    ReportDocument document;
    QString data = text + QString(); // a block of its own, shared with nothing
    const QString shared = data;
    readData(document, kReportRows, data);
    data.clear();
    ASSERT_EQ(document.values.size(), 5);
    document.values[1].value.append(u"xyz"_s);
    document.values[2].value[0] = QLatin1Char('Z');
    document.values[4].value.prepend(u"vuoto"_s);
    editValue(document, 3, u"nuovo"_s);
    QStringList values;
    for (int i = 0; i < document.values.size(); ++i)
        values << document.values.at(i).value + QLatin1Char('/') + loadedValue(document, i);
    EXPECT_EQ(values.join(QLatin1Char(' ')), "T/T 10xyz/10xyz Z0/Z0 nuovo/30 vuoto/vuoto");
    EXPECT_EQ(dataToText(document),
        "<Report><Titolo>T</Titolo><Row><A>10xyz</A><B>Z0</B></Row>"
        "<Row><A>nuovo</A><B>vuoto</B></Row></Report>");
    EXPECT_EQ(shared, text); // the text read is never written
}

TEST(DataToText, AnyRecordListIsWrittenAsItsNestingRuleSays)
{
    QRandomGenerator random(11);
    for (int round = 0; round < 300; ++round) {
        ReportDocument document;
        const int count = random.bounded(12);
        for (int i = 0; i < count; ++i) {
            addRecord(document, random.bounded(count + 2) - 2, random.bounded(5) - 1, QString::number(i));
            document.records[i].extraContent = u" e "_s;
            for (int v = random.bounded(3); v > 0; --v)
                addValue(document, i, QString::number(v), u" <&%1 "_s.arg(v).left(random.bounded(6)));
        }
        QString expected;
        writeLiterally(document, -1, expected);
        ASSERT_EQ(dataToText(document), expected) << "round " << round;
    }
    // Deep nesting is written without recursion.
    ReportDocument deep;
    for (int level = 0; level < 100000; ++level)
        addRecord(deep, level - 1, level, u"n"_s);
    EXPECT_EQ(dataToText(deep), u"<n>"_s.repeated(100000) + u"</n>"_s.repeated(100000));
}

} // namespace
} // namespace zet
