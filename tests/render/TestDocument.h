#pragma once

#include "model/ReportDocument.h"
#include "zetview/Error.h"

#include <string>

namespace zet::testing {

// Builds small laid-out documents for rendering tests. Page size defaults to
// 3 x 2 inches (4320 x 2880 twips) with no margins.
class TestDocument
{
public:
    TestDocument()
    {
        doc.pageWidth = 4320;
        doc.pageHeight = 2880;
    }

    int addBand(bool visible = true)
    {
        ReportBand &band = doc.bands.emplace_back();
        band.visible = visible;
        band.height = 1440;
        return int(doc.bands.size()) - 1;
    }

    // A printable white object of the given type at (left, topInBand), size
    // w x h. A fixed object (no data source) also joins the band's ObjectIndexes.
    ReportObject &addObject(int band, int controlType, double left, double topInBand, double width,
        double height, bool fixed = true)
    {
        ReportObject &object = doc.objects.emplace_back();
        object.controlType = controlType;
        object.left = left;
        object.topInBand = topInBand;
        object.width = width;
        object.height = height;
        object.printable = true;
        object.bandIndex = band;
        object.backColour = 0xFFFFFF;
        object.dataSource = fixed ? QString() : QStringLiteral("Campo");
        lastObject = int(doc.objects.size()) - 1;
        if (fixed)
            doc.bands[band].objectIndexes.append(lastObject);
        return object;
    }

    // A transparent text in 10-point Arial.
    ReportObject &addText(int band, const QString &text, double left, double topInBand, double width,
        double height, bool fixed = true)
    {
        ReportObject &object = addObject(band, kControlText, left, topInBand, width, height, fixed);
        object.value = object.loadedValue = text;
        object.transparentBack = true;
        object.font = ReportFont();
        object.font->name = QStringLiteral("Arial");
        object.font->size = 10;
        return object;
    }

    void addValue(const QString &text)
    {
        DataValue &value = doc.values.emplace_back();
        value.value = value.loadedValue = text;
    }

    int addPage()
    {
        doc.pages.emplace_back();
        return int(doc.pages.size()) - 1;
    }

    // Places band on page at top (twips).
    void place(int page, int band, int top, const QList<PlacedItem> &items = {})
    {
        doc.pages[page].placedBands.append(PlacedBand { band, items, top });
    }

    ReportDocument doc;
    int lastObject = -1;
};

// "number: message" of the zet::Error that call raises, or "no error".
template <typename Call> std::string raisedError(Call &&call)
{
    try {
        call();
    } catch (const Error &e) {
        return std::to_string(e.number()) + ": " + e.message().toStdString();
    }
    return "no error";
}

} // namespace zet::testing
