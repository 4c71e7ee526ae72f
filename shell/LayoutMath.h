// Sizes of the three windows that follow the main form's size: pure arithmetic.
#pragma once

struct LayoutBaseRecord {
    int BaseWidth;
    int BaseHeight;
    double ScaleX;
    double ScaleY;
    int MinTrackWidth;
    int MinTrackHeight;
};

constexpr int LAYOUT_BASE_WIDTH = 314; // the form template, dialog units
constexpr int LAYOUT_BASE_HEIGHT = 174;

struct LayoutSizes {
    int tabWidth, tabHeight;
    int listWidth, listHeight;
    int mdiWidth, mdiHeight;
};

LayoutBaseRecord MakeLayoutBase(int clientWidth, int clientHeight, int windowWidth, int windowHeight);
LayoutSizes ComputeLayout(const LayoutBaseRecord& base, int clientWidth, int clientHeight);

constexpr int STATUS_PART_COUNT = 8;
extern const int StatusPartEdges[STATUS_PART_COUNT];

// Lengths given in pixels are meant for a screen of 96 dots per inch; on a screen scaled to another
// resolution they grow with it, rounded as MulDiv rounds. A resolution below 1 leaves them as given.
constexpr int DESIGN_DPI = 96;
int ScaleForDpi(int pixels, int dpi);

// The status bar's part edges at a resolution; the last part still runs to the bar's end (-1).
struct StatusPartEdgeList {
    int edges[STATUS_PART_COUNT];
};
StatusPartEdgeList ScaledStatusPartEdges(int dpi);
