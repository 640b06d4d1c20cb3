#include "GfxProbe.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPixmap>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

TEST(DeviceContext, TwipsMappingPutsAnInchOnTheDevicesPixelsPerInch)
{
    for (int dpi : { 96, 300 }) {
        SCOPED_TRACE(dpi);
        ProbeCanvas c(dpi * 3, dpi * 3, dpi, -1);
        EXPECT_EQ(c.api.deviceCapability(88), dpi);
        EXPECT_EQ(c.api.deviceCapability(90), dpi);
        c.api.setFillColour(kRed);
        EXPECT_EQ(c.dc.backgroundMode(), gdi::kBkOpaque);
        c.api.fillRect(1440, 1440, 2880, 2880);
        const QImage &img = c.finished();
        // [1 inch, 2 inches) on both axes.
        EXPECT_TRUE(isWhite(img, dpi - 1, dpi));
        EXPECT_TRUE(isWhite(img, dpi, dpi - 1));
        EXPECT_EQ(img.pixel(dpi, dpi), kRedRgb);
        EXPECT_EQ(img.pixel(2 * dpi - 1, 2 * dpi - 1), kRedRgb);
        EXPECT_TRUE(isWhite(img, 2 * dpi, 2 * dpi - 1));
        EXPECT_TRUE(isWhite(img, 2 * dpi - 1, 2 * dpi));
    }
}

TEST(DeviceContext, PdfThroughTheCallersPainterUsesItsResolution)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(600);
    QPainter painter(&writer);
    Bitmap picture;
    ASSERT_TRUE(picture.create(16, 16, 24));
    {
        DeviceContext dc(&painter);
        Canvas api;
        api.attach(&dc);
        api.setScaleMode(-1);
        EXPECT_EQ(api.deviceCapability(88), 600);
        EXPECT_EQ(dc.toDevice(QPoint(1440, 720)), QPoint(600, 300));
        ASSERT_TRUE(api.selectFont(arial(10)));
        int left = 0, top = 0, right = 2880, bottom = 300;
        api.drawText(QStringLiteral("Pagina 1"), left, top, right, bottom, 2080);
        picture.paintPicture(&dc, 0, 0, -1, -1, 0, 0);
        // A printer-like device cannot be read back: copying from it does nothing.
        api.paintPicture(picture.deviceContext(), 0, 0, 240, 240, 0, 0, gdi::kNotSrcCopy);
    }
    EXPECT_EQ(picture.image().pixel(8, 8), qRgb(0, 0, 0));
    EXPECT_TRUE(painter.isActive()); // the context leaves the caller's painter running
    painter.end();
    EXPECT_TRUE(pdf.data().startsWith("%PDF"));
    EXPECT_GT(pdf.data().size(), 1000);
}

TEST(DeviceContext, PixmapIsReadableAsASource)
{
    QImage image = whiteCanvas(20, 20);
    image.setPixel(5, 6, qRgb(1, 2, 3));
    QPixmap pixmap = QPixmap::fromImage(image);
    DeviceContext pixmapDc(&pixmap);
    Bitmap surface;
    ASSERT_TRUE(surface.create(10, 10, 24));
    Canvas target;
    target.attach(surface.deviceContext());
    target.loadPicture(&pixmapDc, 4, 4, 10, 10); // into the surface's origin
    EXPECT_EQ(surface.image().pixel(1, 2), qRgb(1, 2, 3));
    EXPECT_TRUE(isWhite(surface.image(), 0, 0));
    EXPECT_TRUE(isWhite(surface.image(), 9, 9));
}

TEST(Canvas, DetachedWrapperDoesNothing)
{
    Canvas api;
    int left = 0, top = 0, right = 100, bottom = 100;
    EXPECT_EQ(api.drawText(QStringLiteral("x"), left, top, right, bottom, 2080), 0);
    EXPECT_FALSE(api.selectFont(arial(10)));
    api.drawRectangle(0, 0, 20, 20);
    api.paintPicture(nullptr, 0, 0, 10, 10, 0, 0);
    EXPECT_EQ(api.deviceCapability(88), 0);
    EXPECT_EQ(api.arcDirection(), 0);
}
