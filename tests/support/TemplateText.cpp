#include "support/TemplateText.h"

#include "template/TemplateLoader.h"
#include "template/Vocabulary.h"
#include "xml/RecordsetData.h"

namespace zet::test {

namespace {

QString element(const QString &name, const QString &content)
{
    return QLatin1Char('<') + name + QLatin1Char('>') + content + QLatin1String("</") + name
        + QLatin1Char('>');
}

QString number(double value)
{
    return QString::number(value, 'g', 17);
}

QString structureText(const RecordSet &set, int level)
{
    QString content = element(key::LevelKey(key::kRecordsetStructName, level), set.Name);
    for (const QString &field : set.Fields)
        content += element(
            key::LevelKey(key::kField, level), element(key::LevelKey(key::kFieldName, level), field));
    for (const RecordSet &child : set.Children)
        content += structureText(child, level + 1);
    return element(key::LevelKey(key::kRecordsetStruct, level), content);
}

QString recordText(const Record &record)
{
    QString content;
    for (const auto &[field, value] : record.Values)
        content += element(field, value);
    for (const Record &child : record.Children)
        content += recordText(child);
    return element(record.Name, content);
}

const key::BandKeys &keysOf(Slot slot)
{
    return key::kBandKeys.at(slot - PageHeader);
}

} // namespace

TemplateText &TemplateText::version(int version)
{
    version_ = version;
    return *this;
}

TemplateText &TemplateText::page(double height, double marginTop, double marginBottom)
{
    pageHeight_ = height;
    marginTop_ = marginTop;
    marginBottom_ = marginBottom;
    return *this;
}

TemplateText &TemplateText::band(Slot slot, const BandShape &shape)
{
    bands_[slot] = shape;
    return *this;
}

TemplateText &TemplateText::object(Slot slot, const QString &dataSource)
{
    objects_.append({ slot, dataSource });
    return *this;
}

TemplateText &TemplateText::structure(const RecordSet &root)
{
    structure_ = { root };
    return *this;
}

bool TemplateText::visible(Slot slot) const
{
    if (slot == TopMargin || slot == BottomMargin)
        return true;
    const auto found = bands_.find(slot);
    return found != bands_.end() && found->second.Present;
}

double TemplateText::height(Slot slot) const
{
    if (slot == TopMargin)
        return marginTop_;
    if (slot == BottomMargin)
        return marginBottom_;
    const auto found = bands_.find(slot);
    return found == bands_.end() ? 0 : found->second.Height;
}

// The designer stacks the bands with a strip under each: 225 twips under the
// top margin, 285 under every other band (a band that is not visible keeps
// only its strip).
double TemplateText::designTop(Slot slot) const
{
    double top = 0;
    for (int s = TopMargin; s < slot; ++s) {
        const Slot before = Slot(s);
        if (!visible(before))
            top += 285;
        else
            top += height(before) + (before == TopMargin ? 225 : 285);
    }
    return top;
}

QString TemplateText::text() const
{
    QString text = element(key::kZetVersion, QString::number(version_));
    QString structure;
    for (const RecordSet &set : structure_)
        structure += structureText(set, 0);
    text += element(key::kZetRecordsetStruct, structure);
    text += element(key::kNome, QStringLiteral("Prova"));
    text += element(key::kAltezza, number(pageHeight_));
    text += element(key::kLarghezza, QStringLiteral("11906"));
    text += element(key::kMargineSuperiore, number(marginTop_));
    text += element(key::kMargineInferiore, number(marginBottom_));
    for (const auto &[slot, shape] : bands_) {
        const key::BandKeys &keys = keysOf(Slot(slot));
        text += element(keys.Presence, shape.Present ? QStringLiteral("-1") : QStringLiteral("0"));
        text += element(keys.Height, number(shape.Height));
        if (keys.Break.size() > 0)
            text += element(keys.Break, QString::number(shape.BreakMode));
        if (keys.NewPage.size() > 0)
            text += element(keys.NewPage, QString::number(shape.NewPage));
        if (keys.Repeat.size() > 0)
            text += element(keys.Repeat, QString::number(shape.Repeat));
    }
    int number = 0;
    for (const auto &[slot, dataSource] : objects_) {
        QString content = element(key::kZeteControlType, QStringLiteral("5"));
        content += element(key::kNome, QStringLiteral("Oggetto%1").arg(++number));
        content += element(key::kSinistra, QStringLiteral("0"));
        content += element(key::kAlto, QString::number(designTop(slot), 'g', 17));
        content += element(key::kLarghezza, QStringLiteral("1000"));
        content += element(key::kAltezza, QStringLiteral("0"));
        content
            += element(key::kFonteDati, dataSource.isEmpty() ? QString(key::kNullDataSource) : dataSource);
        content += element(key::kValore, QStringLiteral("testo"));
        text += element(key::kZetObject, content);
    }
    return text;
}

QString DataText(const QList<Record> &records)
{
    QString text;
    for (const Record &record : records)
        text += recordText(record);
    return text;
}

ReportDocument LoadReport(const TemplateText &templateText, const QList<Record> &records)
{
    ReportDocument document;
    LoadTemplate(document, templateText.text());
    QString data = DataText(records);
    ReadData(document, document.RecordsetStruct, data);
    return document;
}

QList<Record> Rows(int count, const QString &name, const QStringList &fields, int first)
{
    QList<Record> rows;
    for (int n = first; n < first + count; ++n) {
        Record row { name, {}, {} };
        for (const QString &field : fields)
            row.Values.append({ field, QStringLiteral("%1 %2").arg(field).arg(n) });
        rows.append(row);
    }
    return rows;
}

} // namespace zet::test
