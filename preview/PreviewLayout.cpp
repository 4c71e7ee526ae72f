// Where the sample text sits inside a preview window.
#include "PreviewLayout.h"

EditPlacement PreviewEditPlacement(int clientWidth, int clientHeight)
{
    // Client sizes come from the 16-bit halves of WM_SIZE, so 2 * size cannot overflow.
    return {clientWidth / 6, clientHeight / 6, 2 * clientWidth / 3, 2 * clientHeight / 3};
}

namespace {

constexpr int TIP_GAP = 2; // pixels between the tooltip and what it keeps clear of

int Clamped(int value, int low, int high)
{
    // A tooltip larger than the screen keeps its top-left corner on the screen.
    if (value > high) value = high;
    return value < low ? low : value;
}

int Larger(int a, int b)
{
    return a > b ? a : b;
}

int Smaller(int a, int b)
{
    return a < b ? a : b;
}

} // namespace

ScreenSpot ContrastTipSpot(int width, int height, const ScreenBox& text, const ScreenBox& pointer,
                           const ScreenBox& screen)
{
    const int x = Clamped(pointer.left, screen.left, screen.right - width);
    const int besideY = Clamped(pointer.top, screen.top, screen.bottom - height);

    const int below = Larger(text.bottom, pointer.bottom) + TIP_GAP;
    if (below + height <= screen.bottom) return {x, below};
    const int above = Smaller(text.top, pointer.top) - TIP_GAP - height;
    if (above >= screen.top) return {x, above};
    const int right = Larger(text.right, pointer.right) + TIP_GAP;
    if (right + width <= screen.right) return {right, besideY};
    const int left = Smaller(text.left, pointer.left) - TIP_GAP - width;
    if (left >= screen.left) return {left, besideY};
    return {x, Clamped(below, screen.top, screen.bottom - height)};
}
