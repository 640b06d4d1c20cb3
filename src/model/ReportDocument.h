#pragma once

#include "model/ReportFont.h"
#include "model/TemplateCodes.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace zet {

// Every length and position below is in twips (1/1440 inch). Colours hold an
// RGB value with red in the low byte. Lists are indexed from 0; an index stored
// in one record refers to a position in another list, so list order never
// changes once built. A list's "last index" is size() - 1.

struct ReportBand
{
    bool visible = false;
    double height = 0;
    BreakMode breakMode = BreakMode::None;
    NewPageMode newPage = NewPageMode::None;
    int repeat = 0; // 1 fills the free page space with blank copies
    double stackTop = 0;
    double designTop = 0;
    double designBottom = 0;
    QList<int> objectIndexes;
    BandKind kind = BandKind::Unused;
    int dataLevel = -1;
    QString recordsetName;
    QImage bandPicture; // drawn by the HTML export; null otherwise
    int linkPrev = -1;
    int linkNext = -1;
    double linkHeight = 0;
};

struct ReportObject
{
    ControlType controlType = ControlType::None;
    QString name;
    bool fitToImage = false;
    bool fitToControl = false;
    TextAlignment alignment = TextAlignment::Left;
    double height = 0;
    double top = 0; // in the designer's stacked band space
    bool border = false;
    int borderColour = 0;
    int backColour = 0;
    int textColour = 0;
    std::optional<ReportFont> font; // empty when the template gives none
    QString dataSource; // empty for a fixed object
    QString imageId;
    double width = 0;
    bool transparentBack = false;
    double left = 0;
    bool printable = false;
    ShapeStyle style = ShapeStyle::HorizontalLine; // for shapes
    QString value;
    int zOrder = 0;
    double topInBand = 0;
    int bandIndex = -1;
    int imageIndex = 0;
    QString loadedValue;
};

// One decoded picture of the template's image list. Surface holds the picture
// as a bitmap surface image (24-bit BGR rows, or 8-bit indexed) at its own
// pixel size. A picture pixel is drawn as 15 twips (a 96-dpi screen) whatever
// resolution the file states, so the surface's dots per metre do not count.
struct ImageEntry
{
    QString id;
    QString fileData; // the image file's bytes, one character per byte
    QImage surface;
};

struct DataRecord
{
    int parentIndex = -1; // -1 for an outermost record
    int level = 0; // 0 outermost, one more per nesting
    QString structName;
    QString extraContent;
    QList<int> valueIndexes;
};

// A data value as read, until the preview edits it (editValue): the value as
// loaded is then kept in the document's loadedValues. Values read from a data
// text share a few large blocks of text instead of holding one allocation
// each, and name their field by its index in the document's fieldNames.
struct DataValue
{
    int recordIndex = -1;
    int fieldIndex = -1; // in the document's fieldNames
    QString value;
};

struct PlacedItem
{
    int objectIndex = -1;
    int valueIndex = -1; // -1: shows no data value
};

struct PlacedBand
{
    int bandIndex = -1;
    QList<PlacedItem> items;
    int top = 0; // whole twips from the top of the page
};

struct LaidPage
{
    QList<PlacedBand> placedBands;
    double filledTo = 0;
    double bodyLimit = 0;
};

// A continued band placed at a page end whose values come from the next
// regular placement of the same band slot.
struct DataPlacement
{
    int PageIndex = -1;
    int placedBandIndex = -1;
    int bandIndex = -1;
};

struct ReportDocument
{
    bool inUse = false;
    QString resultText;
    QList<LaidPage> pages;
    QList<DataPlacement> dataPlacements;
    int templateVersion = 0;
    QString recordsetStruct;
    QString reportName;
    double pageHeight = 0;
    double gridStep = 0;
    double pageWidth = 0;
    double marginRight = 0;
    double marginBottom = 0;
    double marginLeft = 0;
    double marginTop = 0;
    QString dataSourceModel;
    bool colouredSections = false;
    bool showGrid = false;
    bool showMargins = false;
    bool hasFramedFields = false;
    QList<ReportObject> objects;
    QList<ImageEntry> images;
    QList<ReportBand> bands;
    QList<DataValue> values;
    QHash<int, QString> loadedValues; // as read, for each value edited since, by index
    QStringList fieldNames; // of the values, each name once
    QHash<QString, int> fieldIndexes; // position of each name in fieldNames
    QList<DataRecord> records;
    QString exportFileName;
};

// The field name of a value; empty text for an index outside fieldNames.
inline const QString &fieldName(const ReportDocument &document, const DataValue &value)
{
    static const QString kNone;
    return value.fieldIndex >= 0 && value.fieldIndex < document.fieldNames.size()
        ? document.fieldNames.at(value.fieldIndex)
        : kNone;
}

// The index of name in fieldNames, where it is added when new.
inline int fieldIndexOf(ReportDocument &document, const QString &name)
{
    const auto known = document.fieldIndexes.constFind(name);
    if (known != document.fieldIndexes.constEnd())
        return *known;
    document.fieldNames.append(name);
    return *document.fieldIndexes.insert(name, int(document.fieldNames.size() - 1));
}

// The value at valueIndex as read from the data, whatever the preview did to it.
inline const QString &loadedValue(const ReportDocument &document, int valueIndex)
{
    const auto edited = document.loadedValues.constFind(valueIndex);
    return edited != document.loadedValues.constEnd() ? *edited : document.values.at(valueIndex).value;
}

// The preview's edit of a value: the value as read stays at hand.
inline void editValue(ReportDocument &document, int valueIndex, const QString &text)
{
    QString &value = document.values[valueIndex].value;
    if (!document.loadedValues.contains(valueIndex))
        document.loadedValues.insert(valueIndex, value);
    value = text;
}

} // namespace zet

// The lists grow by moving their blocks, not by copying entry after entry.
Q_DECLARE_TYPEINFO(zet::PlacedItem, Q_PRIMITIVE_TYPE);
Q_DECLARE_TYPEINFO(zet::PlacedBand, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(zet::LaidPage, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(zet::DataValue, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(zet::DataRecord, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(zet::DataPlacement, Q_PRIMITIVE_TYPE);
