// Layout of the main form on resize, its minimum track size and the status bar parts.
#include "Layout.h"

#include <commctrl.h>

#include "GdiHandles.h"
#include "resource.h"
#include "preview/MdiClient.h"

LayoutBaseRecord LayoutBase = {};

namespace {

// The form's client and window sizes as created, and the resolution they were measured at.
struct MeasuredBase {
    int clientWidth, clientHeight, windowWidth, windowHeight, dpi;
};
MeasuredBase Measured = {};
int CurrentDpi = 0; // 0 until first asked

} // namespace

void RecordBaseMetrics(HWND form)
{
    RECT client = {}, window = {};
    GetClientRect(form, &client);
    GetWindowRect(form, &window);
    Measured = {client.right, client.bottom, window.right - window.left, window.bottom - window.top, 0};
    CurrentDpi = 0; // a new form asks its monitor afresh
    LayoutBase =
        MakeLayoutBase(client.right, client.bottom, window.right - window.left, window.bottom - window.top);
}

void ScaleLayoutBase(HWND form, int dpi)
{
    if (Measured.dpi == 0) Measured.dpi = ScreenDpi(form);
    const auto scaled = [&](int length) { return MulDiv(length, dpi, Measured.dpi); };
    LayoutBase = MakeLayoutBase(scaled(Measured.clientWidth), scaled(Measured.clientHeight),
                                scaled(Measured.windowWidth), scaled(Measured.windowHeight));
}

void LayoutMainForm(HWND form, int width, int height)
{
    if (LayoutBase.BaseWidth == 0) return; // before WM_CREATE has recorded the base
    const LayoutSizes sizes = ComputeLayout(LayoutBase, width, height);
    const UINT flags = SWP_NOZORDER | SWP_NOMOVE;
    HDWP batch = BeginDeferWindowPos(0);
    batch = DeferWindowPos(batch, GetDlgItem(form, IDC_TAB), nullptr, 0, 0, sizes.tabWidth, sizes.tabHeight,
                           flags);
    batch = DeferWindowPos(batch, GetDlgItem(form, IDC_COLORLIST), nullptr, 0, 0, sizes.listWidth,
                           sizes.listHeight, flags);
    batch =
        DeferWindowPos(batch, MdiContext.MdiClient, nullptr, 0, 0, sizes.mdiWidth, sizes.mdiHeight, flags);
    if (batch) EndDeferWindowPos(batch);
    // The tab control lies over the page controls without clipping them: repaint every child, so
    // that the controls above the tab's body are drawn again after it.
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    SendDlgItemMessageA(form, IDC_STATUS, WM_SIZE, 0, MAKELPARAM(width, height));
}

namespace {

// Maximised, the form fills the work area of its monitor with only its sizing frame beyond it, as
// an overlapped window does. The form is a popup window (its dialog template) with a menu, and for
// those the default maximised place (Wine's at least) counts the menu bar as frame: the title bar
// lay above the screen and the form ended a menu bar's height short of the bottom. The place is
// relative to the monitor's corner, as the window manager takes it.
void PlaceMaximised(HWND form, MINMAXINFO* info)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const LONG style = GetWindowLongA(form, GWL_STYLE);
    // WS_CAPTION is WS_BORDER | WS_DLGFRAME: without WS_BORDER, no caption is counted.
    RECT frame = {};
    AdjustWindowRectEx(&frame, style & ~WS_BORDER, FALSE, GetWindowLongA(form, GWL_EXSTYLE));
    const RECT& work = monitor.rcWork;
    info->ptMaxPosition.x = work.left - monitor.rcMonitor.left + frame.left;
    info->ptMaxPosition.y = work.top - monitor.rcMonitor.top + frame.top;
    info->ptMaxSize.x = work.right - work.left + frame.right - frame.left;
    info->ptMaxSize.y = work.bottom - work.top + frame.bottom - frame.top;
}

} // namespace

void OnGetMinMaxInfo(HWND form, MINMAXINFO* info)
{
    info->ptMinTrackSize.x = LayoutBase.MinTrackWidth;
    info->ptMinTrackSize.y = LayoutBase.MinTrackHeight;
    PlaceMaximised(form, info);
}

void InitStatusBarParts(HWND form)
{
    const StatusPartEdgeList parts = ScaledStatusPartEdges(ScreenDpi(form));
    SendDlgItemMessageA(form, IDC_STATUS, SB_SETPARTS, STATUS_PART_COUNT,
                        reinterpret_cast<LPARAM>(parts.edges));
}

// The resolution of the monitor the form is on: asked once, then told of every change (the program
// is aware of each monitor's scale, and the form and its previews always share one monitor).
int ScreenDpi(HWND window)
{
    if (CurrentDpi == 0) {
        // GetDpiForWindow is there from Windows 10 1607 on; before it every monitor has the system's.
        using DpiForWindow = UINT(WINAPI*)(HWND);
        const auto forWindow = reinterpret_cast<DpiForWindow>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
        if (forWindow && window) CurrentDpi = static_cast<int>(forWindow(window));
        if (CurrentDpi <= 0) {
            WindowDC dc(window);
            if (dc.get()) CurrentDpi = GetDeviceCaps(dc.get(), LOGPIXELSX);
        }
    }
    return CurrentDpi > 0 ? CurrentDpi : DESIGN_DPI;
}

void SetScreenDpi(int dpi)
{
    CurrentDpi = dpi;
}
