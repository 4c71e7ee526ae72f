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
