// How a colour looks to viewers with a colour-vision deficiency: pure functions.
#pragma once

#include "ColorTypes.h"

// The stored and menu order of the view modes.
enum VisionMode {
    VISION_NORMAL = 0,
    VISION_PROTANOPIA = 1,
    VISION_DEUTERANOPIA = 2,
    VISION_TRITANOPIA = 3,
    VISION_MONOCHROMACY = 4,
};
constexpr int VISION_MODE_COUNT = 5;

// A stored or commanded number as a mode: anything but 0 to 4 is normal vision.
VisionMode VisionModeFrom(long long value);

// The linear-light matrix of a dichromacy (Machado, Oliveira and Fernandes 2009, severity 1.0),
// rows giving red, green and blue; none for normal vision and monochromacy.
using VisionMatrix = double[3][3];
const VisionMatrix* DichromacyMatrix(VisionMode mode);

// The colour as the viewer sees it: linear-light sRGB through the mode's matrix, or the relative
// luminance as a grey for monochromacy, clamped and encoded back to sRGB. The top byte is ignored;
// normal vision gives the colour back unchanged.
COLORREF SimulateVision(COLORREF color, VisionMode mode);

// The mode's name as the tooltip shows it ("2型色覚 (D型)"); empty for normal vision.
const char* VisionModeName(VisionMode mode);

// A window title with the mode after it ("#FF0000 [2型]"); the title alone in normal vision.
struct VisionTitleText {
    char text[256];
};
VisionTitleText VisionTitle(const char* title, VisionMode mode);

// The contrast tooltip's line for the simulated colours: the font colour on the inner colour and
// the inner colour against the outer one, as the viewer sees them. Empty in normal vision.
struct VisionContrastLine {
    char text[160];
};
VisionContrastLine VisionContrastReport(COLORREF fontColor, COLORREF innerColor, COLORREF outerColor,
                                        VisionMode mode);
