// The MDI client area: its menus, the window commands, the context menus and their help.
#include "MdiClient.h"

#include "preview/MesProc.h"
#include "settings/Settings.h"
#include "shell/Fatal.h"
#include "shell/Huebench.h"
#include "shell/Menus.h"
#include "shell/resource.h"

MdiContextRecord MdiContext{};

namespace {

constexpr char CLIENT_PROPERTY[] = "mdiProc";
constexpr DWORD CLIENT_EX_STYLE = WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE;
constexpr DWORD CLIENT_STYLE = WS_CHILD | WS_CLIPCHILDREN | MDIS_ALLCHILDSTYLES;
constexpr DWORD PREVIEW_STYLE = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
constexpr int CLIENT_POPUP_POSITION = 0;
constexpr int CHILD_POPUP_POSITION = 1;

// A menu handle may already be gone: the bar on the form is destroyed together with the form.
void DestroyMenuIfAlive(HMENU& menu)
{
    if (menu && IsMenu(menu)) DestroyMenu(menu);
    menu = nullptr;
}

void DestroyContextMenus(MdiContextRecord& context)
{
    DestroyMenuIfAlive(context.MenuNoPreview);
    DestroyMenuIfAlive(context.MenuPreview);
    DestroyMenuIfAlive(context.ClientPopup);
    DestroyMenuIfAlive(context.ChildPopup);
}

// One popup of a fresh copy of the context menu resource, detached so that it is the only thing
// kept of that copy and DestroyMenu on it frees everything the copy held.
HMENU LoadContextPopup(HINSTANCE instance, int position)
{
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MENU_CONTEXT));
    if (!menu) return nullptr;
    HMENU popup = GetSubMenu(menu, position);
    RemoveMenu(menu, position, MF_BYPOSITION);
    DestroyMenu(menu);
    return popup;
}

MdiContextRecord& ContextOf(HWND client)
{
    auto* context = static_cast<MdiContextRecord*>(GetPropA(client, CLIENT_PROPERTY));
    return context ? *context : MdiContext;
}

// Only the client's own children are preview windows; the enumeration also reports their EDITs.
BOOL CALLBACK CloseEnumeratedWindow(HWND window, LPARAM clientHandle)
{
    const HWND client = reinterpret_cast<HWND>(clientHandle);
    if (GetParent(window) == client) SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    return TRUE;
}

void CloseAllPreviews(HWND client)
{
    EnumChildWindows(client, CloseEnumeratedWindow, reinterpret_cast<LPARAM>(client));
}

// Every close of a preview window passes here: the settings of the window active at that moment
// are written first.
LRESULT OnMdiDestroy(MdiContextRecord& context, HWND client, WPARAM wParam, LPARAM lParam)
{
    // The platform would treat "no window" as the active one being closed while none is, and go
    // looking among the top-level windows for another to activate.
    if (!wParam) return 0;
    if (HWND active = GetActivePreview()) {
        char buffer[SETTINGS_SCRATCH_SIZE];
        SavePreviewSettings(active, buffer);
    }
    return CallWindowProcA(context.SavedClientProc, client, WM_MDIDESTROY, wParam, lParam);
}

// Answers true when the command was one of the window commands.
bool OnClientCommand(MdiContextRecord& context, HWND client, UINT id)
{
    switch (id) {
    case IDM_CASCADE: SendMessageA(client, WM_MDICASCADE, MDITILE_SKIPDISABLED, 0); return true;
    case IDM_NEWWINDOW: NewPreviewWindow(context); return true;
    case IDM_TILEHORZ: SendMessageA(client, WM_MDITILE, MDITILE_HORIZONTAL, 0); return true;
    case IDM_TILEVERT: SendMessageA(client, WM_MDITILE, MDITILE_VERTICAL, 0); return true;
    case IDM_CLOSE:
        SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(GetActivePreview()), 0);
        return true;
    case IDM_CLOSEALL: CloseAllPreviews(client); return true;
    }
    return false;
}

// Wine's MDI client drops its list of children at its own WM_DESTROY, which comes before theirs; a
// preview destroyed after that has the system walk the dropped list and stamp window IDs on whatever
// windows the stale handles now name, another program's among them. So the previews go first, the
// active one last, so that no other is activated (and made current) on the way out.
void DestroyPreviewWindows(HWND client)
{
    const HWND active = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
    for (HWND child = GetWindow(client, GW_CHILD); child;) {
        const HWND next = GetWindow(child, GW_HWNDNEXT);
        if (child != active) DestroyWindow(child);
        child = next;
    }
    if (active) DestroyWindow(active);
}

