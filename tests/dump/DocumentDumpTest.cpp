#include "dump/DocumentDump.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <limits>

using namespace zet;

namespace {

// The keys of each record of the dump, in the order the format lists them.
const QStringList kTopKeys = { "TemplateVersion", "ReportName", "RecordsetStruct", "PageHeight", "GridStep",
    "PageWidth", "MarginRight", "MarginBottom", "MarginLeft", "MarginTop", "DataSourceModel",
    "ColouredSections", "ShowGrid", "ShowMargins", "HasFramedFields", "ExportFileName", "Bands", "Objects",
    "Images", "Records", "Values", "Pages", "DataPlacements" };
const QStringList kBandKeys
    = { "Visible", "Height", "BreakMode", "NewPage", "Repeat", "StackTop", "DesignTop", "DesignBottom",
          "ObjectIndexes", "Kind", "DataLevel", "RecordsetName", "LinkPrev", "LinkNext", "LinkHeight" };
const QStringList kObjectKeys = { "ControlType", "Name", "FitToImage", "FitToControl", "Alignment", "Height",
    "Top", "Border", "BorderColour", "BackColour", "TextColour", "Font", "DataSource", "ImageId", "Width",
    "TransparentBack", "Left", "Printable", "Style", "Value", "ZOrder", "TopInBand", "BandIndex",
    "ImageIndex", "LoadedValue" };
const QStringList kFontKeys = { "Name", "Size", "Bold", "Italic", "Underline", "Strikethrough" };
const QStringList kImageKeys = { "Id", "Width", "Height" };
const QStringList kRecordKeys = { "ParentIndex", "Level", "StructName", "ExtraContent", "ValueIndexes" };
const QStringList kValueKeys = { "RecordIndex", "FieldName", "Value", "LoadedValue" };
const QStringList kPageKeys = { "PlacedBands", "FilledTo", "BodyLimit" };
const QStringList kPlacedBandKeys = { "BandIndex", "Top", "Items" };
const QStringList kItemKeys = { "ObjectIndex", "ValueIndex" };
const QStringList kPlacementKeys = { "PageIndex", "PlacedBandIndex", "BandIndex" };

QStringList sorted(QStringList keys)
{
    keys.sort();
    return keys;
}

void expectKeys(const QJsonValue &value, const QStringList &keys, const char *what)
{
    ASSERT_TRUE(value.isObject()) << what;
    EXPECT_EQ(value.toObject().keys(), sorted(keys)) << what;
}

// One of everything a document holds.
ReportDocument everyKindOfContent()
{
    ReportDocument doc;
    doc.templateVersion = 1;
    doc.reportName = QStringLiteral("Fattura \"estate\"");
    doc.recordsetStruct = QStringLiteral("<RecordsetStruct0/>");
    doc.pageHeight = 16838;
    doc.pageWidth = 11906.5;
    doc.marginTop = 500;
    doc.hasFramedFields = true;
    doc.exportFileName = QStringLiteral("C:\\report\\fattura.html");

    ReportBand band;
    band.visible = true;
    band.height = 1440;
    band.objectIndexes = { 0, 1 };
    band.kind = BandKind::Data;
    band.dataLevel = 1;
    band.recordsetName = QStringLiteral("Riga");
    doc.bands = { band, ReportBand() };

    ReportObject framed;
    framed.controlType = ControlType::FramedText;
    framed.dataSource = QStringLiteral("Riga.[Nome]");
    ReportFont font;
    font.name = QStringLiteral("Arial");
    font.setBold(true);
    framed.font = font;
    ReportObject picture;
    picture.controlType = ControlType::Picture;
    picture.imageId = QStringLiteral("logo");
    doc.objects = { framed, picture };

    doc.images.append(
        { QStringLiteral("logo"), QStringLiteral("BM..."), QImage(3, 2, QImage::Format_BGR888) });
    doc.records = { { -1, 0, QStringLiteral("Report"), QString(), {} },
        { 0, 1, QStringLiteral("Riga"), "x", { 0 } } };
    doc.values.append({ 1, QStringLiteral("Nome"), QStringLiteral("Città\tnuova"), QStringLiteral("Città") });

    LaidPage page;
    page.placedBands.append({ 0, { { 0, 0 }, { 1, -1 } }, 720 });
    page.filledTo = 2160;
    page.bodyLimit = 16338;
    doc.pages.append(page);
    doc.dataPlacements.append({ 0, 0, 0 });
    return doc;
}

} // namespace

TEST(DocumentDump, HasEveryKeyOfTheFormatForEveryKindOfContent)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(dumpDocument(everyKindOfContent()), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << qPrintable(error.errorString());
    const QJsonObject top = json.object();
    expectKeys(top, kTopKeys, "document");
    expectKeys(top["Bands"][0], kBandKeys, "band");
    expectKeys(top["Objects"][0], kObjectKeys, "object");
    expectKeys(top["Objects"][0]["Font"], kFontKeys, "font");
    EXPECT_TRUE(top["Objects"][1]["Font"].isNull());
    expectKeys(top["Images"][0], kImageKeys, "image");
    expectKeys(top["Records"][1], kRecordKeys, "record");
    expectKeys(top["Values"][0], kValueKeys, "value");
    expectKeys(top["Pages"][0], kPageKeys, "page");
    expectKeys(top["Pages"][0]["PlacedBands"][0], kPlacedBandKeys, "placed band");
    expectKeys(top["Pages"][0]["PlacedBands"][0]["Items"][1], kItemKeys, "item");
    expectKeys(top["DataPlacements"][0], kPlacementKeys, "data placement");
}

