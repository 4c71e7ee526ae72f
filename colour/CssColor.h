// Colours written as CSS text ("rgb(51 102 153)", "hsl(210 50% 40%)", "#369", "navy"): pure functions.
#pragma once

#include <string_view>

#include "ColorTypes.h"

enum CssColorStatus {
    CSSCOLOR_OK = 0,
    CSSCOLOR_TRANSLUCENT = 1, // a colour, but one that lets what lies behind it show through
    CSSCOLOR_UNKNOWN = 2,     // no colour this parser understands
};

struct CssColorResult {
    CssColorStatus status;
    COLORREF color; // set on CSSCOLOR_OK only
};

// The forms of CSS Color 4 with sRGB values: #rgb, #rgba, #rrggbb, #rrggbbaa; rgb() and rgba() in
// the comma syntax (numbers or percentages, not mixed) and the space syntax with an optional
// "/ alpha"; hsl() and hsla() likewise; hwb(); "none" for a component in the space syntax; hue
// numbers in degrees or with deg, rad, grad or turn; the 148 named colours and "transparent".
// Names and units in any case, white space around the text ignored. Values outside their range
// are clamped; channels are rounded to the nearest 8-bit value. Only an alpha of 1 is opaque.
CssColorResult ParseCssColor(std::string_view text);
