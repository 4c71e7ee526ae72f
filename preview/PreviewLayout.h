// Where the sample text sits inside a preview window: pure arithmetic, no window in sight.
#pragma once

struct EditPlacement {
    int x, y, width, height;
};

// The EDIT fills the middle two thirds of a client area of the given size; every value is rounded
// down, and the width and height are two thirds of the whole, not twice a rounded third.
EditPlacement PreviewEditPlacement(int clientWidth, int clientHeight);