LRESULT OnClientDestroy(MdiContextRecord& context, HWND client, WPARAM wParam, LPARAM lParam)
{
    DestroyPreviewWindows(client);
    const WNDPROC saved = context.SavedClientProc;
    SetWindowLongPtrA(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
    RemovePropA(client, CLIENT_PROPERTY);
    if (context.MdiClient == client) context.MdiClient = nullptr;
    // The client's own procedure drops its list of children here.
    return CallWindowProcA(saved, client, WM_DESTROY, wParam, lParam);
}

} // namespace

MdiContextRecord::~MdiContextRecord()
{
    DestroyContextMenus(*this);
}

bool CreateMdiClient(HINSTANCE instance, HWND form)
{
    // A form made again in the same process (the tests do so) loads its menus afresh.
    DestroyContextMenus(MdiContext);
    MdiContext.MenuNoPreview = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MENU_NOPREVIEW));
    MdiContext.MenuPreview = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MENU_PREVIEW));
    MdiContext.ClientPopup = LoadContextPopup(instance, CLIENT_POPUP_POSITION);
    MdiContext.ChildPopup = LoadContextPopup(instance, CHILD_POPUP_POSITION);
    SetMenuDefaultItem(MdiContext.ChildPopup, 0, TRUE);

    CLIENTCREATESTRUCT creation{};
    creation.hWindowMenu = MdiContext.ClientPopup;
    creation.idFirstChild = IDM_WINDOWCHILD_FIRST;
    HWND client =
        CreateWindowExA(CLIENT_EX_STYLE, "MDICLIENT", nullptr, CLIENT_STYLE, 0, 0, 0, 0, form,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MDICLIENT)), instance, &creation);
    MdiContext.MdiClient = client;
    if (!client) return false;

    MdiContext.SavedClientProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(client, GWLP_WNDPROC));
    SetWindowLongPtrA(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MdiClientProc));
    SetPropA(client, CLIENT_PROPERTY, &MdiContext);
    return true;
}

bool PlaceMdiClient(HWND form)
{
    RECT place{};
    GetWindowRect(GetDlgItem(form, IDC_MDIPLACE), &place);
    POINT corner{place.left, place.top};
    ScreenToClient(form, &corner);
    SetWindowPos(MdiContext.MdiClient, HWND_NOTOPMOST, corner.x, corner.y, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER);
    ShowWindow(MdiContext.MdiClient, SW_SHOWNORMAL);
    NewPreviewWindow(MdiContext);
    return true;
}

bool NewPreviewWindow(MdiContextRecord& context)
{
    const HINSTANCE instance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(GetParent(context.MdiClient), GWLP_HINSTANCE));
    // The window replaces this title with its colour code at once.
    const ResourceText title = LoadResourceText(IDS_PREVIEW_TITLE);
    return CreateMDIWindowA(context.ChildClassName, title.text, PREVIEW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, context.MdiClient, instance, 0) != nullptr;
}

HWND GetActivePreview()
{
    if (!MdiContext.MdiClient) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(MdiContext.MdiClient, WM_MDIGETACTIVE, 0, 0));
}

HWND MainFormWindow()
{
    return MdiContext.MdiClient ? GetParent(MdiContext.MdiClient) : nullptr;
}

void ShowContextMenu(LPARAM point, HWND window)
{
    const bool onClient = window == MdiContext.MdiClient;
    HMENU menu = onClient ? MdiContext.ClientPopup : MdiContext.ChildPopup;
    POINT at{LOWORD(point), HIWORD(point)};
    ClientToScreen(window, &at);
    if (!onClient) {
        const PreviewState* state = PreviewStateOf(window);
        if (!state) return;
        const bool filled = state->outerColor == state->innerColor;
        EnableMenuItem(menu, IDM_FILLOUTER, MF_BYCOMMAND | (filled ? MF_GRAYED : MF_ENABLED));
        MarkVisionMode(state->vision);
    }
    TrackPopupMenuEx(menu, 0, at.x, at.y, window, nullptr);
}

LRESULT CALLBACK MdiClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MdiContextRecord& context = ContextOf(window);
    switch (message) {
    case WM_COMMAND:
        if (OnClientCommand(context, window, LOWORD(wParam))) return 0;
        break;
    case WM_MDIDESTROY: return OnMdiDestroy(context, window, wParam, lParam);
    case WM_RBUTTONDOWN: ShowContextMenu(lParam, window); return 0;
    case WM_MENUSELECT: ShowMenuHelp(GetParent(window), LOWORD(wParam)); return 0;
    case WM_EXITMENULOOP: EndMenuHelp(GetParent(window)); return 0;
    case WM_DESTROY: return OnClientDestroy(context, window, wParam, lParam);
    }
    return CallWindowProcA(context.SavedClientProc, window, message, wParam, lParam);
}
