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

namespace {

bool Overlaps(ScreenSpot spot, int width, int height, const ScreenBox& box)
{
    return spot.x < box.right && spot.x + width > box.left && spot.y < box.bottom &&
           spot.y + height > box.top;
}

} // namespace

TEST(ContrastTipSpot, StaysClearOfTheTextAndThePointerAndOnTheScreen)
{
    const ScreenBox screen = {0, 0, 1280, 1000};
    const ScreenBox text = {200, 300, 600, 500};
    const int width = 700, height = 80;
    struct Case {
        ScreenBox pointer;
        ScreenSpot expected;
    };
    const Case cases[] = {
        {{400, 400, 432, 432}, {400, 502}},   // over the text: below it, at the pointer's left edge
        {{400, 510, 432, 542}, {400, 544}},   // in the band below: below the pointer's bottom edge
        {{1200, 400, 1232, 432}, {580, 502}}, // near the right edge: pulled back onto the screen
    };
    for (const Case& each : cases) {
        const ScreenSpot spot = ContrastTipSpot(width, height, text, each.pointer, screen);
        EXPECT_EQ(spot.x, each.expected.x);
        EXPECT_EQ(spot.y, each.expected.y);
        EXPECT_FALSE(Overlaps(spot, width, height, text));
    }

    // No room below: above the text; no room above either: beside it.
    const ScreenBox low = {200, 850, 600, 990};
    const ScreenSpot above = ContrastTipSpot(width, height, low, {300, 900, 332, 932}, screen);
    EXPECT_EQ(above.y, 850 - 2 - height);
    const ScreenBox tall = {100, 10, 500, 990};
    const ScreenSpot beside = ContrastTipSpot(width, height, tall, {300, 500, 332, 532}, screen);
    EXPECT_EQ(beside.x, 502);
    EXPECT_FALSE(Overlaps(beside, width, height, tall));
    EXPECT_LE(beside.x + width, screen.right);
}
