#pragma once

#include "model/ReportDocument.h"

namespace zet::testing {

// Small laid-out documents for rendering tests: pages of 3 x 2 inches (4320 x
// 2880 twips) without margins, bands 1440 twips high.
struct TestDocument
{
    TestDocument() { doc.pageWidth = 4320, doc.pageHeight = 2880; }

    int addBand(bool visible = true)
    {
        ReportBand &band = doc.bands.emplace_back();
        band.visible = visible, band.height = 1440;
        return int(doc.bands.size()) - 1;
    }

    // A printable white object; a fixed one (no data source) is in its band's list.
    ReportObject &addObject(int band, ControlType type, double left, double topInBand, double width,
        double height, bool fixed = true)
    {
        ReportObject &o = doc.objects.emplace_back();
        o.controlType = type, o.left = left, o.topInBand = topInBand, o.width = width, o.height = height;
        o.printable = true, o.bandIndex = band, o.backColour = 0xFFFFFF;
        o.dataSource = fixed ? QString() : QStringLiteral("Campo");
        lastObject = int(doc.objects.size()) - 1;
        if (fixed)
            doc.bands[band].objectIndexes.append(lastObject);
        return o;
    }

    // A transparent text in 10-point Arial.
    ReportObject &addText(int band, const QString &text, double left, double topInBand, double width,
        double height, bool fixed = true)
    {
        ReportObject &o = addObject(band, ControlType::Text, left, topInBand, width, height, fixed);
        o.value = o.loadedValue = text, o.transparentBack = true;
        o.font = ReportFont { .name = QStringLiteral("Arial"), .size = 10 };
        return o;
    }

    // A band with a red block at (1440, 720)-(2880, 1440) twips.
    int addRedBlockBand()
    {
        const int band = addBand();
        ReportObject &block = addObject(band, ControlType::Shape, 1440, 720, 1440, 720);
        block.style = ShapeStyle::Rectangle, block.backColour = 0x0000FF;
        return band;
    }

    void addValue(const QString &text) { doc.values.append(DataValue { 0, -1, text }); }

    int addPage() { return doc.pages.emplace_back(), int(doc.pages.size()) - 1; }
    void place(int page, int band, int top, const QList<PlacedItem> &items = {})
    {
        doc.pages[page].placedBands.append(PlacedBand { band, items, top });
    }

    ReportDocument doc;
    int lastObject = -1;
};

} // namespace zet::testing
