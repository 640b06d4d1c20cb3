#pragma once

#include "model/ReportDocument.h"

namespace zet::testing {

// Builds small laid-out documents for rendering tests. Page size defaults to
// 3 x 2 inches (4320 x 2880 twips) with no margins.
class TestDocument
{
public:
    TestDocument()
    {
        doc.PageWidth = 4320;
        doc.PageHeight = 2880;
    }

    int addBand(bool visible = true)
    {
        ReportBand band;
        band.Visible = visible;
        band.Height = 1440;
        doc.Bands.append(band);
        return int(doc.Bands.size()) - 1;
    }

    // A printable object of the given type at (left, topInBand), size w x h.
    // A fixed object (no data source) also joins the band's ObjectIndexes.
    ReportObject &addObject(int band, int controlType, double left, double topInBand, double width,
        double height, bool fixed = true)
    {
        ReportObject object;
        object.ControlType = controlType;
        object.Left = left;
        object.TopInBand = topInBand;
        object.Width = width;
        object.Height = height;
        object.Printable = true;
        object.BandIndex = band;
        object.BackColour = 0xFFFFFF;
        if (!fixed)
            object.DataSource = QStringLiteral("Campo");
        doc.Objects.append(object);
        const int index = int(doc.Objects.size()) - 1;
        if (fixed)
            doc.Bands[band].ObjectIndexes.append(index);
        lastObject = index;
        return doc.Objects.last();
    }

    ReportObject &addText(int band, const QString &text, double left, double topInBand, double width,
        double height, bool fixed = true)
    {
        ReportObject &object = addObject(band, kControlText, left, topInBand, width, height, fixed);
        object.Value = text;
        object.LoadedValue = text;
        object.TransparentBack = true;
        ReportFont font;
        font.Name = QStringLiteral("Arial");
        font.Size = 10;
        object.Font = font;
        return object;
    }

    int addValue(const QString &text)
    {
        DataValue value;
        value.Value = text;
        value.LoadedValue = text;
        doc.Values.append(value);
        return int(doc.Values.size()) - 1;
    }

    int addPage()
    {
        doc.Pages.append(LaidPage());
        return int(doc.Pages.size()) - 1;
    }

    // Places band on page at top (twips); returns the placed band's index.
    int place(int page, int band, int top, const QList<PlacedItem> &items = {})
    {
        PlacedBand placed;
        placed.BandIndex = band;
        placed.Top = top;
        placed.Items = items;
        doc.Pages[page].PlacedBands.append(placed);
        return int(doc.Pages[page].PlacedBands.size()) - 1;
    }

    ReportDocument doc;
    int lastObject = -1;
};

} // namespace zet::testing
