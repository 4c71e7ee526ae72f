#include "preview/PreviewLayout.h"

#include <gtest/gtest.h>

namespace {

::testing::AssertionResult PlacedAt(const EditPlacement& placement, int x, int y, int width, int height)
{
    if (placement.x == x && placement.y == y && placement.width == width && placement.height == height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected (" << x << ", " << y << ") " << width << " x " << height << ", got (" << placement.x
           << ", " << placement.y << ") " << placement.width << " x " << placement.height;
}

} // namespace

TEST(PreviewEditPlacement, FillsTheMiddleTwoThirdsRoundedDown)
{
    EXPECT_TRUE(PlacedAt(PreviewEditPlacement(100, 50), 16, 8, 66, 33));
    EXPECT_TRUE(PlacedAt(PreviewEditPlacement(600, 300), 100, 50, 400, 200));
}

TEST(PreviewEditPlacement, WidthIsTwoThirdsOfTheWholeNotTwiceARoundedThird)
{
    // 2 * (5 / 3) would give 2.
    EXPECT_TRUE(PlacedAt(PreviewEditPlacement(5, 5), 0, 0, 3, 3));
    EXPECT_TRUE(PlacedAt(PreviewEditPlacement(1, 2), 0, 0, 0, 1));
}

TEST(PreviewEditPlacement, EmptyAndLargestClientAreas)
{
    EXPECT_TRUE(PlacedAt(PreviewEditPlacement(0, 0), 0, 0, 0, 0));
    EXPECT_TRUE(PlacedAt(PreviewEditPlacement(65535, 65535), 10922, 10922, 43690, 43690));
}
