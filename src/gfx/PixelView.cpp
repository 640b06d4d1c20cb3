#include "gfx/PixelView.h"

#include "zetview/Error.h"

namespace zet {

uchar *PixelView::scanLine(int y) const
{
    if (y < 0 || y >= lines_ || top_ == nullptr)
        throw Error::subscriptOutOfRange();
    // Scan line 0 is the bottom line, which the image stores last.
    return top_ + qsizetype(lines_ - 1 - y) * stride_;
}

uchar &PixelView::at(int x, int y) const
{
    if (x < 0 || x >= stride_)
        throw Error::subscriptOutOfRange();
    return scanLine(y)[x];
}

} // namespace zet
