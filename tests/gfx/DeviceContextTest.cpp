#include "gfx/DeviceContext.h"
#include "gfx/clsGFX_API.h"

#include "GfxProbe.h"

#include <gtest/gtest.h>

using namespace zet;
using zet::test::isWhite;
using zet::test::whiteCanvas;

TEST(DeviceContext, TwipsMappingPutsAnInchOnTheDevicesPixelsPerInch)
{
    for (int dpi : { 96, 300 }) {
        SCOPED_TRACE(dpi);
        QImage image = whiteCanvas(dpi * 3, dpi * 3, dpi);
        {
            DeviceContext dc(&image);
            clsGFX_API api;
            api.HDC_Attach(&dc);
            api.Config_SetScaleMode(-1);
            EXPECT_EQ(api.HDC_GetDeviceCapability(88), dpi);
            EXPECT_EQ(api.HDC_GetDeviceCapability(90), dpi);
            api.Draw_FillRect_SetColor(0x0000FF);
            api.Draw_FillRect(1440, 1440, 2880, 2880);
        }
        EXPECT_TRUE(isWhite(image, dpi - 1, dpi));
        EXPECT_EQ(image.pixel(dpi, dpi), qRgb(255, 0, 0));
        EXPECT_EQ(image.pixel(2 * dpi - 1, 2 * dpi - 1), qRgb(255, 0, 0));
        EXPECT_TRUE(isWhite(image, 2 * dpi, 2 * dpi - 1));
    }
}
