#pragma once

#include "model/ReportDocument.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <map>
#include <utility>

namespace zet::test {

// Slots of the band table built from a template.
enum Slot : int {
    TopMargin = 1,
    PageHeader = 2,
    ReportHeader = 3,
    GroupHeader = 4,
    DataHeader = 5,
    Body = 6,
    DataFooter = 7,
    GroupFooter = 8,
    ReportFooter = 9,
    PageFooter = 10,
    BottomMargin = 11,
};

// The keys of one named band. A band that is not Present is written with its
// presence key false and all its other keys.
struct BandShape
{
    double height = 0;
    int breakMode = 0;
    int newPage = 0;
    int repeat = 0;
    bool present = true;
};

// One record set of the structure, with the record sets nested in its records.
struct RecordSet
{
    QString name;
    QStringList fields;
    QList<RecordSet> children;
};

// One data record: its element name, its field values in order, its children.
struct Record
{
    QString name;
    QList<std::pair<QString, QString>> values;
    QList<Record> children;
};

// Writes a template text from a compact description: page measures, the
// named bands (slots 2 to 10), text objects placed at the top of a band in the
// designer's stacked space, and the record-set structure. All in twips.
class TemplateText
{
public:
    TemplateText &version(int version);
    TemplateText &page(double height, double marginTop = 0, double marginBottom = 0);
    TemplateText &band(Slot slot, const BandShape &shape);
    // A text object in the band, showing dataSource: "" for fixed text, "[SYS]"
    // for a placeholder, "Set.[Field]" for a field. Objects are numbered in
    // the order they are added.
    TemplateText &object(Slot slot, const QString &dataSource);
    TemplateText &structure(const RecordSet &root);

    QString text() const;

private:
    double designTop(Slot slot) const;

    int version_ = 1;
    double pageHeight_ = 0;
    double marginTop_ = 0;
    double marginBottom_ = 0;
    std::map<int, BandShape> bands_;
    QList<std::pair<Slot, QString>> objects_;
    QList<RecordSet> structure_;
};

// A document as a request builds it before layout: the template loaded and
// the data read by its structure.
ReportDocument loadReport(const TemplateText &templateText, const QList<Record> &records);

// count records named name, each with one value per field: "<field> <n>",
// n counting from first.
QList<Record> rows(int count, const QString &name, const QStringList &fields, int first = 1);

} // namespace zet::test
