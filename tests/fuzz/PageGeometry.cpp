// Fuzzes the page arithmetic of printing with any integers: no overflow on the way, scaled
// edges clamp at 0 and saturate, and MulDiv rounds half away from zero or answers -1.
#include "FuzzSupport.h"

#include "print/PrintGeometry.h"

#include <climits>

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    int Next()
    {
        int value = 0;
        const std::size_t taken = size < sizeof value ? size : sizeof value;
        std::memcpy(&value, data, taken);
        data += taken;
        size -= taken;
        return value;
    }
};

int ReferenceEdge(__int128 edge, int scale)
{
    if (edge < 0) return 0;
    const __int128 product = edge * scale;
    return product > INT_MAX ? INT_MAX : product < INT_MIN ? INT_MIN : static_cast<int>(product);
}

int ReferenceMulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    __int128 product = static_cast<__int128>(a) * b;
    __int128 divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const __int128 magnitude = ((product < 0 ? -product : product) * 2 + divisor) / (2 * divisor);
    const __int128 result = product < 0 ? -magnitude : magnitude;
    return result > INT_MAX || result < -INT_MAX ? -1 : static_cast<int>(result);
}

std::string Numbers(std::initializer_list<long long> values)
{
    std::string listed;
    for (long long value : values)
        listed += std::to_string(value) + " ";
    return listed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Reader in = {data, size};
    const int a = in.Next(), b = in.Next(), c = in.Next();
    REQUIRE(RoundedMulDiv(a, b, c) == ReferenceMulDiv(a, b, c), "MulDiv rounds half away from zero",
            Numbers({a, b, c, RoundedMulDiv(a, b, c), ReferenceMulDiv(a, b, c)}));
    REQUIRE(FontPoints(a, b) == (b == 0 ? 0 : -ReferenceMulDiv(a, 72, b)),
            "points are -MulDiv(height, 72, dpi)", Numbers({a, b}));

    const int scale = PrintScale(a, b);
    REQUIRE(scale >= 1, "the scale is at least 1", Numbers({a, b, scale}));
    REQUIRE(b <= 0 || a / b < 1 || scale == a / b, "the scale is the quotient", Numbers({a, b, scale}));

    const PageRect screen = {in.Next(), in.Next(), in.Next(), in.Next()};
    const int originX = in.Next(), originY = in.Next(), captionHeight = in.Next();
    const int anyScale = in.Next();
    const auto detail = [&] {
        return Numbers({screen.left, screen.top, screen.right, screen.bottom, originX, originY, captionHeight,
                        anyScale});
    };
    for (int useScale : {scale, anyScale}) {
        const PageRect outer = OuterPageRect(screen, originX, originY, captionHeight, useScale);
        const __int128 left = static_cast<__int128>(screen.left) - originX;
        const __int128 right = static_cast<__int128>(screen.right) - originX;
        const __int128 bottom = static_cast<__int128>(screen.bottom) - originY;
        const __int128 top = static_cast<__int128>(screen.top) - originY;
        REQUIRE(outer.left == ReferenceEdge(left, useScale) &&
                    outer.top == ReferenceEdge(top + captionHeight, useScale) &&
                    outer.right == ReferenceEdge(right, useScale) &&
                    outer.bottom == ReferenceEdge(bottom, useScale),
                "outer edges are clamped at 0 and scaled with saturation", detail());
        const PageRect inner = InnerPageRect(screen, originX, originY, useScale);
        REQUIRE(inner.left == ReferenceEdge(left, useScale) && inner.top == ReferenceEdge(top, useScale) &&
                    inner.right == ReferenceEdge(right, useScale) &&
                    inner.bottom == ReferenceEdge(bottom, useScale),
                "inner edges are clamped at 0 and scaled with saturation", detail());
        REQUIRE(ScaleEdge(screen.left, useScale) == ReferenceEdge(screen.left, useScale), "a single edge",
                detail());
    }

    // The caption size: never above the maximum, and at that size the widest line fits the width.
    const int measuredAt = in.Next(), measuredWidth = in.Next(), measuredHeight = in.Next();
    const int width = in.Next(), band = in.Next(), minimum = in.Next(), maximum = in.Next();
    const int height =
        CaptionCharHeight(measuredAt, measuredWidth, measuredHeight, width, band, minimum, maximum);
    const std::string sizes =
        Numbers({measuredAt, measuredWidth, measuredHeight, width, band, minimum, maximum, height});
    REQUIRE(height >= 0 && (height == 0 || height <= maximum), "a caption height within the maximum", sizes);
    REQUIRE(height == 0 || measuredWidth <= 0 ||
                static_cast<__int128>(height) * measuredWidth <= static_cast<__int128>(width) * measuredAt,
            "the widest line fits the width", sizes);
    return 0;
}
