#include "template/TemplateLoader.h"

#include "template/BandTable.h"
#include "template/Conversions.h"
#include "template/KeyReader.h"
#include "template/TemplateFont.h"
#include "template/Vocabulary.h"
#include "xml/ElementCursor.h"
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
    object.controlType = ControlType(parseInteger(text(key::kZeteControlType)));
    object.name = text(key::kNome);
    object.left = parseNumber(text(key::kSinistra));
    object.top = parseNumber(text(key::kAlto));
    object.width = parseNumber(text(key::kLarghezza));
    object.height = parseNumber(text(key::kAltezza));
    object.zOrder = parseInteger(text(key::kZOrder));
    object.printable = parseBoolean(text(key::kStampa));
    object.fitToControl = parseBoolean(text(key::kAdattaAControllo));
    object.fitToImage = parseBoolean(text(key::kAdattaAImmagine));
    object.alignment = TextAlignment(parseInteger(text(key::kAllineamento)));
    object.border = parseBoolean(text(key::kBordo));
    object.borderColour = parseInteger(text(key::kColoreBordo));
    object.backColour = parseInteger(text(key::kColoreSfondo));
    object.textColour = parseInteger(text(key::kColoreTesto));
    object.dataSource = text(key::kFonteDati);
    if (object.dataSource.compare(key::kNullDataSource, Qt::CaseInsensitive) == 0)
        object.dataSource.clear();
    object.imageId = text(key::kImmagine);
    object.transparentBack = parseBoolean(text(key::kSfondoTrasparente));
    object.style = ShapeStyle(parseInteger(text(key::kStile)));
    object.value = text(key::kValore);
    object.loadedValue = object.value;
    const QString font = text(key::kFont);
    if (!font.isEmpty())
        object.font = parseFont(font);
    return object;
}

void readPageKeys(ReportDocument &document, const KeyReader &keys)
{
    auto value = [&keys](QLatin1String name) { return keys.value(name); };
    document.reportName = value(key::kNome);
    document.pageHeight = parseNumber(value(key::kAltezza));
    document.gridStep = parseNumber(value(key::kGriglia));
    document.pageWidth = parseNumber(value(key::kLarghezza));
    document.marginRight = parseNumber(value(key::kMargineDestro));
    document.marginBottom = parseNumber(value(key::kMargineInferiore));
    document.marginLeft = parseNumber(value(key::kMargineSinistro));
    document.marginTop = parseNumber(value(key::kMargineSuperiore));
    document.dataSourceModel = value(key::kZetCorrModelloFonteDati);
    document.colouredSections = parseBoolean(value(key::kSezioniColorate));
    document.showGrid = parseBoolean(value(key::kVisualizzaGriglia));
    document.showMargins = parseBoolean(value(key::kVisualizzaMargini));
}

bool overlaps(const ReportObject &object, const ReportBand &band)
{
    const double top = object.top;
    const double bottom = object.top + object.height;
    auto within = [&band](double y) { return y >= band.designTop && y <= band.designBottom; };
    return within(top) || within(bottom) || (top <= band.designTop && bottom >= band.designBottom);
}

// Index of the first image for each Id, compared ignoring letter case.
QHash<QString, int> firstImageById(const QList<ImageEntry> &images)
{
    QHash<QString, int> first;
    for (int i = images.size() - 1; i >= 0; --i)
        first.insert(images[i].id.toCaseFolded(), i);
    return first;
}

} // namespace

void readObjects(ReportDocument &document, const QString &templateText)
{
    document.hasFramedFields = false;
    for (ElementCursor objects(templateText, key::kZetObject); !objects.atEnd(); objects.next()) {
        const ReportObject object = readObject(objects.current());
        if (object.controlType == ControlType::FramedText)
            document.hasFramedFields = true;
        document.objects.append(object);
    }
}

void bindObjects(ReportDocument &document)
{
    const QHash<QString, int> imageIndex = firstImageById(document.images);
    for (int b = 0; b < document.bands.size(); ++b) {
        ReportBand &band = document.bands[b];
        if (!band.visible)
            continue;
        for (int o = 0; o < document.objects.size(); ++o) {
            ReportObject &object = document.objects[o];
            if (object.bandIndex != -1)
                continue;
            if (overlaps(object, band)) {
                object.bandIndex = b;
                object.topInBand = object.top - band.designTop;
                band.objectIndexes.append(o);
            }
            const bool isPicture = object.controlType == ControlType::Picture
                || object.controlType == ControlType::StretchedPicture;
            const bool boundToData = !object.dataSource.isEmpty() && object.imageId.isEmpty();
            if (isPicture && !boundToData)
                object.imageIndex = imageIndex.value(object.imageId.toCaseFolded(), object.imageIndex);
        }
    }
}

void loadTemplate(ReportDocument &document, const QString &templateText)
{
    document.images.clear();
    document.objects.clear();
    document.bands.clear();
    const KeyReader keys(templateText, key::kTopLevelKeys);
    document.templateVersion = parseInteger(keys.value(key::kZetVersion));
    document.recordsetStruct = withoutControlCharacters(keys.value(key::kZetRecordsetStruct));
    readImageList(document, templateText);
    readObjects(document, templateText);
    readPageKeys(document, keys);
    if (document.templateVersion <= 1) {
        buildBandTable(document, keys);
        computeBandPositions(document);
    }
    linkDataBands(document);
    bindObjects(document);
}

} // namespace zet
