#pragma once

#include "model/ReportFont.h"

#include <QImage>
#include <QList>
#include <QString>
#include <optional>

namespace zet {

// Every length and position below is in twips (1/1440 inch). Colours hold an
// RGB value with red in the low byte. Lists are indexed from 0; an index stored
// in one record refers to a position in another list, so list order never
// changes once built. A list's "last index" is size() - 1.

enum BandKind : int {
    kBandUnused = -1,
    kBandTopMargin = 1,
    kBandPageHeader = 2,
    kBandReportHeader = 3,
    kBandData = 4,
    kBandReportFooter = 5,
    kBandPageFooter = 6,
    kBandBottomMargin = 7,
};

enum ControlType : int {
    kControlPicture = 2,
    kControlStretchedPicture = 3,
    kControlFramedText = 4,
    kControlText = 5,
    kControlShape = 6,
};

struct ReportBand
{
    bool Visible = false;
    double Height = 0;
    int BreakMode = 0; // 1 break before, 2 after, 3 both
    int NewPage = 0;   // 1 repeat without data values, 2 with them
    int Repeat = 0;    // 1 fills the free page space with blank copies
    double StackTop = 0;
    double DesignTop = 0;
    double DesignBottom = 0;
    QList<int> ObjectIndexes;
    int Kind = kBandUnused;
    int DataLevel = -1;
    QString RecordsetName;
    QImage BandPicture; // drawn by the HTML export; null otherwise
    int LinkPrev = -1;
    int LinkNext = -1;
    double LinkHeight = 0;
};

struct ReportObject
{
    int ControlType = 0;
    QString Name;
    bool FitToImage = false;
    bool FitToControl = false;
    int Alignment = 0;
    double Height = 0;
    double Top = 0; // in the designer's stacked band space
    bool Border = false;
    int BorderColour = 0;
    int BackColour = 0;
    int TextColour = 0;
    std::optional<ReportFont> Font; // empty when the template gives none
    QString DataSource;             // empty for a fixed object
    QString ImageId;
    double Width = 0;
    bool TransparentBack = false;
    double Left = 0;
    bool Printable = false;
    int Style = 0;
    QString Value;
    int ZOrder = 0;
    double TopInBand = 0;
    int BandIndex = -1;
    int ImageIndex = 0;
    QString LoadedValue;
};

// One decoded picture of the template's image list. Surface holds the picture
// as a bitmap surface image (24-bit BGR rows, or 8-bit indexed), at its own
// pixel size; its dots per metre give the pixels per inch it is drawn at.
struct ImageEntry
{
    QString Id;
    QString FileData; // the image file's bytes, one character per byte
    QImage Surface;
};

struct DataRecord
{
    int ParentIndex = -1; // -1 for an outermost record
    int Level = 0;        // 0 outermost, one more per nesting
    QString StructName;
    QString ExtraContent;
    QList<int> ValueIndexes;
};

struct DataValue
{
    int RecordIndex = -1;
    QString FieldName;
    QString Value;       // current value; the preview's editing writes here
    QString LoadedValue; // as read
};

struct PlacedItem
{
    int ObjectIndex = -1;
    int ValueIndex = -1; // -1: shows no data value
};

struct PlacedBand
{
    int BandIndex = -1;
    QList<PlacedItem> Items;
    int Top = 0; // whole twips from the top of the page
};

struct LaidPage
{
    QList<PlacedBand> PlacedBands;
    double FilledTo = 0;
    double BodyLimit = 0;
};

// A continued band placed at a page end whose values come from the next
// regular placement of the same band slot.
struct DataPlacement
{
    int PageIndex = -1;
    int PlacedBandIndex = -1;
    int BandIndex = -1;
};

struct ReportDocument
{
    bool InUse = false;
    QString ResultText;
    QList<LaidPage> Pages;
    QList<DataPlacement> DataPlacements;
    int TemplateVersion = 0;
    QString RecordsetStruct;
    QString ReportName;
    double PageHeight = 0;
    double GridStep = 0;
    double PageWidth = 0;
    double MarginRight = 0;
    double MarginBottom = 0;
    double MarginLeft = 0;
    double MarginTop = 0;
    QString DataSourceModel;
    bool ColouredSections = false;
    bool ShowGrid = false;
    bool ShowMargins = false;
    bool HasFramedFields = false;
    QList<ReportObject> Objects;
    QList<ImageEntry> Images;
    QList<ReportBand> Bands;
    QList<DataValue> Values;
    QList<DataRecord> Records;
    QString ExportFileName;
};

} // namespace zet
