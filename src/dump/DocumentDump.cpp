#include "dump/DocumentDump.h"

#include <QList>
#include <QLocale>
#include <cmath>

namespace zet {

namespace {

// A JSON text written in a fixed key order. A Block container puts each member
// on a line of its own; a Line container keeps its members on one line (it
// holds no Block container).
class JsonWriter
{
public:
    enum Style { Block, Line };

    void beginObject(Style style) { open('{', style); }
    void endObject() { close('}'); }
    void beginArray(Style style) { open('[', style); }
    void endArray() { close(']'); }

    JsonWriter &key(const char *name)
    {
        separate();
        writeString(QString::fromLatin1(name));
        out_ += ": ";
        afterKey_ = true;
        return *this;
    }

    void value(int number) { scalar(QByteArray::number(number)); }
    void value(bool flag) { scalar(flag ? "true" : "false"); }
    void value(double number)
    {
        scalar(std::isfinite(number) ? QByteArray::number(number, 'g', QLocale::FloatingPointShortest)
                                     : QByteArray("null"));
    }
    void value(const QString &text)
    {
        separate();
        writeString(text);
    }
    void null() { scalar("null"); }

    void intArray(const QList<int> &numbers)
    {
        beginArray(Line);
        for (const int number : numbers)
            value(number);
        endArray();
    }

    QByteArray take() { return std::move(out_); }

private:
    struct Level
    {
        Style style;
        bool empty = true;
    };

    void open(char bracket, Style style)
    {
        separate();
        out_ += bracket;
        levels_.append(Level { style });
    }

    void close(char bracket)
    {
        const Level level = levels_.takeLast();
        if (level.style == Block && !level.empty)
            newLine();
        out_ += bracket;
    }

    void scalar(const QByteArray &text)
    {
        separate();
        out_ += text;
    }

    // Before a key, or before a value that does not follow a key.
    void separate()
    {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (levels_.isEmpty())
            return;
        Level &level = levels_.last();
        if (!level.empty)
            out_ += level.style == Block ? "," : ", ";
        level.empty = false;
        if (level.style == Block)
            newLine();
    }

    void newLine()
    {
        out_ += '\n';
        out_ += QByteArray(2 * levels_.size(), ' ');
    }

    // UTF-8 bytes of 0x80 and above are never quotes, backslashes or
    // control characters, so escaping works on the encoded bytes.
    void writeString(const QString &text)
    {
        out_ += '"';
        const QByteArray utf8 = text.toUtf8();
        for (const char byte : utf8) {
            switch (byte) {
            case '"':
                out_ += "\\\"";
                break;
            case '\\':
                out_ += "\\\\";
                break;
            case '\b':
                out_ += "\\b";
                break;
            case '\f':
                out_ += "\\f";
                break;
            case '\n':
                out_ += "\\n";
                break;
            case '\r':
                out_ += "\\r";
                break;
            case '\t':
                out_ += "\\t";
                break;
            default:
                if (uchar(byte) < 0x20)
                    out_ += "\\u" + QByteArray::number(uchar(byte), 16).rightJustified(4, '0');
                else
                    out_ += byte;
            }
        }
        out_ += '"';
    }

