#pragma once

namespace zet {

// Every length in a report is in twips, 1/1440 inch, on every device.
constexpr int kTwipsPerInch = 1440;

// One picture pixel stands for 15 twips: a picture is sized as on a 96-dpi
// screen, whatever resolution its file states.
constexpr int kTwipsPerPicturePixel = 15;
// A picture surface's dots per metre at that resolution (96 / 0.0254, rounded).
constexpr int kPictureDotsPerMetre = 3780;

// Device pixels for a length in twips at dpi dots per inch (not rounded).
constexpr double twipsToPixels(double twips, double dpi)
{
    return twips * dpi / kTwipsPerInch;
}

// Twips for a length in device pixels at dpi dots per inch (not rounded).
constexpr double pixelsToTwips(double pixels, double dpi)
{
    return pixels * kTwipsPerInch / dpi;
}

} // namespace zet
