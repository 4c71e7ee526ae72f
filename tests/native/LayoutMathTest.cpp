// Sizes of the tab control, the list and the MDI client for a given client size of the form.
#include <gtest/gtest.h>

#include "shell/LayoutMath.h"

namespace {

// A form whose template converts to 471 x 348 client pixels (1.5 and 2 pixels per dialog unit).
LayoutBaseRecord Base() { return MakeLayoutBase(471, 348, 487, 400); }

} // namespace

TEST(LayoutMath, AtCreationSizeTheWindowsHaveTheirTemplateSizes)
{
    const LayoutSizes sizes = ComputeLayout(Base(), 471, 348);
    EXPECT_EQ(sizes.tabWidth, 288);
    EXPECT_EQ(sizes.tabHeight, 300);
    EXPECT_EQ(sizes.listWidth, 274);
    EXPECT_EQ(sizes.listHeight, 240);
    EXPECT_EQ(sizes.mdiWidth, 166);
    EXPECT_EQ(sizes.mdiHeight, 294);
}

TEST(LayoutMath, WideningGoesToTheMdiClientOnly)
{
    const LayoutSizes base = ComputeLayout(Base(), 471, 348);
    const LayoutSizes wide = ComputeLayout(Base(), 671, 348);
    EXPECT_EQ(wide.tabWidth, base.tabWidth);
    EXPECT_EQ(wide.listWidth, base.listWidth);
    EXPECT_EQ(wide.mdiWidth, base.mdiWidth + 200);
    EXPECT_EQ(wide.mdiHeight, base.mdiHeight);
}

TEST(LayoutMath, HeightGrowsAllThreeByTheSameAmount)
{
    const LayoutSizes base = ComputeLayout(Base(), 471, 348);
    const LayoutSizes tall = ComputeLayout(Base(), 471, 448);
    EXPECT_EQ(tall.tabHeight - base.tabHeight, 100);
    EXPECT_EQ(tall.listHeight - base.listHeight, 100);
    EXPECT_EQ(tall.mdiHeight - base.mdiHeight, 100);
    EXPECT_EQ(tall.tabWidth, base.tabWidth);
}

TEST(LayoutMath, InexactScaleCanLeaveOnePixelAtCreationSize)
{
    // 444 / 314 * 314 is just below 444 in double precision, and truncation takes a pixel off.
    const LayoutBaseRecord base = MakeLayoutBase(444, 348, 460, 400);
    const int rebuilt = static_cast<int>(base.BaseWidth * base.ScaleX);
    const LayoutSizes sizes = ComputeLayout(base, 444, 348);
    EXPECT_EQ(sizes.mdiWidth, static_cast<int>(111 * base.ScaleX + (444 - rebuilt)));
}

TEST(LayoutMath, MinimisedSizeGivesNegativeHeightsAsComputed)
{
    const LayoutSizes sizes = ComputeLayout(Base(), 0, 0);
    EXPECT_EQ(sizes.tabHeight, 300 - 348);
    EXPECT_EQ(sizes.mdiWidth, -304) << "166.5 - 471 truncated toward zero";
    EXPECT_EQ(sizes.tabWidth, 288) << "widths of the tab and list never change";
}

TEST(LayoutMath, MinimumTrackSizeIsTheOuterSizeAtCreation)
{
    const LayoutBaseRecord base = Base();
    EXPECT_EQ(base.MinTrackWidth, 487);
    EXPECT_EQ(base.MinTrackHeight, 400);
    EXPECT_EQ(base.BaseWidth, 314);
    EXPECT_EQ(base.BaseHeight, 174);
}

TEST(LayoutMath, StatusBarPartEdgesAreFixed)
{
    const int expected[STATUS_PART_COUNT] = {80, 200, 240, 300, 350, 400, 450, -1};
    for (int i = 0; i < STATUS_PART_COUNT; ++i) EXPECT_EQ(StatusPartEdges[i], expected[i]);
}
