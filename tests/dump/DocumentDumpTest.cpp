#include "dump/DocumentDump.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <limits>

using namespace zet;
using namespace Qt::StringLiterals;

namespace {

// One of every record a document holds.
ReportDocument everyKindOfContent()
{
    ReportDocument doc;
    doc.bands.resize(1), doc.objects.resize(1);
    doc.bands[0].objectIndexes = { 0, 1 }, doc.bands[0].recordsetName = u"Riga"_s;
    doc.objects[0].font = ReportFont();
    doc.objects[0].font->setBold(true);
    doc.images = { { u"logo"_s, u"BM..."_s, QImage(3, 2, QImage::Format_BGR888) } };
    doc.records = { { -1, 0, u"Report"_s, QString(), {} }, { 0, 1, u"Riga"_s, "x", { 0 } } };
    doc.values = { { 1, fieldIndexOf(doc, u"Nome"_s), u"Città"_s } };
    editValue(doc, 0, u"Città\tnuova"_s);
    doc.pages = { { { { 0, { { 0, 0 }, { 1, -1 } }, 720 } }, 2160, 16338 } };
    doc.dataPlacements = { { 0, 0, 0 } };
    return doc;
}

// The keys of the first record of a top-level list, in the order written.
std::string firstRecordKeys(const QByteArray &dump, const char *list)
{
    const qsizetype start = dump.indexOf("\"" + QByteArray(list) + "\": [");
    static const QRegularExpression key(u"\n      \"(\\w+)\": "_s);
    QStringList keys;
    for (auto it
         = key.globalMatch(QString::fromUtf8(dump.mid(start, dump.indexOf("\n    }", start) - start)));
         it.hasNext();)
        keys << it.next().captured(1);
    return keys.join(u' ').toStdString();
}

} // namespace

TEST(DocumentDump, AnEmptyDocumentListsEveryTopKeyInTheFormatsOrder)
{
    EXPECT_EQ(dumpDocument(ReportDocument()),
        "{\n  \"TemplateVersion\": 0,\n  \"ReportName\": \"\",\n  \"RecordsetStruct\": \"\",\n"
        "  \"PageHeight\": 0,\n  \"GridStep\": 0,\n  \"PageWidth\": 0,\n  \"MarginRight\": 0,\n"
        "  \"MarginBottom\": 0,\n  \"MarginLeft\": 0,\n  \"MarginTop\": 0,\n  \"DataSourceModel\": \"\",\n"
        "  \"ColouredSections\": false,\n  \"ShowGrid\": false,\n  \"ShowMargins\": false,\n"
        "  \"HasFramedFields\": false,\n  \"ExportFileName\": \"\",\n  \"Bands\": [],\n  \"Objects\": [],\n"
        "  \"Images\": [],\n  \"Records\": [],\n  \"Values\": [],\n  \"Pages\": [],\n  \"DataPlacements\": "
        "[]\n}");
}

TEST(DocumentDump, SmallRecordsStandOnOneLineAndEveryRecordHasEveryKeyInOrder)
{
    const QByteArray dump = dumpDocument(everyKindOfContent());
    const char *lines[] = {
        "\"Font\": {\"Name\": \"MS Sans Serif\", \"Size\": 8.25, \"Bold\": true, \"Italic\": false, "
        "\"Underline\": false, \"Strikethrough\": false},\n",
        "\n    {\"Id\": \"logo\", \"Width\": 3, \"Height\": 2}\n",
        "\n    {\"ParentIndex\": 0, \"Level\": 1, \"StructName\": \"Riga\", \"ExtraContent\": \"x\", "
        "\"ValueIndexes\": [0]}\n",
        "\n    {\"RecordIndex\": 1, \"FieldName\": \"Nome\", \"Value\": \"Città\\tnuova\", \"LoadedValue\": "
        "\"Città\"}\n",
        "\n        {\"BandIndex\": 0, \"Top\": 720, \"Items\": [{\"ObjectIndex\": 0, \"ValueIndex\": 0}, "
        "{\"ObjectIndex\": 1, \"ValueIndex\": -1}]}\n",
        "\n    {\"PageIndex\": 0, \"PlacedBandIndex\": 0, \"BandIndex\": 0}\n",
    };
    for (const char *line : lines)
        EXPECT_TRUE(dump.contains(line)) << line << "\nin\n" << dump.constData();
    EXPECT_EQ(firstRecordKeys(dump, "Bands"),
        "Visible Height BreakMode NewPage Repeat StackTop DesignTop DesignBottom ObjectIndexes Kind "
        "DataLevel "
        "RecordsetName LinkPrev LinkNext LinkHeight");
    EXPECT_EQ(firstRecordKeys(dump, "Objects"),
        "ControlType Name FitToImage FitToControl Alignment Height Top Border BorderColour BackColour "
        "TextColour "
        "Font DataSource ImageId Width TransparentBack Left Printable Style Value ZOrder TopInBand BandIndex "
        "ImageIndex LoadedValue");
    EXPECT_EQ(firstRecordKeys(dump, "Pages"), "PlacedBands FilledTo BodyLimit");
    for (const char *value : { "\"ObjectIndexes\": [0, 1],", "\"RecordsetName\": \"Riga\",",
             "\"FilledTo\": 2160,", "\"BodyLimit\": 16338\n" })
        EXPECT_TRUE(dump.contains(value)) << value;
}

TEST(DocumentDump, EscapesWhatJsonReservesAndWritesNonFiniteNumbersAsNull)
{
    ReportDocument doc;
    doc.reportName = u"a\"b\\c/\n\r\t\b\f"_s + QChar(0) + QChar(0x1f) + u"é€𝄞"_s;
    doc.pageHeight = std::numeric_limits<double>::infinity();
    doc.gridStep = std::numeric_limits<double>::quiet_NaN();
    const QByteArray dump = dumpDocument(doc);
    QJsonParseError error;
    const QJsonObject top = QJsonDocument::fromJson(dump, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << qPrintable(error.errorString());
    EXPECT_EQ(top["ReportName"].toString(), doc.reportName);
    EXPECT_TRUE(dump.contains("\\u0000\\u001f"));
    EXPECT_TRUE(top["PageHeight"].isNull() && top["GridStep"].isNull());
}
