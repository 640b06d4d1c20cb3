#include "gfx/clsGFX_2D.h"
#include "gfx/clsGFX_API.h"

#include "GfxProbe.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPixmap>
#include <gtest/gtest.h>

using namespace zet;

TEST(DeviceKinds, PdfThroughTheCallersPainterUsesItsResolution)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(600);
    QPainter painter(&writer);
    {
        DeviceContext dc(&painter);
        clsGFX_API api;
        api.HDC_Attach(&dc);
        api.Config_SetScaleMode(-1);
        EXPECT_EQ(api.HDC_GetDeviceCapability(88), 600);
        EXPECT_EQ(dc.toDevice(QPoint(1440, 720)), QPoint(600, 300));
        ReportFont font;
        font.Name = QStringLiteral("Arial");
        ASSERT_TRUE(api.Text_SetFont(font));
        int left = 0, top = 0, right = 2880, bottom = 300;
        api.Text_DrawText(QStringLiteral("Pagina 1"), left, top, right, bottom, 2080);
        api.Draw_SelectPen(0, 1, 0);
        api.Draw_Rectangle(0, 0, 2880, 1440);
        clsGFX_2D picture;
        ASSERT_TRUE(picture.Create(16, 16, 24));
        clsGFX_API pictureApi;
        pictureApi.HDC_Attach(picture.Get_hDC());
        pictureApi.Config_SetScaleMode(-1);
        pictureApi.BitBlt_PaintPicture(&dc, 0, 0, 240, 240, 0, 0);
        // A printer-like device cannot be read back: copying from it does nothing.
        api.BitBlt_PaintPicture(picture.Get_hDC(), 0, 0, 240, 240, 0, 0);
    }
    EXPECT_TRUE(painter.isActive()); // the context leaves the caller's painter running
    painter.end();
    EXPECT_TRUE(pdf.data().startsWith("%PDF"));
    EXPECT_GT(pdf.data().size(), 1000);
}

TEST(DeviceKinds, PixmapIsReadableAsASource)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(QColor(0, 0, 255));
    DeviceContext pixmapDc(&pixmap);
    clsGFX_2D surface;
    ASSERT_TRUE(surface.Create(20, 20, 24));
    surface.BitBlt_LoadPicture(&pixmapDc, 0, 0, -1, -1);
    EXPECT_EQ(surface.Get_hDIB().pixel(10, 10), qRgb(0, 0, 255));
}
