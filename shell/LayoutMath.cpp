// Sizes of the tab control, the colour list and the MDI client for a client size of the form.
#include "LayoutMath.h"

#include "print/PrintGeometry.h"

namespace {

// Template sizes, dialog units, of the three windows that follow the form's size.
constexpr int TAB_WIDTH = 192, TAB_HEIGHT = 150;
constexpr int LIST_WIDTH = 183, LIST_HEIGHT = 120;
constexpr int MDI_WIDTH = 111, MDI_HEIGHT = 147;

int Truncate(double value)
{
    return static_cast<int>(value);
}

} // namespace

const int StatusPartEdges[STATUS_PART_COUNT] = {80, 200, 240, 300, 350, 400, 450, -1};

LayoutBaseRecord MakeLayoutBase(int clientWidth, int clientHeight, int windowWidth, int windowHeight)
{
    LayoutBaseRecord base = {};
    base.BaseWidth = LAYOUT_BASE_WIDTH;
    base.BaseHeight = LAYOUT_BASE_HEIGHT;
    base.ScaleX = static_cast<double>(clientWidth) / base.BaseWidth;
    base.ScaleY = static_cast<double>(clientHeight) / base.BaseHeight;
    base.MinTrackWidth = windowWidth;
    base.MinTrackHeight = windowHeight;
    return base;
}

LayoutSizes ComputeLayout(const LayoutBaseRecord& base, int clientWidth, int clientHeight)
{
    const double dx = clientWidth - Truncate(base.BaseWidth * base.ScaleX);
    const double dy = clientHeight - Truncate(base.BaseHeight * base.ScaleY);
    LayoutSizes sizes = {};
    sizes.tabWidth = Truncate(TAB_WIDTH * base.ScaleX);
    sizes.tabHeight = Truncate(dy + TAB_HEIGHT * base.ScaleY);
    sizes.listWidth = Truncate(LIST_WIDTH * base.ScaleX);
    sizes.listHeight = Truncate(dy + LIST_HEIGHT * base.ScaleY);
    sizes.mdiWidth = Truncate(MDI_WIDTH * base.ScaleX + dx);
    sizes.mdiHeight = Truncate(dy + MDI_HEIGHT * base.ScaleY);
    return sizes;
}

int ScaleForDpi(int pixels, int dpi)
{
    if (dpi < 1 || dpi == DESIGN_DPI) return pixels;
    return RoundedMulDiv(pixels, dpi, DESIGN_DPI);
}

StatusPartEdgeList ScaledStatusPartEdges(int dpi)
{
    StatusPartEdgeList list = {};
    for (int part = 0; part < STATUS_PART_COUNT; ++part) {
        const int edge = StatusPartEdges[part];
        list.edges[part] = edge < 0 ? edge : ScaleForDpi(edge, dpi);
    }
    return list;
}
