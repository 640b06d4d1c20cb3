#pragma once

namespace zet {

// Codes a template stores as numbers. Each enumerator has the stored number as
// its value. A template may store a number that has no name here: the value
// keeps it (the dump shows it) and every test of a code treats it as none of
// the named ones, so an unknown control type draws nothing and an unknown
// alignment draws no text.

// The kind of object ("ZETe_ControlType").
enum class ControlType : int {
    None = 0, // the element is missing
    Picture = 2,
    StretchedPicture = 3,
    FramedText = 4,
    Text = 5,
    Shape = 6,
};

// What a slot of the band table holds; Unused for slot 0 and for the data
// slots that get no level.
enum class BandKind : int {
    Unused = -1,
    TopMargin = 1,
    PageHeader = 2,
    ReportHeader = 3,
    Data = 4,
    ReportFooter = 5,
    PageFooter = 6,
    BottomMargin = 7,
};

// How a text object places its line ("Allineamento").
enum class TextAlignment : int {
    Left = 0,
    Right = 1,
    Centre = 2,
    Justified = 3, // characters spread over the width
};

// The figure of a shape object ("Stile").
enum class ShapeStyle : int {
    HorizontalLine = 0, // through the middle row, (top + bottom) / 2
    VerticalLine = 1, // through the middle column, (left + right) / 2
    RisingDiagonal = 2, // (right, top) to (left, bottom)
    FallingDiagonal = 3,
    Rectangle = 4,
    Ellipse = 5,
};

// Whether a data band is linked to the bands around it: repeated at the top
// of a new page above the band that starts it, or placed at a page end before
// the band that moves on. None leaves it unlinked.
enum class NewPageMode : int {
    None = 0,
    WithoutValues = 1, // the copy lists its "[SYS]" objects only
    WithValues = 2, // the copy lists its data objects too, with values
};

// Page breaks a band asks for, as flags: 3 is Before | After.
enum class BreakMode : int {
    None = 0,
    Before = 1,
    After = 2,
};

constexpr BreakMode operator|(BreakMode a, BreakMode b)
{
    return BreakMode(int(a) | int(b));
}

// True when mode holds the flag side. Only the numbers 0 to 3 are
// combinations of the flags: any other stored number breaks nowhere.
constexpr bool breaksAt(BreakMode mode, BreakMode side)
{
    const int bits = int(mode);
    return bits >= 0 && bits <= 3 && (bits & int(side)) != 0;
}

} // namespace zet
