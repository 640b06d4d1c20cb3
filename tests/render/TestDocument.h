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
        doc.PageWidth = 4320;
        doc.PageHeight = 2880;
    }

    int addBand(bool visible = true)
    {
        ReportBand &band = doc.Bands.emplace_back();
        band.Visible = visible;
        band.Height = 1440;
        return int(doc.Bands.size()) - 1;
    }

    // A printable white object of the given type at (left, topInBand), size
    // w x h. A fixed object (no data source) also joins the band's ObjectIndexes.
    ReportObject &addObject(int band, int controlType, double left, double topInBand, double width,
        double height, bool fixed = true)
    {
        ReportObject &object = doc.Objects.emplace_back();
        object.ControlType = controlType;
        object.Left = left;
        object.TopInBand = topInBand;
        object.Width = width;
        object.Height = height;
        object.Printable = true;
        object.BandIndex = band;
        object.BackColour = 0xFFFFFF;
        object.DataSource = fixed ? QString() : QStringLiteral("Campo");
        lastObject = int(doc.Objects.size()) - 1;
        if (fixed)
            doc.Bands[band].ObjectIndexes.append(lastObject);
        return object;
    }

    // A transparent text in 10-point Arial.
    ReportObject &addText(int band, const QString &text, double left, double topInBand, double width,
        double height, bool fixed = true)
    {
        ReportObject &object = addObject(band, kControlText, left, topInBand, width, height, fixed);
        object.Value = object.LoadedValue = text;
        object.TransparentBack = true;
        object.Font = ReportFont();
        object.Font->Name = QStringLiteral("Arial");
        object.Font->Size = 10;
        return object;
    }

    void addValue(const QString &text)
    {
        DataValue &value = doc.Values.emplace_back();
        value.Value = value.LoadedValue = text;
    }

    int addPage()
    {
        doc.Pages.emplace_back();
        return int(doc.Pages.size()) - 1;
    }

    // Places band on page at top (twips).
    void place(int page, int band, int top, const QList<PlacedItem> &items = {})
    {
        doc.Pages[page].PlacedBands.append(PlacedBand { band, items, top });
    }

    ReportDocument doc;
    int lastObject = -1;
};

// "number: message" of the zet::Error that call raises, or "no error".
template <typename Call> std::string RaisedError(Call &&call)
{
    try {
        call();
    } catch (const Error &e) {
        return std::to_string(e.number()) + ": " + e.message().toStdString();
    }
    return "no error";
}

} // namespace zet::testing
