// Where the sample text sits inside a preview window: pure arithmetic, no window in sight.
#pragma once

struct EditPlacement {
    int x, y, width, height;
};

// The EDIT fills the middle two thirds of a client area of the given size; every value is rounded
// down, and the width and height are two thirds of the whole, not twice a rounded third.
EditPlacement PreviewEditPlacement(int clientWidth, int clientHeight);

// Rectangles and points in screen pixels, for placing the contrast tooltip.
struct ScreenBox {
    int left, top, right, bottom;
};
struct ScreenSpot {
    int x, y;
};

// Where a tooltip of the given size goes so that it never covers the sample text: below both the
// text and the pointer, else above both, else beside them, always within the screen's work area.
// Only where none of these fits (a text field as tall as the screen) may it cover the text.
ScreenSpot ContrastTipSpot(int width, int height, const ScreenBox& text, const ScreenBox& pointer,
                           const ScreenBox& screen);
