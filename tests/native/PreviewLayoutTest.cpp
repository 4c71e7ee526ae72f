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

TEST(ContrastTipSpot, GoesBelowTheTextAndThePointerElseAboveElseBesideAndStaysOnTheScreen)
{
    const ScreenBox screen = {0, 0, 1280, 1000}, text = {200, 300, 600, 500};
    const int width = 700, height = 80;
    const ScreenSpot overText = ContrastTipSpot(width, height, text, {400, 400, 432, 432}, screen);
    EXPECT_EQ(400, overText.x);
    EXPECT_EQ(502, overText.y);
    const ScreenSpot belowText = ContrastTipSpot(width, height, text, {1200, 510, 1232, 542}, screen);
    EXPECT_EQ(580, belowText.x) << "pulled back onto the screen";
    EXPECT_EQ(544, belowText.y) << "below the pointer's bottom edge";
    EXPECT_EQ(768, ContrastTipSpot(width, height, {200, 850, 600, 990}, {300, 900, 332, 932}, screen).y);
    EXPECT_EQ(502, ContrastTipSpot(width, height, {100, 10, 500, 990}, {300, 500, 332, 532}, screen).x);
}
