// The recent colours and their submenu.
#include "panel/RecentColors.h"

#include <algorithm>
#include <utility>

#include "colour/ColorModel.h"
#include "panel/Channels.h"
#include "preview/MdiClient.h"
#include "settings/SettingsCodec.h"
#include "shell/Fatal.h"
#include "shell/GdiHandles.h"
#include "shell/Menus.h"
#include "shell/resource.h"

namespace {

struct RecentColorRecord {
    COLORREF colors[RECENT_COLOR_LIMIT];
    int count;
    GdiObject swatches[RECENT_COLOR_LIMIT]; // the bitmaps beside the items, one per colour
};
RecentColorRecord Recent;

// A small square of the colour in a grey frame, the size of a check mark.
GdiObject MakeSwatch(COLORREF color)
{
    const int width = GetSystemMetrics(SM_CXMENUCHECK);
    const int height = GetSystemMetrics(SM_CYMENUCHECK);
    WindowDC screen(nullptr);
    GdiObject bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    OwnedDC memory(CreateCompatibleDC(screen.get()));
    if (!bitmap || !memory.get()) return bitmap;
    SelectedObject selected(memory.get(), bitmap.get());
    GdiObject fill = MakeSolidBrush(color);
    SelectedObject brush(memory.get(), fill.get());
    SelectedObject pen(memory.get(), GetStockObject(BLACK_PEN));
    Rectangle(memory.get(), 0, 0, width, height);
    return bitmap;
}

// The items above the separator: the colours, or the greyed "none" item.
void FillRecentPopup(HMENU popup, const GdiObject (&swatches)[RECENT_COLOR_LIMIT], bool upperCase)
{
    while (GetMenuItemCount(popup) > 2)
        DeleteMenu(popup, 0, MF_BYPOSITION);
    if (Recent.count == 0) {
        InsertMenuA(popup, 0, MF_BYPOSITION | MF_STRING | MF_GRAYED, IDM_RECENT_NONE,
                    LoadResourceText(IDS_RECENT_NONE).text);
    }
    for (int i = 0; i < Recent.count; ++i) {
        ColorCode code = FormatColorCode(Recent.colors[i], upperCase);
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
        item.wID = IDM_RECENT_FIRST + i;
        item.dwTypeData = code.text;
        item.hbmpItem = static_cast<HBITMAP>(swatches[i].get());
        InsertMenuItemA(popup, i, TRUE, &item);
    }
    // The swatches stand in the check-mark column rather than in a column of their own.
    MENUINFO style = {};
    style.cbSize = sizeof style;
    style.fMask = MIM_STYLE;
    style.dwStyle = MNS_CHECKORBMP;
    SetMenuInfo(popup, &style);
    EnableMenuItem(popup, IDM_CLEARRECENT, MF_BYCOMMAND | (Recent.count ? MF_ENABLED : MF_GRAYED));
}

void Remember(HWND form, COLORREF color)
{
    color &= 0xFFFFFF;
    COLORREF* end = Recent.colors + Recent.count;
    COLORREF* found = std::find(Recent.colors, end, color);
    if (found == end && Recent.count < RECENT_COLOR_LIMIT) ++Recent.count;
    if (found == end) found = Recent.colors + Recent.count - 1; // the oldest drops off a full list
    std::move_backward(Recent.colors, found, found + 1);
    Recent.colors[0] = color;
    RefreshRecentMenus(form);
}

} // namespace

void RememberRecentColor(HWND form, COLORREF color)
{
    Remember(form, color);
}

void ChooseRecentColor(HWND form, int index)
{
    if (index < 0 || index >= Recent.count) return;
    const COLORREF color = Recent.colors[index];
    WriteChannelEdits(color);
    Remember(form, color);
}

void ClearRecentColors(HWND form)
{
    Recent.count = 0;
    RefreshRecentMenus(form);
}

int RecentColorList(COLORREF* colors, int capacity)
{
    const int count = std::min(capacity, Recent.count);
    std::copy(Recent.colors, Recent.colors + count, colors);
    return count;
}

void SetRecentColors(HWND form, const COLORREF* colors, int count)
{
    Recent.count = std::clamp(count, 0, RECENT_COLOR_LIMIT);
    std::copy(colors, colors + Recent.count, Recent.colors);
    RefreshRecentMenus(form);
}

void RefreshRecentMenus(HWND form)
{
    GdiObject swatches[RECENT_COLOR_LIMIT];
    for (int i = 0; i < Recent.count; ++i)
        swatches[i] = MakeSwatch(Recent.colors[i]);
    // Before the first swap the form shows its template's bar, which holds the submenu too.
    for (const HMENU bar : {MdiContext.MenuNoPreview, MdiContext.MenuPreview, GetMenu(form)}) {
        if (const HMENU popup = bar ? FindPopupHolding(bar, IDM_CLEARRECENT) : nullptr)
            FillRecentPopup(popup, swatches, IsOptionChecked(form, IDM_CAPTION));
    }
    // The menus no longer show the old bitmaps: they can go.
    for (int i = 0; i < RECENT_COLOR_LIMIT; ++i)
        Recent.swatches[i] = std::move(swatches[i]);
}

void OnEditPopupOpening(HWND form, HMENU popup)
{
    if (FindPopupHolding(popup, IDM_CLEARRECENT)) RefreshRecentMenus(form);
}
