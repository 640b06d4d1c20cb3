#pragma once

#include "model/ReportDocument.h"

#include <QStringList>
#include <initializer_list>
#include <map>
#include <utility>

namespace zet::test {

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

// A template text from a compact description, all in twips: page measures, named bands (slots 2 to 10),
// text objects at the top of a band in the designer's stacked space, the record-set structure.
class TemplateText
{
public:
    TemplateText &version(int version)
    {
        version_ = version;
        return *this;
    }
    TemplateText &page(double height, double marginTop = 0, double marginBottom = 0)
    {
        pageHeight_ = height, marginTop_ = marginTop, marginBottom_ = marginBottom;
        return *this;
    }
    TemplateText &band(Slot slot, const BandShape &shape)
    {
        bands_[slot] = shape;
        return *this;
    }
    // A text object in the band showing dataSource ("" fixed text, "[SYS]" a
    // placeholder, "Set.[Field]" a field), numbered in the order added.
    TemplateText &object(Slot slot, const QString &dataSource)
    {
        objects_.append({ slot, dataSource });
        return *this;
    }
    TemplateText &structure(const RecordSet &root)
    {
        structure_ = { root };
        return *this;
    }

    QString text() const;

private:
    double designTop(Slot slot) const;

    int version_ = 1;
    double pageHeight_ = 0, marginTop_ = 0, marginBottom_ = 0;
    std::map<int, BandShape> bands_;
    QList<std::pair<Slot, QString>> objects_;
    QList<RecordSet> structure_;
};

// A document as a request builds it before layout: the template loaded and
// the data read by its structure.
ReportDocument loadReport(const TemplateText &templateText, const QList<Record> &records);

// count records named name, each with one value "<field> <n>" per field, n from first.
QList<Record> rows(int count, const QString &name, const QStringList &fields, int first = 1);

} // namespace zet::test
