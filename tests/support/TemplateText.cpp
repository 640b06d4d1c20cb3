#include "support/TemplateText.h"

#include "template/TemplateLoader.h"
#include "template/Vocabulary.h"
#include "xml/RecordsetData.h"

namespace zet::test {

namespace {

QString structureText(const RecordSet &set, int level)
{
    QString content = element(key::levelKey(key::kRecordsetStructName, level), set.name);
    for (const QString &field : set.fields)
        content += element(
            key::levelKey(key::kField, level), element(key::levelKey(key::kFieldName, level), field));
    for (const RecordSet &child : set.children)
        content += structureText(child, level + 1);
    return element(key::levelKey(key::kRecordsetStruct, level), content);
}

QString recordText(const Record &record)
{
    QString content;
    for (const auto &[field, value] : record.values)
        content += element(field, value);
    for (const Record &child : record.children)
        content += recordText(child);
    return element(record.name, content);
}

} // namespace

// The designer stacks the bands with a strip under each: 225 twips under the top margin, 285 under
// every other band (a band that is not visible keeps only its strip).
double TemplateText::designTop(Slot slot) const
{
    double top = marginTop_ + 225;
    for (int s = PageHeader; s < slot; ++s) {
        const auto found = bands_.find(s);
        top += 285 + (found != bands_.end() && found->second.present ? found->second.height : 0);
    }
    return slot == TopMargin ? 0 : top;
}

QString TemplateText::text() const
{
    const auto number = [](double value) { return QString::number(value, 'g', 17); };
    QString text = elements({ { key::kZetVersion, QString::number(version_) },
        { key::kZetRecordsetStruct, structure_.isEmpty() ? QString() : structureText(structure_[0], 0) },
        { key::kNome, QStringLiteral("Prova") }, { key::kAltezza, number(pageHeight_) },
        { key::kLarghezza, QStringLiteral("11906") }, { key::kMargineSuperiore, number(marginTop_) },
        { key::kMargineInferiore, number(marginBottom_) } });
    for (const auto &[slot, shape] : bands_) {
        const key::BandKeys &keys = key::kBandKeys.at(slot - PageHeader);
        text += elements({ { keys.Presence, shape.present ? QStringLiteral("-1") : QStringLiteral("0") },
            { keys.height, number(shape.height) } });
        for (const auto &[name, value] : { std::pair { keys.Break, shape.breakMode },
                 { keys.newPage, shape.newPage }, { keys.repeat, shape.repeat } }) {
            if (name.size() > 0)
                text += element(name, QString::number(value));
        }
    }
    for (int n = 0; n < objects_.size(); ++n) {
        const auto &[slot, dataSource] = objects_.at(n);
        text += element(key::kZetObject,
            elements({ { key::kZeteControlType, QStringLiteral("5") },
                { key::kNome, QStringLiteral("Oggetto%1").arg(n + 1) },
                { key::kSinistra, QStringLiteral("0") }, { key::kAlto, number(designTop(slot)) },
                { key::kLarghezza, QStringLiteral("1000") }, { key::kAltezza, QStringLiteral("0") },
                { key::kFonteDati, dataSource.isEmpty() ? QString(key::kNullDataSource) : dataSource },
                { key::kValore, QStringLiteral("testo") } }));
    }
    return text;
}

ReportDocument loadReport(const TemplateText &templateText, const QList<Record> &records)
{
    ReportDocument document;
    loadTemplate(document, templateText.text());
    QString data;
    for (const Record &record : records)
        data += recordText(record);
    readData(document, document.recordsetStruct, data);
    return document;
}

QList<Record> rows(int count, const QString &name, const QStringList &fields, int first)
{
    QList<Record> rows;
    for (int n = first; n < first + count; ++n) {
        rows.append({ name, {}, {} });
        for (const QString &field : fields)
            rows.last().values.append({ field, QStringLiteral("%1 %2").arg(field).arg(n) });
    }
    return rows;
}

} // namespace zet::test
