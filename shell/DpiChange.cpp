// The main form moved to a monitor of another scale.
#include "DpiChange.h"

#include "GdiHandles.h"
#include "Layout.h"
#include "resource.h"
#include "panel/ColorList.h"
#include "preview/MdiClient.h"
#include "preview/MesProc.h"

namespace {

// The controls' font as the dialog manager made it from the template, and the resolution then.
LOGFONTA TemplateFont = {};
int TemplateFontDpi = 0;
GdiObject ScaledFont; // the template font at the current resolution, once the form has moved

// Scaling from the current place (not from the place at creation) keeps whatever the user did;
// a step up and back down again ends exactly where it began, as MulDiv rounds to nearest.
void PlaceControls(HWND form, int to, int from)
{
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect = {};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
        const RECT place = ScaleRect(rect, to, from);
        SetWindowPos(child, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ScaleControlFonts(HWND form, int dpi)
{
    if (TemplateFontDpi == 0) {
        const auto shown = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(form, IDC_TAB, WM_GETFONT, 0, 0));
        if (!shown || !GetObjectA(shown, sizeof TemplateFont, &TemplateFont)) return;
        TemplateFontDpi = ScreenDpi(form);
    }
    LOGFONTA scaled = TemplateFont;
    scaled.lfHeight = MulDiv(TemplateFont.lfHeight, dpi, TemplateFontDpi);
    scaled.lfWidth = MulDiv(TemplateFont.lfWidth, dpi, TemplateFontDpi);
    GdiObject font = MakeFont(scaled);
    if (!font) return;
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.font()), TRUE);
    ScaledFont = std::move(font); // the old one goes once no control uses it
}

// Each preview gets the message too, with its own place scaled, as a top-level window would.
void TellPreviews(int to, int from)
{
    const HWND client = MdiContext.MdiClient;
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!PreviewStateOf(child)) continue;
        RECT rect = {};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&rect), 2);
        const RECT place = ScaleRect(rect, to, from);
        SendMessageA(child, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&place));
    }
}

} // namespace

void TakeOverDpiScaling(HWND form)
{
    // From Windows 10 1703; before it no dialog scaled itself.
    using DialogBehavior = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    const auto setBehavior = reinterpret_cast<DialogBehavior>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetDialogDpiChangeBehavior")));
    if (setBehavior && form) setBehavior(form, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

RECT ScaleRect(const RECT& rect, int to, int from)
{
    return {MulDiv(rect.left, to, from), MulDiv(rect.top, to, from), MulDiv(rect.right, to, from),
            MulDiv(rect.bottom, to, from)};
}

void OnFormDpiChanged(HWND form, int dpi, const RECT* suggested)
{
    const int from = ScreenDpi(form);
    if (dpi <= 0 || from == dpi) return;
    ScaleControlFonts(form, dpi);
    ScaleLayoutBase(form, dpi);
    SetScreenDpi(dpi);
    PlaceControls(form, dpi, from);
    TellPreviews(dpi, from);
    if (suggested)
        SetWindowPos(form, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = {};
    GetClientRect(form, &client);
    LayoutMainForm(form, client.right, client.bottom);
    InitStatusBarParts(form);
    ScaleColorListColumns(form);
}
