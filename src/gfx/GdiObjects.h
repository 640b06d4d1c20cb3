#pragma once

#include "gfx/GdiConstants.h"

#include <QColor>
#include <QPolygon>
#include <QString>

namespace zet {

// A colour as the report stores it: an RGB value with red in the low byte
// (255 red, 16777215 white). The top byte is ignored.
inline QColor colorFromRef(int colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

inline int colorToRef(const QColor &colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

// A pen as selected in a DeviceContext. Width is in logical units; a pen
// narrower than one device pixel (width 0 included) draws one pixel wide.
struct GdiPen
{
    int style = gdi::kPenSolid;
    int width = 0;
    int colour = 0;

    bool operator==(const GdiPen &) const = default;
};

// A brush as selected in a DeviceContext; hatch counts only for hatched brushes.
struct GdiBrush
{
    int style = gdi::kBrushSolid;
    int hatch = 0;
    int colour = 0xFFFFFF;

    bool operator==(const GdiBrush &) const = default;
};

// A logical font. Height is in logical units: negative asks for that
// character (em) height, positive for that cell height, 0 for the default.
// Escapement is in tenths of a degree, counter-clockwise.
struct GdiFont
{
    QString faceName = QStringLiteral("System");
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = gdi::kWeightNormal;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 1;

    bool operator==(const GdiFont &) const = default;
};

// Metrics of the selected font, in logical units of the context it was read in.
struct TextMetrics
{
    int height = 0; // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = 0;
    bool italic = false;
    bool underlined = false;
    bool struckOut = false;

    bool operator==(const TextMetrics &) const = default;
};

// A polygon region in logical units, filled with the alternate (even-odd)
// rule. An empty polygon is a freed or never-created region.
struct GdiRegion
{
    QPolygon polygon;
};

} // namespace zet
