#pragma once

#include "model/ReportDocument.h"
#include "template/TemplateLoader.h"
#include "template/Vocabulary.h"
#include "xml/RecordsetData.h"
#include "zetview/Error.h"

#include <QStringList>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>

using namespace Qt::StringLiterals;

namespace zet::test {

// "number: message" of the zet::Error the call raises, or "no error"; errorNumber: 0 for none.
inline std::string errorText(const auto &call)
{
    try {
        call();
    } catch (const Error &error) {
        return std::to_string(error.number()) + ": " + error.message().toStdString();
    }
    return "no error";
}
inline int errorNumber(const auto &call)
{
    return std::atoi(errorText(call).c_str());
}

// "<name>value</name>" for each pair, in the order given.
inline QString elements(std::initializer_list<std::pair<QString, QString>> keys)
{
    QString text;
    for (const auto &[name, value] : keys)
        text += QLatin1Char('<') + name + QLatin1Char('>') + value + QLatin1String("</") + name
            + QLatin1Char('>');
    return text;
}

inline QString element(const QString &name, const QString &value)
{
    return elements({ { name, value } });
}

// Slots of the band table built from a template.
// clang-format off
enum Slot : int { TopMargin = 1, PageHeader, ReportHeader, GroupHeader, DataHeader, Body, DataFooter, GroupFooter,
    ReportFooter, PageFooter, BottomMargin };
// clang-format on

// The keys of one named band; one not present is written with its presence key false.
struct BandShape
{
    double height = 0;
    int breakMode = 0;
    int newPage = 0;
    int repeat = 0;
    bool present = true;
};

// A record set of the structure and the sets nested in its records.
struct RecordSet
{
    QString name;
    QStringList fields;
    QList<RecordSet> children;
};

// A data record: its element name, its field values in order, its children.
struct Record
{
    QString name;
    QList<std::pair<QString, QString>> values;
    QList<Record> children;
};

inline QString structureText(const RecordSet &set, int level)
{
    QString content = element(key::levelKey(key::kRecordsetStructName, level), set.name);
    for (const QString &field : set.fields)
        content += element(
            key::levelKey(key::kField, level), element(key::levelKey(key::kFieldName, level), field));
    for (const RecordSet &child : set.children)
        content += structureText(child, level + 1);
    return element(key::levelKey(key::kRecordsetStruct, level), content);
}

inline QString recordText(const Record &record)
{
    QString content;
    for (const auto &[field, value] : record.values)
        content += element(field, value);
    for (const Record &child : record.children)
        content += recordText(child);
    return element(record.name, content);
}

// A template text from a compact description, all in twips: page measures, named bands (slots 2 to 10),
// text objects at the top of a band in the designer's stacked space, the record-set structure.
class TemplateText
{
public:
    TemplateText &version(int version) { return version_ = version, *this; }
    TemplateText &page(double height, double marginTop = 0, double marginBottom = 0)
    {
        return pageHeight_ = height, marginTop_ = marginTop, marginBottom_ = marginBottom, *this;
    }
    TemplateText &band(Slot slot, const BandShape &shape) { return bands_[slot] = shape, *this; }
    // A text object in the band showing dataSource ("" fixed text, "[SYS]" a
    // placeholder, "Set.[Field]" a field), numbered in the order added.
    TemplateText &object(Slot slot, const QString &dataSource)
    {
        return objects_.append({ slot, dataSource }), *this;
    }
    TemplateText &structure(const RecordSet &root) { return structure_ = { root }, *this; }

    QString text() const
    {
        const auto number = [](double value) { return QString::number(value, 'g', 17); };
        QString text = elements({ { key::kZetVersion, QString::number(version_) },
            { key::kZetRecordsetStruct, structure_.isEmpty() ? QString() : structureText(structure_[0], 0) },
            { key::kNome, u"Prova"_s }, { key::kAltezza, number(pageHeight_) },
            { key::kLarghezza, u"11906"_s }, { key::kMargineSuperiore, number(marginTop_) },
            { key::kMargineInferiore, number(marginBottom_) } });
        for (const auto &[slot, shape] : bands_) {
            const key::BandKeys &keys = key::kBandKeys.at(slot - PageHeader);
            text += elements({ { keys.Presence, shape.present ? u"-1"_s : u"0"_s },
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
                elements({ { key::kZeteControlType, u"5"_s }, { key::kNome, u"Oggetto%1"_s.arg(n + 1) },
                    { key::kSinistra, u"0"_s }, { key::kAlto, number(designTop(slot)) },
                    { key::kLarghezza, u"1000"_s }, { key::kAltezza, u"0"_s },
                    { key::kFonteDati, dataSource.isEmpty() ? QString(key::kNullDataSource) : dataSource },
                    { key::kValore, u"testo"_s } }));
        }
        return text;
    }

private:
    // The designer stacks the bands with a strip under each: 225 twips under the top margin, 285 under
    // every other band (a band that is not visible keeps only its strip).
    double designTop(Slot slot) const
    {
        double top = marginTop_ + 225;
        for (int s = PageHeader; s < slot; ++s) {
            const auto found = bands_.find(s);
            top += 285 + (found != bands_.end() && found->second.present ? found->second.height : 0);
        }
        return slot == TopMargin ? 0 : top;
    }

    int version_ = 1;
    double pageHeight_ = 0, marginTop_ = 0, marginBottom_ = 0;
    std::map<int, BandShape> bands_;
    QList<std::pair<Slot, QString>> objects_;
    QList<RecordSet> structure_;
};

// A document as a request builds it before layout: the template loaded and
// the data read by its structure.
inline ReportDocument loadReport(const TemplateText &templateText, const QList<Record> &records)
{
    ReportDocument document;
    loadTemplate(document, templateText.text());
    QString data;
    for (const Record &record : records)
        data += recordText(record);
    readData(document, document.recordsetStruct, data);
    return document;
}

// count records named name, each with one value "<field> <n>" per field, n from first.
inline QList<Record> rows(int count, const QString &name, const QStringList &fields, int first = 1)
{
    QList<Record> rows;
    for (int n = first; n < first + count; ++n) {
        rows.append({ name, {}, {} });
        for (const QString &field : fields)
            rows.last().values.append({ field, u"%1 %2"_s.arg(field).arg(n) });
    }
    return rows;
}

} // namespace zet::test
