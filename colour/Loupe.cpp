// The magnifier's sizes, placement and caption.
#include "Loupe.h"

#include <cstdio>

#include "ColorModel.h"
#include "Contrast.h"

int ScaleLoupeLength(int lengthAt96, int dpi)
{
    if (dpi <= 0) dpi = LOUPE_DESIGN_DPI;
    const long long scaled =
        (static_cast<long long>(lengthAt96) * dpi + LOUPE_DESIGN_DPI / 2) / LOUPE_DESIGN_DPI;
    return scaled < 1 ? 1 : scaled > 1 << 20 ? 1 << 20 : static_cast<int>(scaled);
}

int LoupeZoomFrom(long long stored)
{
    for (int zoom : LOUPE_ZOOMS)
        if (stored == zoom) return zoom;
    return LOUPE_ZOOM_DEFAULT;
}

int StepLoupeZoom(int zoom, int step)
{
    constexpr int count = sizeof LOUPE_ZOOMS / sizeof LOUPE_ZOOMS[0];
    int at = 0;
    while (at < count - 1 && LOUPE_ZOOMS[at] != LoupeZoomFrom(zoom))
        ++at;
    at += step > 0 ? 1 : step < 0 ? -1 : 0;
    return LOUPE_ZOOMS[at < 0 ? 0 : at >= count ? count - 1 : at];
}

int LoupeSpanFor(int zoom)
{
    // An odd count that fills about the grid of 11 pixels at the default zoom, so that the window
    // keeps its size.
    constexpr int defaultSpan = 11;
    const int across = defaultSpan * LOUPE_ZOOM_DEFAULT / LoupeZoomFrom(zoom);
    const int span = across % 2 ? across : across - 1;
    return span > LOUPE_SPAN ? LOUPE_SPAN : span;
}

int SampleSideFrom(long long stored)
{
    for (int side : SAMPLE_SIDES)
        if (stored == side) return side;
    return SAMPLE_SIDE_DEFAULT;
}

COLORREF MeanOfSquare(const std::uint32_t* pixels, int stride, int column, int row, int side)
{
    const int reach = side / 2;
    unsigned red = 0, green = 0, blue = 0;
    for (int y = row - reach; y <= row + reach; ++y) {
        for (int x = column - reach; x <= column + reach; ++x) {
            const std::uint32_t pixel = pixels[y * stride + x];
            red += (pixel >> 16) & 0xFF;
            green += (pixel >> 8) & 0xFF;
            blue += pixel & 0xFF;
        }
    }
    const unsigned count = static_cast<unsigned>(side * side);
    return ComposeColor(static_cast<int>((red + count / 2) / count),
                        static_cast<int>((green + count / 2) / count),
                        static_cast<int>((blue + count / 2) / count));
}

COLORREF LoupeOutlineColor(COLORREF sampled)
{
    const COLORREF white = ComposeColor(255, 255, 255), black = ComposeColor(0, 0, 0);
    return ContrastRatio(white, sampled) > ContrastRatio(black, sampled) ? white : black;
}

LoupeMetrics MakeLoupeMetrics(int dpi, int zoom)
{
    LoupeMetrics metrics = {};
    metrics.span = LoupeSpanFor(zoom);
    metrics.cell = ScaleLoupeLength(LoupeZoomFrom(zoom), dpi);
    metrics.grid = metrics.cell * metrics.span;
    metrics.margin = ScaleLoupeLength(LOUPE_MARGIN_96, dpi);
    metrics.captionHeight = ScaleLoupeLength(LOUPE_CAPTION_96, dpi);
    metrics.fontHeight = ScaleLoupeLength(LOUPE_FONT_96, dpi);
    metrics.outline = ScaleLoupeLength(LOUPE_OUTLINE_96, dpi);
    // However small the scale, the window keeps clear of the pixels it reads.
    const int distance = ScaleLoupeLength(LOUPE_DISTANCE_96, dpi);
    metrics.distance = distance > LOUPE_REACH ? distance : LOUPE_REACH + 1;
    metrics.width = metrics.grid + 2 * metrics.margin;
    metrics.height = metrics.grid + LOUPE_TEXT_LINES * metrics.captionHeight + 2 * metrics.margin;
    metrics.gridLeft = metrics.margin;
    return metrics;
}

LoupeMetrics WidenLoupeForCaption(const LoupeMetrics& metrics, int captionWidth)
{
    LoupeMetrics wider = metrics;
    if (captionWidth > (1 << 20)) captionWidth = 1 << 20;
    const int needed = captionWidth + 2 * metrics.margin;
    if (needed <= metrics.width) return wider;
    wider.width = needed;
    wider.gridLeft = (needed - metrics.grid) / 2;
    return wider;
}

namespace {

// One axis: the start of a span of `length` beside the pointer at p, after it when that fits
// within [low, high), else before it, else clamped into the range. `clear` tells whether the
// span stays off the pixels read around p.
struct AxisPlace {
    long long start;
    bool clear;
};

AxisPlace PlaceOnAxis(long long p, long long length, long long distance, long long low, long long high)
{
    const long long after = p + distance;
    const long long before = p - distance - length;
    if (after + length <= high) return {after, true};
    if (before >= low) return {before, true};
    long long start = after;
    if (start + length > high) start = high - length;
    if (start < low) start = low;
    return {start, start >= p + LOUPE_REACH + 1 || start + length <= p - LOUPE_REACH};
}

int Clamped(long long value)
{
    constexpr long long limit = 1LL << 30;
    return static_cast<int>(value < -limit ? -limit : value > limit ? limit : value);
}

} // namespace

LoupeRect PlaceLoupe(int x, int y, int width, int height, int distance, const LoupeRect& monitor)
{
    if (distance <= LOUPE_REACH) distance = LOUPE_REACH + 1;
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    AxisPlace across = PlaceOnAxis(x, width, distance, monitor.left, monitor.right);
    AxisPlace down = PlaceOnAxis(y, height, distance, monitor.top, monitor.bottom);
    // A monitor too small on both axes: staying off the pixels read matters more than staying
    // whole, since the window would otherwise magnify itself.
    if (!across.clear && !down.clear) {
        const long long below = static_cast<long long>(monitor.bottom) - (y + distance);
        const long long above = static_cast<long long>(y - distance) - monitor.top;
        down.start = below >= above ? y + distance : static_cast<long long>(y) - distance - height;
    }
    return {Clamped(across.start), Clamped(down.start), Clamped(across.start + width),
            Clamped(down.start + height)};
}

LoupeCaption FormatLoupeCaption(COLORREF color, bool upperCase)
{
    LoupeCaption caption = {};
    std::snprintf(caption.code, sizeof caption.code, "%s", FormatColorCode(color, upperCase).text);
    std::snprintf(caption.channels, sizeof caption.channels, "%d,%d,%d", RedOf(color), GreenOf(color),
                  BlueOf(color));
    return caption;
}
