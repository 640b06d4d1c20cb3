#pragma once

#include "gfx/GdiConstants.h"

#include <QColor>
#include <QString>

namespace zet {

// A colour as the report stores it: an RGB value with red in the low byte
// (255 red, 16777215 white). The top byte is ignored.
inline QColor toQColor(int colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// How logical units map to device pixels: one to one, or 1440 to the inch
// (the device's logical dpi) on both axes, with y pointing down.
enum class MapMode {
    Pixels,
    Twips,
};

// A pen as selected in a DeviceContext. Width is in logical units; a pen
// that rounds to one device pixel or less (width 0 included) is a hairline.
struct GdiPen
{
    int style = gdi::kPenSolid;
    int width = 0;
    int colour = 0;

    bool operator==(const GdiPen &) const = default;
};

// A brush as selected in a DeviceContext.
struct GdiBrush
{
    int style = gdi::kBrushSolid;
    int colour = 0xFFFFFF;

    bool operator==(const GdiBrush &) const = default;
};

// A logical font. Height is in logical units: negative asks for that
// character (em) height, positive for that cell height, 0 for the default.
struct GdiFont
{
    QString faceName = QStringLiteral("System");
    int height = 0;
    int weight = gdi::kWeightNormal;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const GdiFont &) const = default;
};

} // namespace zet
