#pragma once

#include "model/ReportDocument.h"
#include "zetview/Error.h"

#include <string>

namespace zet::testing {

// Small laid-out documents for rendering tests: pages of 3 x 2 inches (4320 x
// 2880 twips) without margins.
class TestDocument
{
public:
    TestDocument() { doc.pageWidth = 4320, doc.pageHeight = 2880; }

    int addBand(bool visible = true)
    {
        ReportBand &band = doc.bands.emplace_back();
        band.visible = visible, band.height = 1440;
        return int(doc.bands.size()) - 1;
    }

    // A printable object with a white back colour; a fixed one (no data
    // source) joins the band's ObjectIndexes.
    ReportObject &addObject(int band, ControlType type, double left, double topInBand, double width,
        double height, bool fixed = true)
    {
        ReportObject &object = doc.objects.emplace_back();
        object.controlType = type;
        object.left = left, object.topInBand = topInBand, object.width = width, object.height = height;
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
        ReportObject &object = addObject(band, ControlType::Text, left, topInBand, width, height, fixed);
        object.value = object.loadedValue = text;
        object.transparentBack = true;
        object.font = ReportFont { .name = QStringLiteral("Arial"), .size = 10 };
        return object;
    }

    void addValue(const QString &text) { doc.values.append(DataValue { 0, {}, text, text }); }

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
