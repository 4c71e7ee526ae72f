// Page geometry of a print job: pure arithmetic on rectangles and sizes.
#pragma once

struct PageRect {
    int left, top, right, bottom;
};

// Factor from screen pixels to printer units: printable width / client width, at least 1;
// a client with no width also gives 1.
int PrintScale(int printableRight, int clientRight);

// A negative edge becomes 0; any other edge is multiplied by scale.
int ScaleEdge(int value, int scale);

// Outer rectangle of a window: its screen rectangle relative to the client origin, the caption
// height added to the top, then clamped and scaled edge by edge.
PageRect OuterPageRect(PageRect windowOnScreen, int originX, int originY, int captionHeight, int scale);
// Inner rectangle from the edit control's screen rectangle: no caption correction.
PageRect InnerPageRect(PageRect editOnScreen, int originX, int originY, int scale);

// Rounded a * b / c as the platform's MulDiv computes it; -1 when c is 0.
int RoundedMulDiv(int a, int b, int c);
// Points of a logical font height on a device of the given vertical resolution.
int FontPoints(int lfHeight, int pixelsPerInch);

// The part of a rectangle that lies on the printable area; empty (right <= left or bottom <= top)
// when none of it does.
PageRect VisiblePart(PageRect rect, PageRect printable);

// Character height for the caption lines. Measured at the height measuredAt, the longest line is
// measuredWidth wide and the lines together measuredHeight high. The lines fit width at any size, so
// that no line is cut; they fit band, the room above the inner area, down to minimum, below which
// they are drawn over the inner area rather than made smaller; and they are never set above maximum.
// 0 when not even a height of 1 fits the width.
int CaptionCharHeight(int measuredAt, int measuredWidth, int measuredHeight, int width, int band, int minimum,
                      int maximum);
