// Page geometry of a print job.
#include "PrintGeometry.h"

#include <climits>

namespace {

int Saturate(long long value)
{
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// Edges are taken in 64 bits: screen coordinates far off the client cannot overflow on the way.
// Beyond 2^31 a larger edge changes no saturated product, so the edge is held there first and the
// multiplication stays within 64 bits even for the largest scale.
int ScaleWideEdge(long long value, int scale)
{
    constexpr long long SATURATED_EDGE = static_cast<long long>(INT_MAX) + 1;
    if (value < 0) return 0;
    return Saturate((value < SATURATED_EDGE ? value : SATURATED_EDGE) * scale);
}

PageRect ScaleRect(long long left, long long top, long long right, long long bottom, int scale)
{
    return {ScaleWideEdge(left, scale), ScaleWideEdge(top, scale), ScaleWideEdge(right, scale),
            ScaleWideEdge(bottom, scale)};
}

} // namespace

int PrintScale(int printableRight, int clientRight)
{
    // A printer narrower than the client area (quotient 0), or a client with no width, would
    // print everything onto one point; printing at the screen's own size is the useful page.
    if (clientRight <= 0) return 1;
    const int scale = printableRight / clientRight;
    return scale < 1 ? 1 : scale;
}

int ScaleEdge(int value, int scale)
{
    return ScaleWideEdge(value, scale);
}

PageRect OuterPageRect(PageRect windowOnScreen, int originX, int originY, int captionHeight, int scale)
{
    return ScaleRect(static_cast<long long>(windowOnScreen.left) - originX,
                     static_cast<long long>(windowOnScreen.top) - originY + captionHeight,
                     static_cast<long long>(windowOnScreen.right) - originX,
                     static_cast<long long>(windowOnScreen.bottom) - originY, scale);
}

PageRect InnerPageRect(PageRect editOnScreen, int originX, int originY, int scale)
{
    return ScaleRect(static_cast<long long>(editOnScreen.left) - originX,
                     static_cast<long long>(editOnScreen.top) - originY,
                     static_cast<long long>(editOnScreen.right) - originX,
                     static_cast<long long>(editOnScreen.bottom) - originY, scale);
}

int RoundedMulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    long long product = static_cast<long long>(a) * b;
    long long divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    // Half away from zero, as the platform rounds; a result beyond 32 bits answers -1 as it does.
    const long long half = divisor / 2;
    const long long result = (product >= 0 ? product + half : product - half) / divisor;
    if (result > INT_MAX || result < -INT_MAX) return -1;
    return static_cast<int>(result);
}

int FontPoints(int lfHeight, int pixelsPerInch)
{
    // A device without a resolution would turn the -1 of the division into "1pt".
    if (pixelsPerInch == 0) return 0;
    return -RoundedMulDiv(lfHeight, 72, pixelsPerInch);
}

PageRect VisiblePart(PageRect rect, PageRect printable)
{
    return {rect.left > printable.left ? rect.left : printable.left,
            rect.top > printable.top ? rect.top : printable.top,
            rect.right < printable.right ? rect.right : printable.right,
            rect.bottom < printable.bottom ? rect.bottom : printable.bottom};
}

int CaptionCharHeight(int measuredAt, int measuredWidth, int measuredHeight, int width, int band, int minimum,
                      int maximum)
{
    if (measuredAt <= 0 || width <= 0) return 0;
    // Text extents grow in proportion to the height, so one measurement gives every fitting height.
    const auto fitting = [measuredAt](long long room, long long measured) {
        return measured <= 0 ? static_cast<long long>(INT_MAX) : room * measuredAt / measured;
    };
    long long height = maximum;
    const long long bandFit = fitting(band > 0 ? band : 0, measuredHeight);
    // Below the minimum the band gives way, but the minimum never lifts the height past the maximum.
    if (height > bandFit) height = bandFit > minimum ? bandFit : minimum < height ? minimum : height;
    const long long widthFit = fitting(width, measuredWidth);
    if (height > widthFit) height = widthFit;
    return height < 1 ? 0 : static_cast<int>(height);
}
