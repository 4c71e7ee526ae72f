// The magnifier's sizes, placement and caption.
#include "Loupe.h"

#include <cstdio>

#include "ColorModel.h"

int ScaleLoupeLength(int lengthAt96, int dpi)
{
    if (dpi <= 0) dpi = LOUPE_DESIGN_DPI;
    const long long scaled =
        (static_cast<long long>(lengthAt96) * dpi + LOUPE_DESIGN_DPI / 2) / LOUPE_DESIGN_DPI;
    return scaled < 1 ? 1 : scaled > 1 << 20 ? 1 << 20 : static_cast<int>(scaled);
}

LoupeMetrics MakeLoupeMetrics(int dpi)
{
    LoupeMetrics metrics = {};
    metrics.cell = ScaleLoupeLength(LOUPE_CELL_96, dpi);
    metrics.grid = metrics.cell * LOUPE_SPAN;
    metrics.margin = ScaleLoupeLength(LOUPE_MARGIN_96, dpi);
    metrics.captionHeight = ScaleLoupeLength(LOUPE_CAPTION_96, dpi);
    metrics.fontHeight = ScaleLoupeLength(LOUPE_FONT_96, dpi);
    metrics.outline = ScaleLoupeLength(LOUPE_OUTLINE_96, dpi);
    // However small the scale, the window keeps clear of the pixels it reads.
    const int distance = ScaleLoupeLength(LOUPE_DISTANCE_96, dpi);
    metrics.distance = distance > LOUPE_REACH ? distance : LOUPE_REACH + 1;
    metrics.width = metrics.grid + 2 * metrics.margin;
    metrics.height = metrics.grid + metrics.captionHeight + 2 * metrics.margin;
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
