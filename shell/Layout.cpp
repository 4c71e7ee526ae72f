// Layout of the main form on resize, its minimum track size and the status bar parts.
#include "Layout.h"

#include <commctrl.h>

#include "GdiHandles.h"
#include "resource.h"
#include "preview/MdiClient.h"

LayoutBaseRecord LayoutBase = {};

void RecordBaseMetrics(HWND form)
{
    RECT client = {}, window = {};
    GetClientRect(form, &client);
    GetWindowRect(form, &window);
    LayoutBase =
        MakeLayoutBase(client.right, client.bottom, window.right - window.left, window.bottom - window.top);
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

// The program is aware of the system's scale, not of each monitor's, so the scale it is given at
// start stays for its whole life: the display is asked once.
int ScreenDpi(HWND window)
{
    static int asked = 0;
    if (asked == 0) {
        WindowDC dc(window);
        if (dc.get()) asked = GetDeviceCaps(dc.get(), LOGPIXELSX);
    }
    return asked > 0 ? asked : DESIGN_DPI;
}
