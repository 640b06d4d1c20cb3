#include "template/TemplateLoader.h"

#include "template/BandTable.h"
#include "template/Conversions.h"
#include "template/KeyError.h"
#include "template/KeyReader.h"
#include "template/TemplateFont.h"
#include "template/Vocabulary.h"

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

// One object from the content of its "zet_object" element (part of the
// template's reader); number counts objects from 1 for error messages.
ReportObject readObject(const KeyReader &keys, KeyReader::Part part, int number)
{
    auto text = [&keys, part](QLatin1String name) { return keys.value(name, part); };
    auto integer = [&text](QLatin1String name) { return readKey(name, text(name), parseInteger); };
    auto measure = [&text](QLatin1String name) { return readKey(name, text(name), parseNumber); };
    ReportObject object;
    object.name = text(key::kNome);
    const QString where = object.name.isEmpty()
        ? QStringLiteral("oggetto %1 del modello").arg(number)
        : QStringLiteral("oggetto %1 \"%2\" del modello").arg(number).arg(object.name);
    try {
        object.controlType = ControlType(integer(key::kZeteControlType));
        object.left = measure(key::kSinistra);
        object.top = measure(key::kAlto);
        object.width = measure(key::kLarghezza);
        object.height = measure(key::kAltezza);
        object.zOrder = integer(key::kZOrder);
        object.printable = parseBoolean(text(key::kStampa));
        object.fitToControl = parseBoolean(text(key::kAdattaAControllo));
        object.fitToImage = parseBoolean(text(key::kAdattaAImmagine));
        object.alignment = TextAlignment(integer(key::kAllineamento));
        object.border = parseBoolean(text(key::kBordo));
        object.borderColour = integer(key::kColoreBordo);
        object.backColour = integer(key::kColoreSfondo);
        object.textColour = integer(key::kColoreTesto);
        object.dataSource = text(key::kFonteDati);
        if (object.dataSource.compare(key::kNullDataSource, Qt::CaseInsensitive) == 0)
            object.dataSource.clear();
        object.imageId = text(key::kImmagine);
        object.transparentBack = parseBoolean(text(key::kSfondoTrasparente));
        object.style = ShapeStyle(integer(key::kStile));
        object.value = text(key::kValore);
        object.loadedValue = object.value;
    } catch (const Error &error) {
        throw errorIn(error, where);
    }
    if (const std::optional<KeyReader::Part> font = keys.find(key::kFont, part);
        font && font->end > font->begin) {
        try {
            object.font = parseFont(keys, *font);
        } catch (const Error &error) {
            throw errorIn(error, QStringLiteral("%1 dell'%2").arg(key::kFont, where));
        }
    }
    return object;
}

void readPageKeys(ReportDocument &document, const KeyReader &keys)
{
    auto value = [&keys](QLatin1String name) { return keys.value(name); };
    auto measure = [&value](QLatin1String name) { return readKey(name, value(name), parseNumber); };
    document.reportName = value(key::kNome);
    document.pageHeight = measure(key::kAltezza);
    document.gridStep = measure(key::kGriglia);
    document.pageWidth = measure(key::kLarghezza);
    document.marginRight = measure(key::kMargineDestro);
    document.marginBottom = measure(key::kMargineInferiore);
    document.marginLeft = measure(key::kMargineSinistro);
    document.marginTop = measure(key::kMargineSuperiore);
    document.dataSourceModel = value(key::kZetCorrModelloFonteDati);
    document.colouredSections = parseBoolean(value(key::kSezioniColorate));
    document.showGrid = parseBoolean(value(key::kVisualizzaGriglia));
    document.showMargins = parseBoolean(value(key::kVisualizzaMargini));
}

// Runs read, naming the template as where a zet::Error it raises arose.
template <typename Read> void inTemplate(Read read)
{
    try {
        read();
    } catch (const Error &error) {
        throw errorIn(error, QStringLiteral("nel modello"));
    }
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

void readObjects(ReportDocument &document, const KeyReader &keys)
{
    document.hasFramedFields = false;
    for (const KeyReader::Part part : keys.elements(key::kZetObject)) {
        const ReportObject object = readObject(keys, part, int(document.objects.size()) + 1);
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
    const KeyReader keys(templateText, key::kTemplateKeys);
    inTemplate([&] {
        document.templateVersion = readKey(key::kZetVersion, keys.value(key::kZetVersion), parseInteger);
    });
    document.recordsetStruct = withoutControlCharacters(keys.value(key::kZetRecordsetStruct));
    readImageList(document, keys);
    readObjects(document, keys);
    inTemplate([&] {
        readPageKeys(document, keys);
        if (document.templateVersion <= 1) {
            buildBandTable(document, keys);
            computeBandPositions(document);
        }
    });
    linkDataBands(document);
    bindObjects(document);
}

} // namespace zet