    QByteArray out_;
    QList<Level> levels_;
    bool afterKey_ = false;
};

void writePageSetup(JsonWriter &json, const ReportDocument &d)
{
    json.key("TemplateVersion").value(d.templateVersion);
    json.key("ReportName").value(d.reportName);
    json.key("RecordsetStruct").value(d.recordsetStruct);
    json.key("PageHeight").value(d.pageHeight);
    json.key("GridStep").value(d.gridStep);
    json.key("PageWidth").value(d.pageWidth);
    json.key("MarginRight").value(d.marginRight);
    json.key("MarginBottom").value(d.marginBottom);
    json.key("MarginLeft").value(d.marginLeft);
    json.key("MarginTop").value(d.marginTop);
    json.key("DataSourceModel").value(d.dataSourceModel);
    json.key("ColouredSections").value(d.colouredSections);
    json.key("ShowGrid").value(d.showGrid);
    json.key("ShowMargins").value(d.showMargins);
    json.key("HasFramedFields").value(d.hasFramedFields);
    json.key("ExportFileName").value(d.exportFileName);
}

void writeBand(JsonWriter &json, const ReportBand &b)
{
    json.beginObject(JsonWriter::Block);
    json.key("Visible").value(b.visible);
    json.key("Height").value(b.height);
    json.key("BreakMode").value(static_cast<int>(b.breakMode));
    json.key("NewPage").value(static_cast<int>(b.newPage));
    json.key("Repeat").value(b.repeat);
    json.key("StackTop").value(b.stackTop);
    json.key("DesignTop").value(b.designTop);
    json.key("DesignBottom").value(b.designBottom);
    json.key("ObjectIndexes").intArray(b.objectIndexes);
    json.key("Kind").value(static_cast<int>(b.kind));
    json.key("DataLevel").value(b.dataLevel);
    json.key("RecordsetName").value(b.recordsetName);
    json.key("LinkPrev").value(b.linkPrev);
    json.key("LinkNext").value(b.linkNext);
    json.key("LinkHeight").value(b.linkHeight);
    json.endObject();
}

void writeFont(JsonWriter &json, const std::optional<ReportFont> &font)
{
    if (!font) {
        json.null();
        return;
    }
    json.beginObject(JsonWriter::Line);
    json.key("Name").value(font->name);
    json.key("Size").value(font->size);
    json.key("Bold").value(font->bold());
    json.key("Italic").value(font->italic);
    json.key("Underline").value(font->underline);
    json.key("Strikethrough").value(font->strikethrough);
    json.endObject();
}

void writeObject(JsonWriter &json, const ReportObject &o)
{
    json.beginObject(JsonWriter::Block);
    json.key("ControlType").value(static_cast<int>(o.controlType));
    json.key("Name").value(o.name);
    json.key("FitToImage").value(o.fitToImage);
    json.key("FitToControl").value(o.fitToControl);
    json.key("Alignment").value(static_cast<int>(o.alignment));
    json.key("Height").value(o.height);
    json.key("Top").value(o.top);
    json.key("Border").value(o.border);
    json.key("BorderColour").value(o.borderColour);
    json.key("BackColour").value(o.backColour);
    json.key("TextColour").value(o.textColour);
    writeFont(json.key("Font"), o.font);
    json.key("DataSource").value(o.dataSource);
    json.key("ImageId").value(o.imageId);
    json.key("Width").value(o.width);
    json.key("TransparentBack").value(o.transparentBack);
    json.key("Left").value(o.left);
    json.key("Printable").value(o.printable);
    json.key("Style").value(static_cast<int>(o.style));
    json.key("Value").value(o.value);
    json.key("ZOrder").value(o.zOrder);
    json.key("TopInBand").value(o.topInBand);
    json.key("BandIndex").value(o.bandIndex);
    json.key("ImageIndex").value(o.imageIndex);
    json.key("LoadedValue").value(o.loadedValue);
    json.endObject();
}

void writeImage(JsonWriter &json, const ImageEntry &image)
{
    json.beginObject(JsonWriter::Line);
    json.key("Id").value(image.id);
    json.key("Width").value(image.surface.width());
    json.key("Height").value(image.surface.height());
    json.endObject();
}

void writeRecord(JsonWriter &json, const DataRecord &r)
{
    json.beginObject(JsonWriter::Line);
    json.key("ParentIndex").value(r.parentIndex);
    json.key("Level").value(r.level);
    json.key("StructName").value(r.structName);
    json.key("ExtraContent").value(r.extraContent);
    json.key("ValueIndexes").intArray(r.valueIndexes);
    json.endObject();
}

void writeValue(JsonWriter &json, const ReportDocument &document, int index)
{
    const DataValue &v = document.values.at(index);
    json.beginObject(JsonWriter::Line);
    json.key("RecordIndex").value(v.recordIndex);
    json.key("FieldName").value(fieldName(document, v));
    json.key("Value").value(v.value);
    json.key("LoadedValue").value(loadedValue(document, index));
    json.endObject();
}

void writePlacedBand(JsonWriter &json, const PlacedBand &placed)
{
    json.beginObject(JsonWriter::Line);
    json.key("BandIndex").value(placed.bandIndex);
    json.key("Top").value(placed.top);
    json.key("Items").beginArray(JsonWriter::Line);
    for (const PlacedItem &item : placed.items) {
        json.beginObject(JsonWriter::Line);
        json.key("ObjectIndex").value(item.objectIndex);
        json.key("ValueIndex").value(item.valueIndex);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

void writePage(JsonWriter &json, const LaidPage &page)
{
    json.beginObject(JsonWriter::Block);
    json.key("PlacedBands").beginArray(JsonWriter::Block);
    for (const PlacedBand &placed : page.placedBands)
        writePlacedBand(json, placed);
    json.endArray();
    json.key("FilledTo").value(page.filledTo);
    json.key("BodyLimit").value(page.bodyLimit);
    json.endObject();
}

void writeDataPlacement(JsonWriter &json, const DataPlacement &placement)
{
    json.beginObject(JsonWriter::Line);
    json.key("PageIndex").value(placement.PageIndex);
    json.key("PlacedBandIndex").value(placement.placedBandIndex);
    json.key("BandIndex").value(placement.bandIndex);
    json.endObject();
}

template <typename T, typename Write>
void writeList(JsonWriter &json, const char *name, const QList<T> &list, Write write)
{
    json.key(name).beginArray(JsonWriter::Block);
    for (const T &entry : list)
        write(json, entry);
    json.endArray();
}

} // namespace

QByteArray dumpDocument(const ReportDocument &document)
{
    JsonWriter json;
    json.beginObject(JsonWriter::Block);
    writePageSetup(json, document);
    writeList(json, "Bands", document.bands, writeBand);
    writeList(json, "Objects", document.objects, writeObject);
    writeList(json, "Images", document.images, writeImage);
    writeList(json, "Records", document.records, writeRecord);
    json.key("Values").beginArray(JsonWriter::Block);
    for (int index = 0; index < document.values.size(); ++index)
        writeValue(json, document, index);
    json.endArray();
    writeList(json, "Pages", document.pages, writePage);
    writeList(json, "DataPlacements", document.dataPlacements, writeDataPlacement);
    json.endObject();
    return json.take();
}

} // namespace zet
