// The magnifier's sizes, its place beside the pointer and its caption.
#include <gtest/gtest.h>

#include <string>

#include "colour/Loupe.h"

TEST(Loupe, SizesScaleWithTheResolutionAndAWideCaptionWidensTheWindow)
{
    const LoupeMetrics at96 = MakeLoupeMetrics(96);
    EXPECT_EQ(at96.height, 172) << "the grid and three lines of text";
    EXPECT_EQ(MakeLoupeMetrics(144).grid, 165);
    EXPECT_EQ(MakeLoupeMetrics(96, 5).grid * 1000 + MakeLoupeMetrics(96, 20).grid, 105100)
        << "21 and 5 pixels";
    EXPECT_EQ(MakeLoupeMetrics(120).cell, 13) << "12.5 rounds up, as MulDiv rounds";
    EXPECT_EQ(MakeLoupeMetrics(0).width, 118) << "an unknown resolution counts as 96 DPI";
    const LoupeMetrics wide = WidenLoupeForCaption(at96, 150);
    EXPECT_EQ(wide.width, 158);
    EXPECT_EQ(wide.gridLeft, 24) << "the grid stays in the middle";
}

TEST(Loupe, SitsBelowRightAndFlipsNearEachEdgeOfItsMonitor)
{
    const struct {
        int x, y;
        LoupeRect monitor;
        int left, top;
    } cases[] = {
        {500, 400, {0, 0, 1280, 1024}, 516, 416},
        {1200, 400, {0, 0, 1280, 1024}, 1066, 416},   // to the left
        {500, 1000, {0, 0, 1280, 1024}, 516, 848},    // above
        {-10, 870, {-1920, -200, 0, 880}, -144, 718}, // a monitor left of the primary
        {100, 300, {0, 0, 200, 1024}, 82, 316},       // no side fits across: slid along it
        {75, 75, {0, 0, 150, 150}, 32, 91},           // room nowhere: below, off the pixels read
    };
    for (const auto& c : cases) {
        const LoupeRect place = PlaceLoupe(c.x, c.y, 118, 136, 16, c.monitor);
        EXPECT_EQ(place.left, c.left) << "pointer " << c.x << "," << c.y;
        EXPECT_EQ(place.top, c.top) << "pointer " << c.x << "," << c.y;
        EXPECT_EQ(place.right - place.left, 118);
    }
}

TEST(Loupe, CaptionShowsTheCodeInTheCaseAskedAndTheDecimalChannels)
{
    const LoupeCaption caption = FormatLoupeCaption(0x01FF8000, false); // the top byte is ignored
    EXPECT_EQ(std::string(caption.code) + " " + caption.channels, "#0080ff 0,128,255");
    EXPECT_EQ(ColorOfDibPixel(0xFF123456u), 0x00563412u);
}
