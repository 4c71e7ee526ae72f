#include "print/PrintGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

static bool operator==(const PageRect& a, const PageRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
static std::ostream& operator<<(std::ostream& out, const PageRect& r)
{
    return out << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

TEST(PageScale, IsThePrintableWidthOverTheClientWidthTruncated)
{
    EXPECT_EQ(9, PrintScale(4760, 500));
    EXPECT_EQ(1, PrintScale(500, 500));
    EXPECT_EQ(2, PrintScale(1000, 500));
}

TEST(PageScale, NeverFallsBelowOne)
{
    EXPECT_EQ(1, PrintScale(499, 500)) << "a printer narrower than the client area";
    EXPECT_EQ(1, PrintScale(0, 500));
    EXPECT_EQ(1, PrintScale(4760, 0)) << "a client area without width";
    EXPECT_EQ(1, PrintScale(4760, -5));
}

TEST(PageRectangles, TheOuterRectangleIncludesTheCaptionHeightAndIsScaled)
{
    // Screen rectangle (10, 20)-(210, 170) relative to a client origin at (100, 200).
    EXPECT_EQ((PageRect{90, 342, 1890, 1530}), OuterPageRect({110, 220, 310, 370}, 100, 200, 18, 9));
    EXPECT_EQ((PageRect{90, 180, 1890, 1530}), InnerPageRect({110, 220, 310, 370}, 100, 200, 9));
}

TEST(PageRectangles, NegativeEdgesAreCutAtThePageEdgeNotShifted)
{
    EXPECT_EQ((PageRect{0, 0, 1530, 900}), OuterPageRect({70, 150, 270, 300}, 100, 200, 18, 9));
    EXPECT_EQ((PageRect{0, 72, 1530, 900}), OuterPageRect({70, 190, 270, 300}, 100, 200, 18, 9))
        << "the caption height is added before the edge is clamped";
    EXPECT_EQ((PageRect{0, 0, 1530, 900}), InnerPageRect({70, 150, 270, 300}, 100, 200, 9));
}

TEST(PageRectangles, AMaximisedWindowStartsAtTheTopLeftCorner)
{
    // The frame and caption lie outside the client area, which starts at (100, 200).
    EXPECT_EQ((PageRect{0, 0, 5040, 3040}), OuterPageRect({96, 177, 604, 504}, 100, 200, 19, 10));
}

TEST(PageRectangles, ScaledEdgesSaturateInsteadOfOverflowing)
{
    EXPECT_EQ(0, ScaleEdge(-1, 9));
    EXPECT_EQ(0, ScaleEdge(0, 9));
    EXPECT_EQ(45, ScaleEdge(5, 9));
    EXPECT_EQ(INT_MAX, ScaleEdge(INT_MAX / 2 + 1, 2));
    EXPECT_EQ(0, OuterPageRect({INT_MIN, INT_MIN, 0, 0}, INT_MAX, INT_MAX, 18, 9).left);
}

TEST(PageRectangles, EdgesFarOffTheClientSaturateEvenAtTheLargestScale)
{
    // A top edge of nearly 3 * 2^31 times a scale of nearly 2^31 is past 64 bits: saturated, not wrapped.
    EXPECT_EQ((PageRect{INT_MAX, INT_MAX, INT_MAX, INT_MAX}),
              OuterPageRect({INT_MAX, INT_MAX, INT_MAX, INT_MAX}, INT_MIN, INT_MIN, INT_MAX, INT_MAX));
}

TEST(MulDiv, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(4, RoundedMulDiv(7, 1, 2));
    EXPECT_EQ(-4, RoundedMulDiv(-7, 1, 2));
    EXPECT_EQ(-4, RoundedMulDiv(7, -1, 2));
    EXPECT_EQ(-4, RoundedMulDiv(7, 1, -2));
    EXPECT_EQ(4, RoundedMulDiv(-7, 1, -2));
    EXPECT_EQ(1, RoundedMulDiv(4, 1, 3));
    EXPECT_EQ(2, RoundedMulDiv(5, 1, 3));
    EXPECT_EQ(100000, RoundedMulDiv(100000, 100000, 100000)) << "the product needs 64 bits";
}

TEST(MulDiv, AnswersMinusOneForZeroDivisorOrOverflow)
{
    EXPECT_EQ(-1, RoundedMulDiv(5, 5, 0));
    EXPECT_EQ(-1, RoundedMulDiv(INT_MAX, 2, 1));
    EXPECT_EQ(-1, RoundedMulDiv(INT_MIN, 1, 1));
}

TEST(FontPoints, CharacterHeightsBecomePositivePoints)
{
    EXPECT_EQ(12, FontPoints(-16, 96));
    EXPECT_EQ(0, FontPoints(0, 96));
    EXPECT_EQ(-12, FontPoints(16, 96));
    EXPECT_EQ(10, FontPoints(-13, 96)) << "9.75 points round up";
    EXPECT_EQ(8, FontPoints(-11, 96)) << "8.25 points round down";
    EXPECT_EQ(10, FontPoints(-16, 120));
    EXPECT_EQ(0, FontPoints(-16, 0)) << "no resolution, no size";
}

TEST(CaptionSize, FitsTheBandBetweenTheLimitsAndTheWidthAlways)
{
    // Measured at 40: the longest line 400 wide, both lines 100 high; limits 25 and 40.
    EXPECT_EQ(40, CaptionCharHeight(40, 400, 100, 1000, 500, 25, 40)) << "room enough: the maximum";
    EXPECT_EQ(30, CaptionCharHeight(40, 400, 100, 1000, 75, 25, 40)) << "a shorter band: its height";
    EXPECT_EQ(25, CaptionCharHeight(40, 400, 100, 1000, 20, 25, 40)) << "a band below the minimum";
    EXPECT_EQ(40, CaptionCharHeight(40, 400, 100, 1000, 20, 60, 40)) << "a minimum above the maximum";
    EXPECT_EQ(20, CaptionCharHeight(40, 400, 100, 200, 500, 25, 40)) << "the width wins over the minimum";
    EXPECT_EQ(1, CaptionCharHeight(40, 400, 100, 10, 500, 25, 40));
    EXPECT_EQ(0, CaptionCharHeight(40, 400, 100, 9, 500, 25, 40)) << "no height fits";
    EXPECT_EQ(0, CaptionCharHeight(40, 400, 100, 0, 500, 25, 40));
    EXPECT_EQ(25, CaptionCharHeight(40, 400, 100, 1000, -5, 25, 40)) << "no band at all";
    EXPECT_EQ(40, CaptionCharHeight(40, 0, 0, 1000, 500, 25, 40)) << "an empty caption";
    EXPECT_EQ(1, CaptionCharHeight(INT_MAX, INT_MAX, INT_MAX, 1, INT_MAX, 1, INT_MAX)) << "no overflow";
}

TEST(CaptionSize, VisiblePartIsTheRectangleCutToThePrintableArea)
{
    EXPECT_EQ((PageRect{10, 20, 300, 400}), VisiblePart({10, 20, 300, 400}, {0, 0, 2479, 3508}));
    EXPECT_EQ((PageRect{2000, 20, 2479, 400}), VisiblePart({2000, 20, 3000, 400}, {0, 0, 2479, 3508}));
    const PageRect off = VisiblePart({2600, 20, 3000, 400}, {0, 0, 2479, 3508});
    EXPECT_LE(off.right, off.left) << "a window off the page leaves nothing";
}
