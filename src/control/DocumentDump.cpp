#include "control/DocumentDump.h"

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
    json.key("TemplateVersion").value(d.TemplateVersion);
    json.key("ReportName").value(d.ReportName);
    json.key("RecordsetStruct").value(d.RecordsetStruct);
    json.key("PageHeight").value(d.PageHeight);
    json.key("GridStep").value(d.GridStep);
    json.key("PageWidth").value(d.PageWidth);
    json.key("MarginRight").value(d.MarginRight);
    json.key("MarginBottom").value(d.MarginBottom);
    json.key("MarginLeft").value(d.MarginLeft);
    json.key("MarginTop").value(d.MarginTop);
    json.key("DataSourceModel").value(d.DataSourceModel);
    json.key("ColouredSections").value(d.ColouredSections);
    json.key("ShowGrid").value(d.ShowGrid);
    json.key("ShowMargins").value(d.ShowMargins);
    json.key("HasFramedFields").value(d.HasFramedFields);
    json.key("ExportFileName").value(d.ExportFileName);
}

void writeBand(JsonWriter &json, const ReportBand &b)
{
    json.beginObject(JsonWriter::Block);
    json.key("Visible").value(b.Visible);
    json.key("Height").value(b.Height);
    json.key("BreakMode").value(b.BreakMode);
    json.key("NewPage").value(b.NewPage);
    json.key("Repeat").value(b.Repeat);
    json.key("StackTop").value(b.StackTop);
    json.key("DesignTop").value(b.DesignTop);
    json.key("DesignBottom").value(b.DesignBottom);
    json.key("ObjectIndexes").intArray(b.ObjectIndexes);
    json.key("Kind").value(b.Kind);
    json.key("DataLevel").value(b.DataLevel);
    json.key("RecordsetName").value(b.RecordsetName);
    json.key("LinkPrev").value(b.LinkPrev);
    json.key("LinkNext").value(b.LinkNext);
    json.key("LinkHeight").value(b.LinkHeight);
    json.endObject();
}

void writeFont(JsonWriter &json, const std::optional<ReportFont> &font)
{
    if (!font) {
        json.null();
        return;
    }
    json.beginObject(JsonWriter::Line);
    json.key("Name").value(font->Name);
    json.key("Size").value(font->Size);
    json.key("Bold").value(font->Bold());
    json.key("Italic").value(font->Italic);
    json.key("Underline").value(font->Underline);
    json.key("Strikethrough").value(font->Strikethrough);
    json.endObject();
}

void writeObject(JsonWriter &json, const ReportObject &o)
{
    json.beginObject(JsonWriter::Block);
    json.key("ControlType").value(o.ControlType);
    json.key("Name").value(o.Name);
    json.key("FitToImage").value(o.FitToImage);
    json.key("FitToControl").value(o.FitToControl);
    json.key("Alignment").value(o.Alignment);
    json.key("Height").value(o.Height);
    json.key("Top").value(o.Top);
    json.key("Border").value(o.Border);
    json.key("BorderColour").value(o.BorderColour);
    json.key("BackColour").value(o.BackColour);
    json.key("TextColour").value(o.TextColour);
    writeFont(json.key("Font"), o.Font);
    json.key("DataSource").value(o.DataSource);
    json.key("ImageId").value(o.ImageId);
    json.key("Width").value(o.Width);
    json.key("TransparentBack").value(o.TransparentBack);
    json.key("Left").value(o.Left);
    json.key("Printable").value(o.Printable);
    json.key("Style").value(o.Style);
    json.key("Value").value(o.Value);
    json.key("ZOrder").value(o.ZOrder);
    json.key("TopInBand").value(o.TopInBand);
    json.key("BandIndex").value(o.BandIndex);
    json.key("ImageIndex").value(o.ImageIndex);
    json.key("LoadedValue").value(o.LoadedValue);
    json.endObject();
}

void writeImage(JsonWriter &json, const ImageEntry &image)
{
    json.beginObject(JsonWriter::Line);
    json.key("Id").value(image.Id);
    json.key("Width").value(image.Surface.width());
    json.key("Height").value(image.Surface.height());
    json.endObject();
}

void writeRecord(JsonWriter &json, const DataRecord &r)
{
    json.beginObject(JsonWriter::Line);
    json.key("ParentIndex").value(r.ParentIndex);
    json.key("Level").value(r.Level);
    json.key("StructName").value(r.StructName);
    json.key("ExtraContent").value(r.ExtraContent);
    json.key("ValueIndexes").intArray(r.ValueIndexes);
    json.endObject();
}

void writeValue(JsonWriter &json, const DataValue &v)
{
    json.beginObject(JsonWriter::Line);
    json.key("RecordIndex").value(v.RecordIndex);
    json.key("FieldName").value(v.FieldName);
    json.key("Value").value(v.Value);
    json.key("LoadedValue").value(v.LoadedValue);
    json.endObject();
}

void writePlacedBand(JsonWriter &json, const PlacedBand &placed)
{
    json.beginObject(JsonWriter::Line);
    json.key("BandIndex").value(placed.BandIndex);
    json.key("Top").value(placed.Top);
    json.key("Items").beginArray(JsonWriter::Line);
    for (const PlacedItem &item : placed.Items) {
        json.beginObject(JsonWriter::Line);
        json.key("ObjectIndex").value(item.ObjectIndex);
        json.key("ValueIndex").value(item.ValueIndex);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

void writePage(JsonWriter &json, const LaidPage &page)
{
    json.beginObject(JsonWriter::Block);
    json.key("PlacedBands").beginArray(JsonWriter::Block);
    for (const PlacedBand &placed : page.PlacedBands)
        writePlacedBand(json, placed);
    json.endArray();
    json.key("FilledTo").value(page.FilledTo);
    json.key("BodyLimit").value(page.BodyLimit);
    json.endObject();
}

void writeDataPlacement(JsonWriter &json, const DataPlacement &placement)
{
    json.beginObject(JsonWriter::Line);
    json.key("PageIndex").value(placement.PageIndex);
    json.key("PlacedBandIndex").value(placement.PlacedBandIndex);
    json.key("BandIndex").value(placement.BandIndex);
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

QByteArray DumpDocument(const ReportDocument &document)
{
    JsonWriter json;
    json.beginObject(JsonWriter::Block);
    writePageSetup(json, document);
    writeList(json, "Bands", document.Bands, writeBand);
    writeList(json, "Objects", document.Objects, writeObject);
    writeList(json, "Images", document.Images, writeImage);
    writeList(json, "Records", document.Records, writeRecord);
    writeList(json, "Values", document.Values, writeValue);
    writeList(json, "Pages", document.Pages, writePage);
    writeList(json, "DataPlacements", document.DataPlacements, writeDataPlacement);
    json.endObject();
    return json.take();
}

} // namespace zet
