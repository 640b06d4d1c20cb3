#include "template/TemplateLoader.h"

#include "template/BandTable.h"
#include "template/Conversions.h"
#include "template/KeyReader.h"
#include "template/TemplateFont.h"
#include "template/Vocabulary.h"
#include "xml/CursorTableGuard.h"
#include "xml/ElementReader.h"

#include <QHash>

namespace zet {

namespace {

// Characters of code 0 to 31 (line breaks and tabs included) are dropped.
QString withoutControlCharacters(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() >= 32)
            result.append(c);
    }
    return result;
}

ReportObject readObject(const QString &content)
{
    const KeyReader keys(content, key::kObjectKeys);
    auto text = [&keys](QLatin1String name) { return keys.value(name); };
    ReportObject object;
    object.ControlType = ParseInteger(text(key::kZeteControlType));
    object.Name = text(key::kNome);
    object.Left = ParseNumber(text(key::kSinistra));
    object.Top = ParseNumber(text(key::kAlto));
    object.Width = ParseNumber(text(key::kLarghezza));
    object.Height = ParseNumber(text(key::kAltezza));
    object.ZOrder = ParseInteger(text(key::kZOrder));
    object.Printable = ParseBoolean(text(key::kStampa));
    object.FitToControl = ParseBoolean(text(key::kAdattaAControllo));
    object.FitToImage = ParseBoolean(text(key::kAdattaAImmagine));
    object.Alignment = ParseInteger(text(key::kAllineamento));
    object.Border = ParseBoolean(text(key::kBordo));
    object.BorderColour = ParseInteger(text(key::kColoreBordo));
    object.BackColour = ParseInteger(text(key::kColoreSfondo));
    object.TextColour = ParseInteger(text(key::kColoreTesto));
    object.DataSource = text(key::kFonteDati);
    if (object.DataSource.compare(key::kNullDataSource, Qt::CaseInsensitive) == 0)
        object.DataSource.clear();
    object.ImageId = text(key::kImmagine);
    object.TransparentBack = ParseBoolean(text(key::kSfondoTrasparente));
    object.Style = ParseInteger(text(key::kStile));
    object.Value = text(key::kValore);
    object.LoadedValue = object.Value;
    const QString font = text(key::kFont);
    if (!font.isEmpty())
        object.Font = ParseFont(font);
    return object;
}

void readPageKeys(ReportDocument &document, const KeyReader &keys)
{
    auto value = [&keys](QLatin1String name) { return keys.value(name); };
    document.ReportName = value(key::kNome);
    document.PageHeight = ParseNumber(value(key::kAltezza));
    document.GridStep = ParseNumber(value(key::kGriglia));
    document.PageWidth = ParseNumber(value(key::kLarghezza));
    document.MarginRight = ParseNumber(value(key::kMargineDestro));
    document.MarginBottom = ParseNumber(value(key::kMargineInferiore));
    document.MarginLeft = ParseNumber(value(key::kMargineSinistro));
    document.MarginTop = ParseNumber(value(key::kMargineSuperiore));
    document.DataSourceModel = value(key::kZetCorrModelloFonteDati);
    document.ColouredSections = ParseBoolean(value(key::kSezioniColorate));
    document.ShowGrid = ParseBoolean(value(key::kVisualizzaGriglia));
    document.ShowMargins = ParseBoolean(value(key::kVisualizzaMargini));
}

bool overlaps(const ReportObject &object, const ReportBand &band)
{
    const double top = object.Top;
    const double bottom = object.Top + object.Height;
    auto within = [&band](double y) { return y >= band.DesignTop && y <= band.DesignBottom; };
    return within(top) || within(bottom) || (top <= band.DesignTop && bottom >= band.DesignBottom);
}

// Index of the first image for each Id, compared ignoring letter case.
QHash<QString, int> firstImageById(const QList<ImageEntry> &images)
{
    QHash<QString, int> first;
    for (int i = images.size() - 1; i >= 0; --i)
        first.insert(images[i].Id.toCaseFolded(), i);
    return first;
}

} // namespace

void ReadObjects(ReportDocument &document, const QString &templateText)
{
    document.HasFramedFields = false;
    int cursor = OpenCursor(templateText, key::kZetObject);
    while (!CursorAtEnd(cursor)) {
        const ReportObject object = readObject(CursorCurrent(cursor));
        if (object.ControlType == kControlFramedText)
            document.HasFramedFields = true;
        document.Objects.append(object);
        CursorNext(cursor);
    }
    CloseCursor(cursor);
}

void BindObjects(ReportDocument &document)
{
    const QHash<QString, int> imageIndex = firstImageById(document.Images);
    for (int b = 0; b < document.Bands.size(); ++b) {
        ReportBand &band = document.Bands[b];
        if (!band.Visible)
            continue;
        for (int o = 0; o < document.Objects.size(); ++o) {
            ReportObject &object = document.Objects[o];
            if (object.BandIndex != -1)
                continue;
            if (overlaps(object, band)) {
                object.BandIndex = b;
                object.TopInBand = object.Top - band.DesignTop;
                band.ObjectIndexes.append(o);
            }
            const bool isPicture
                = object.ControlType == kControlPicture || object.ControlType == kControlStretchedPicture;
            const bool boundToData = !object.DataSource.isEmpty() && object.ImageId.isEmpty();
            if (isPicture && !boundToData)
                object.ImageIndex = imageIndex.value(object.ImageId.toCaseFolded(), object.ImageIndex);
        }
    }
}

void LoadTemplate(ReportDocument &document, const QString &templateText)
{
    const CursorTableGuard guard;
    document.Images.clear();
    document.Objects.clear();
    document.Bands.clear();
    const KeyReader keys(templateText, key::kTopLevelKeys);
    document.TemplateVersion = ParseInteger(keys.value(key::kZetVersion));
    document.RecordsetStruct = withoutControlCharacters(keys.value(key::kZetRecordsetStruct));
    ReadImageList(document, templateText);
    ReadObjects(document, templateText);
    readPageKeys(document, keys);
    if (document.TemplateVersion <= 1) {
        BuildBandTable(document, keys);
        ComputeBandPositions(document);
    }
    LinkDataBands(document);
    BindObjects(document);
}

} // namespace zet