TEST(DocumentDump, WritesValuesAsTheDocumentHoldsThem)
{
    const QJsonObject top = QJsonDocument::fromJson(dumpDocument(everyKindOfContent())).object();
    EXPECT_EQ(top["ReportName"].toString(), QStringLiteral("Fattura \"estate\""));
    EXPECT_EQ(top["ExportFileName"].toString(), QStringLiteral("C:\\report\\fattura.html"));
    EXPECT_EQ(top["PageWidth"].toDouble(), 11906.5);
    EXPECT_EQ(top["Values"][0]["Value"].toString(), QStringLiteral("Città\tnuova"));
    EXPECT_EQ(top["Objects"][0]["Font"]["Bold"], QJsonValue(true));
    EXPECT_EQ(top["Images"][0]["Width"].toInt(), 3);
    EXPECT_EQ(top["Images"][0]["Height"].toInt(), 2);
    EXPECT_EQ(top["Bands"][0]["ObjectIndexes"].toArray(), QJsonArray({ 0, 1 }));
    EXPECT_EQ(top["Pages"][0]["PlacedBands"][0]["Top"].toInt(), 720);
    EXPECT_EQ(top["Pages"][0]["PlacedBands"][0]["Items"][0]["ValueIndex"].toInt(), 0);
    EXPECT_EQ(top["Records"][0]["ParentIndex"].toInt(), -1);
}

TEST(DocumentDump, KeysFollowTheOrderOfTheFormat)
{
    const QByteArray dump = dumpDocument(everyKindOfContent());
    qsizetype last = -1;
    for (const QString &key : kTopKeys) {
        const qsizetype at = dump.indexOf("\n  \"" + key.toUtf8() + "\": ");
        EXPECT_GT(at, last) << qPrintable(key);
        last = at;
    }
}

TEST(DocumentDump, EscapesEveryCharacterJsonReserves)
{
    ReportDocument doc;
    const QString awkward
        = QStringLiteral("a\"b\\c/\n\r\t\b\f") + QChar(0) + QChar(0x1f) + QStringLiteral("é€𝄞");
    doc.reportName = awkward;
    const QByteArray dump = dumpDocument(doc);
    QJsonParseError error;
    const QJsonObject top = QJsonDocument::fromJson(dump, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << qPrintable(error.errorString());
    EXPECT_EQ(top["ReportName"].toString(), awkward);
    EXPECT_TRUE(dump.contains("\\u0000\\u001f"));
}

TEST(DocumentDump, NumbersThatAreNotFiniteAreWrittenAsNull)
{
    ReportDocument doc;
    doc.pageHeight = std::numeric_limits<double>::infinity();
    doc.gridStep = std::numeric_limits<double>::quiet_NaN();
    const QJsonObject top = QJsonDocument::fromJson(dumpDocument(doc)).object();
    EXPECT_TRUE(top["PageHeight"].isNull());
    EXPECT_TRUE(top["GridStep"].isNull());
}

TEST(DocumentDump, AnEmptyDocumentGivesTheSameTextEveryTime)
{
    const QByteArray expected = "{\n"
                                "  \"TemplateVersion\": 0,\n"
                                "  \"ReportName\": \"\",\n"
                                "  \"RecordsetStruct\": \"\",\n"
                                "  \"PageHeight\": 0,\n"
                                "  \"GridStep\": 0,\n"
                                "  \"PageWidth\": 0,\n"
                                "  \"MarginRight\": 0,\n"
                                "  \"MarginBottom\": 0,\n"
                                "  \"MarginLeft\": 0,\n"
                                "  \"MarginTop\": 0,\n"
                                "  \"DataSourceModel\": \"\",\n"
                                "  \"ColouredSections\": false,\n"
                                "  \"ShowGrid\": false,\n"
                                "  \"ShowMargins\": false,\n"
                                "  \"HasFramedFields\": false,\n"
                                "  \"ExportFileName\": \"\",\n"
                                "  \"Bands\": [],\n"
                                "  \"Objects\": [],\n"
                                "  \"Images\": [],\n"
                                "  \"Records\": [],\n"
                                "  \"Values\": [],\n"
                                "  \"Pages\": [],\n"
                                "  \"DataPlacements\": []\n"
                                "}";
    EXPECT_EQ(dumpDocument(ReportDocument()), expected);
    EXPECT_EQ(dumpDocument(everyKindOfContent()), dumpDocument(everyKindOfContent()));
}

TEST(DocumentDump, SmallRecordsStayOnOneLine)
{
    const QByteArray dump = dumpDocument(everyKindOfContent());
    EXPECT_TRUE(dump.contains("\n        {\"BandIndex\": 0, \"Top\": 720, \"Items\": [{\"ObjectIndex\": 0, "
                              "\"ValueIndex\": 0}, {\"ObjectIndex\": 1, \"ValueIndex\": -1}]}\n"))
        << dump.constData();
    EXPECT_TRUE(dump.contains("\n    {\"PageIndex\": 0, \"PlacedBandIndex\": 0, \"BandIndex\": 0}\n"));
}
