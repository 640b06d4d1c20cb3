#pragma once

// The numeric codes of the drawing operations: the classic GDI values, which
// the object drawing passes as numbers.

namespace zet::gdi {

// Pen styles. Any style but solid makes the background transparent when selected.
constexpr int kPenSolid = 0;
constexpr int kPenNull = 5;

// Brush styles.
constexpr int kBrushSolid = 0;
constexpr int kBrushHollow = 1;

// Background modes of text and of the gaps behind lines.
constexpr int kBkTransparent = 1;
constexpr int kBkOpaque = 2;

// Stretch modes: black-on-white picks the nearest source pixel, halftone averages.
constexpr int kStretchBlackOnWhite = 1;
constexpr int kStretchHalftone = 4;

// Font weights written by the drawing context.
constexpr int kWeightNormal = 400;
constexpr int kWeightBold = 800;

} // namespace zet::gdi
