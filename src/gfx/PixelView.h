#pragma once

#include <QtGlobal>

namespace zet {

// Direct access to a bitmap surface's pixel memory, in the row order of a
// device-independent bitmap: scan line 0 is the bottom line of the picture.
// Element (x, y) is byte x of scan line y (a 24-bit pixel is blue, green, red).
// Writes reach the surface. A view does not own its memory: it is valid until
// the surface is re-created or destroyed. An empty view has no scan lines.
class PixelView
{
public:
    PixelView() = default;
    PixelView(uchar *topLine, int bytesPerScanLine, int scanLines)
        : top_(topLine)
        , stride_(bytesPerScanLine)
        , lines_(scanLines)
    { }

    bool isEmpty() const { return top_ == nullptr || lines_ <= 0; }
    int bytesPerScanLine() const { return stride_; }
    int scanLines() const { return lines_; }
    // First byte of scan line y (0 = bottom); raises zet::Error 9 outside.
    uchar *scanLine(int y) const;
    // Byte x of scan line y; raises zet::Error 9 outside the view.
    uchar &at(int x, int y) const;

private:
    uchar *top_ = nullptr; // the top line, as the image stores it
    int stride_ = 0;
    int lines_ = 0;
};

} // namespace zet
