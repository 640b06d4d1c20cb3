#pragma once

// The numeric codes of the device-context operations. They are the classic
// GDI values, because templates, callers and stored settings use them as
// numbers.

namespace zet::gdi {

// Mapping modes. kMapTwipsScale is the scale-mode argument that selects our
// twips mapping (anisotropic, 1440 logical units per inch on every device).
constexpr int kMapText = 1;
constexpr int kMapLoMetric = 2;
constexpr int kMapHiMetric = 3;
constexpr int kMapLoEnglish = 4;
constexpr int kMapHiEnglish = 5;
constexpr int kMapTwips = 6;
constexpr int kMapIsotropic = 7;
constexpr int kMapAnisotropic = 8;
constexpr int kMapTwipsScale = -1;

// Device capabilities.
constexpr int kCapHorzSize = 4; // millimetres
constexpr int kCapVertSize = 6; // millimetres
constexpr int kCapHorzRes = 8; // pixels
constexpr int kCapVertRes = 10; // pixels
constexpr int kCapBitsPixel = 12;
constexpr int kCapLogPixelsX = 88;
constexpr int kCapLogPixelsY = 90;
constexpr int kCapPhysicalWidth = 110; // pixels, whole sheet
constexpr int kCapPhysicalHeight = 111; // pixels, whole sheet
constexpr int kCapPhysicalOffsetX = 112; // pixels, sheet edge to printable area
constexpr int kCapPhysicalOffsetY = 113;

// Stretch modes.
constexpr int kStretchBlackOnWhite = 1;
constexpr int kStretchWhiteOnBlack = 2;
constexpr int kStretchColorOnColor = 3;
constexpr int kStretchHalftone = 4;

// Raster operations of the bit-block copies.
constexpr int kSrcCopy = 0x00CC0020; // 13369376
constexpr int kSrcPaint = 0x00EE0086;
constexpr int kSrcAnd = 0x008800C6;
constexpr int kSrcInvert = 0x00660046;
constexpr int kNotSrcCopy = 0x00330008;
constexpr int kDstInvert = 0x00550009;
constexpr int kBlackness = 0x00000042;
constexpr int kWhiteness = 0x00FF0062;

// Background modes.
constexpr int kBkTransparent = 1;
constexpr int kBkOpaque = 2;

// Pen styles.
constexpr int kPenSolid = 0;
constexpr int kPenDash = 1;
constexpr int kPenDot = 2;
constexpr int kPenDashDot = 3;
constexpr int kPenDashDotDot = 4;
constexpr int kPenNull = 5;
constexpr int kPenInsideFrame = 6;

// Brush styles and hatches.
constexpr int kBrushSolid = 0;
constexpr int kBrushHollow = 1;
constexpr int kBrushHatched = 2;
constexpr int kHatchHorizontal = 0;
constexpr int kHatchVertical = 1;
constexpr int kHatchForwardDiagonal = 2; // top left to bottom right
constexpr int kHatchBackwardDiagonal = 3;
constexpr int kHatchCross = 4;
constexpr int kHatchDiagonalCross = 5;

// Arc directions.
constexpr int kArcCounterClockwise = 1;
constexpr int kArcClockwise = 2;

// Text-drawing flags.
constexpr int kDtLeft = 0;
constexpr int kDtCenter = 1;
constexpr int kDtRight = 2;
constexpr int kDtVCenter = 4;
constexpr int kDtBottom = 8;
constexpr int kDtWordBreak = 16;
constexpr int kDtSingleLine = 32;
constexpr int kDtNoClip = 256;
constexpr int kDtCalcRect = 1024;
constexpr int kDtNoPrefix = 2048;

// Font weights written by the drawing context.
constexpr int kWeightNormal = 400;
constexpr int kWeightBold = 800;

} // namespace zet::gdi
