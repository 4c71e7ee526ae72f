// The magnifier that follows the pointer during screen capture: its sizes, where it goes beside the
// pointer, and its caption. Pure arithmetic, no window in sight.
#pragma once

#include "ColorTypes.h"

// The block of screen pixels around the pointer: at most LOUPE_SPAN across (at the smallest zoom),
// the pointer's pixel in the middle, at most LOUPE_REACH pixels on each side of it.
constexpr int LOUPE_SPAN = 21;
constexpr int LOUPE_REACH = LOUPE_SPAN / 2;
constexpr int LOUPE_PIXELS = LOUPE_SPAN * LOUPE_SPAN;

// Zoom: each screen pixel drawn this many times across (at 96 DPI); the block shown shrinks as the
// zoom grows, so that the window keeps about its size.
constexpr int LOUPE_ZOOMS[] = {5, 10, 20};
constexpr int LOUPE_ZOOM_DEFAULT = 10;
// A stored zoom; anything but 5, 10 or 20 reads as 10.
int LoupeZoomFrom(long long stored);
// The next zoom up (step > 0) or down (step < 0), staying at the ends.
int StepLoupeZoom(int zoom, int step);
// The pixels shown across at a zoom: 21, 11 or 5.
int LoupeSpanFor(int zoom);

// The sample: the side of the square around the pointer whose mean is the colour taken.
constexpr int SAMPLE_SIDES[] = {1, 3, 5};
constexpr int SAMPLE_SIDE_DEFAULT = 1;
// A stored sample side; anything but 1, 3 or 5 reads as 1.
int SampleSideFrom(long long stored);

// The mean of the side x side square of 32-bit DIB pixels (0x00RRGGBB, rows of `stride` pixels)
// centred on (column, row), each channel rounded to nearest, as a COLORREF.
COLORREF MeanOfSquare(const std::uint32_t* pixels, int stride, int column, int row, int side);

// Black or white, whichever contrasts more with the colour: the outline around the sample.
COLORREF LoupeOutlineColor(COLORREF sampled);

constexpr int LOUPE_DESIGN_DPI = 96;

// Lengths of the magnifier in device pixels at a given resolution; the figures at 96 DPI are those
// of the LOUPE_*_96 constants.
struct LoupeMetrics {
    int span;          // screen pixels shown across and down
    int cell;          // one screen pixel drawn as a square of this side
    int grid;          // span cells
    int margin;        // around the grid and the caption, inside the window
    int captionHeight; // each of the text lines under the grid
    int fontHeight;    // character height of the caption
    int outline;       // width of the frame around the centre square
    int distance;      // from the pointer to the nearest edge of the window, across and down
    int width, height; // of the whole window
    int gridLeft;      // the grid's left edge: centred when the caption makes the window wider
};
constexpr int LOUPE_MARGIN_96 = 4;
constexpr int LOUPE_CAPTION_96 = 18;
constexpr int LOUPE_FONT_96 = 12;
constexpr int LOUPE_OUTLINE_96 = 1;
constexpr int LOUPE_DISTANCE_96 = 16; // clear of the pointer's arrow and of the pixels read
// Under the grid: the colour's code and channels, the sample it is, and the keys that work.
constexpr int LOUPE_TEXT_LINES = 3;

// A length at 96 DPI scaled to dpi, rounded as MulDiv rounds and never below 1; a resolution of 0
// or less counts as 96 DPI.
int ScaleLoupeLength(int lengthAt96, int dpi);
LoupeMetrics MakeLoupeMetrics(int dpi, int zoom = LOUPE_ZOOM_DEFAULT);
// The same metrics made wide enough for a caption of the given width in pixels.
LoupeMetrics WidenLoupeForCaption(const LoupeMetrics& metrics, int captionWidth);

struct LoupeRect {
    int left, top, right, bottom; // right and bottom exclusive
};

// Where the window of width × height goes for the pointer at (x, y) on the monitor: below and to
// the right of the pointer at `distance`, flipped to the left or above where it would cross the
// monitor's edge. It never overlaps the square of pixels read around the pointer (LOUPE_REACH
// each side), and lies wholly on the monitor whenever the monitor leaves room for that.
LoupeRect PlaceLoupe(int x, int y, int width, int height, int distance, const LoupeRect& monitor);

// The caption under the grid: the colour code (case as asked) and the channels "R,G,B".
struct LoupeCaption {
    char code[16];
    char channels[16];
};
LoupeCaption FormatLoupeCaption(COLORREF color, bool upperCase);

// A pixel of a 32-bit top-down DIB (0x00RRGGBB) as a COLORREF (0x00BBGGRR).
constexpr COLORREF ColorOfDibPixel(std::uint32_t pixel)
{
    return static_cast<COLORREF>(((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16));
}
