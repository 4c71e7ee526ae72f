// Menu bars, option check marks, always-on-top and the menu help in the status bar.
#include "Menus.h"

#include <commctrl.h>

#include "Fatal.h"
#include "resource.h"
#include "panel/Capture.h"
#include "preview/MdiClient.h"

HMENU BarPopup(HMENU bar, int position)
{
    // A maximised preview window puts its system menu in front of the frame's popups.
    if (GetMenuItemCount(GetSubMenu(bar, 0)) == SYSTEM_MENU_ITEM_COUNT) ++position;
    return GetSubMenu(bar, position);
}

HMENU OptionsPopup(HWND form)
{
    return BarPopup(GetMenu(form), BAR_OPTIONS);
}

bool IsOptionChecked(HWND form, UINT id)
{
    const UINT state = GetMenuState(OptionsPopup(form), id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

void ApplyTopmost(HWND form)
{
    SetWindowPos(form, IsOptionChecked(form, IDM_TOPLEVEL) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

void ToggleOption(HWND form, UINT id)
{
    const bool checked = IsOptionChecked(form, id);
    CheckMenuItem(OptionsPopup(form), id, MF_BYCOMMAND | (checked ? MF_UNCHECKED : MF_CHECKED));
    if (id == IDM_TOPLEVEL) ApplyTopmost(form);
    if (id == IDM_CAPTURE) UpdateCaptureMode(form);
}

void SwapFrameMenu(bool previews)
{
    const HWND form = MainFormWindow();
    const HMENU options = OptionsPopup(form);
    const int count = GetMenuItemCount(options);
    if (count > MAX_OPTION_ITEMS) FatalError("Huebench", 249);

    UINT ids[MAX_OPTION_ITEMS] = {};
    UINT states[MAX_OPTION_ITEMS] = {};
    for (int i = 0; i < count; ++i)
        ids[i] = GetMenuItemID(options, i);
    // A submenu has no identifier (-1): its own items keep their marks in both bars.
    for (int i = 0; i < count; ++i)
        states[i] = ids[i] == static_cast<UINT>(-1) ? static_cast<UINT>(-1)
                                                    : GetMenuState(options, ids[i], MF_BYCOMMAND);

    const HMENU bar = previews ? MdiContext.MenuPreview : MdiContext.MenuNoPreview;
    const HMENU list = previews ? BarPopup(MdiContext.MenuPreview, BAR_WINDOW)
                                : BarPopup(MdiContext.MenuNoPreview, BAR_FILE);
    const HMENU previous = reinterpret_cast<HMENU>(SendMessageA(
        MdiContext.MdiClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), reinterpret_cast<LPARAM>(list)));
    // The first swap hands back the template's own copy of menu 9000, which nothing else owns.
    if (previous && previous != MdiContext.MenuPreview && previous != MdiContext.MenuNoPreview)
        DestroyMenu(previous);

    const HMENU newOptions = OptionsPopup(form);
    for (int i = 0; i < count; ++i) {
        if (states[i] == static_cast<UINT>(-1)) continue;
        CheckMenuItem(newOptions, ids[i], MF_BYCOMMAND | (states[i] & MF_CHECKED));
    }
    // A hidden form (the first preview at start-up) draws its new bar when it is shown.
    if (IsWindowVisible(form)) DrawMenuBar(form);
}

void ShowMenuHelp(HWND form, UINT item)
{
    if (IsOptionChecked(form, IDM_CAPTURE)) return; // the capture message stays
    char text[128] = "";
    LoadStringA(GetModuleHandleA(nullptr), item + IDS_HELP_OFFSET, text, sizeof(text));
    SendDlgItemMessageA(form, IDC_STATUS, SB_SIMPLE, TRUE, 0);
    SendDlgItemMessageA(form, IDC_STATUS, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text));
}

void EndMenuHelp(HWND form)
{
    if (!IsOptionChecked(form, IDM_CAPTURE)) SendDlgItemMessageA(form, IDC_STATUS, SB_SIMPLE, FALSE, 0);
}

HMENU FindPopupHolding(HMENU menu, UINT id)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const HMENU popup = GetSubMenu(menu, i);
        if (!popup) continue;
        for (int j = 0; j < GetMenuItemCount(popup); ++j)
            if (GetMenuItemID(popup, j) == id) return popup;
        if (const HMENU inner = FindPopupHolding(popup, id)) return inner;
    }
    return nullptr;
}

// The radio groups of the Options popups' submenus: both bars carry the mark, so that it survives
// the swaps, which copy only the popup's own items.
void MarkOptionChoice(HWND form, UINT first, UINT last, UINT chosen)
{
    const HMENU bars[] = {MdiContext.MenuPreview, MdiContext.MenuNoPreview, GetMenu(form)};
    for (HMENU bar : bars) {
        if (!bar) continue;
        for (UINT id = first; id <= last; ++id)
            CheckMenuItem(bar, id, MF_BYCOMMAND | (id == chosen ? MF_CHECKED : MF_UNCHECKED));
    }
}

UINT OptionChoice(HWND form, UINT first, UINT last, UINT byDefault)
{
    for (UINT id = first; id <= last; ++id)
        if (IsOptionChecked(form, id)) return id;
    return byDefault;
}
