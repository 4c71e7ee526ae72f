// Start-up, the main form's window procedure and the command routing.
#include "Huebench.h"

#include <commctrl.h>

#include "DpiChange.h"
#include "Fatal.h"
#include "Layout.h"
#include "Menus.h"
#include "WideText.h"
#include "WindowClasses.h"
#include "resource.h"
#include "panel/Capture.h"
#include "panel/Channels.h"
#include "panel/ColorList.h"
#include "panel/Loupe.h"
#include "panel/PasteColor.h"
#include "panel/Propagation.h"
#include "panel/RecentColors.h"
#include "preview/MdiClient.h"
#include "preview/MesProc.h"
#include "preview/ResultExport.h"
#include "print/PrintCtrl.h"
#include "settings/Settings.h"
#include "settings/SettingsCodec.h"

namespace {

HWND MdiClientWindow()
{
    return MdiContext.MdiClient;
}

LRESULT DefaultFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcA(window, MdiClientWindow(), message, wParam, lParam);
}

// --- Message handlers -------------------------------------------------------------------------

LRESULT OnCreate(HWND form, const CREATESTRUCTA* create)
{
    if (!CreateMdiClient(create->hInstance, form)) return -1;
    RecordBaseMetrics(form);
    return 0;
}

void SaveAll(HWND form)
{
    char scratch[SETTINGS_SCRATCH_SIZE];
    SaveSettings(scratch, form);
}

void EndRun()
{
    CloseLoupe(); // a top-level window of its own: it would outlive the form
    PostQuitMessage(0);
}

void SaveAndQuit(HWND form)
{
    SaveAll(form);
    EndRun();
}

// Another program may still cancel the end of the session: the settings are saved at the question,
// and the program ends only once the session really ends.
void OnEndSession(WPARAM ending)
{
    if (ending) EndRun();
}

void OnSysColorChange(HWND form)
{
    SendDlgItemMessageA(form, IDC_COLORLIST, LVM_DELETEALLITEMS, 0, 0);
    FillColorList();
}

LRESULT OnNotify(HWND form, WPARAM wParam, LPARAM lParam)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->idFrom == IDC_COLORLIST) return OnColorListNotify(form, header, wParam);
    switch (header->code) {
    case UDN_DELTAPOS: OnSpinDeltaPos(form, reinterpret_cast<NMUPDOWN*>(lParam)); return 0;
    case TCN_SELCHANGE:
        if (header->idFrom != IDC_TAB) break;
        ShowTabPage(form);
        return 0;
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW: return OnColumnChanging(); // the list's columns keep their widths, however asked
    }
    return DefaultFrame(form, WM_NOTIFY, wParam, lParam);
}

LRESULT OnHScroll(HWND form, WPARAM wParam, LPARAM lParam)
{
    if (OnSliderScroll(form, wParam, reinterpret_cast<HWND>(lParam))) return 0;
    return DefaultFrame(form, WM_HSCROLL, wParam, lParam);
}

// IsDialogMessageA answers Tab, Shift+Tab and the mnemonics by sending the form WM_NEXTDLGCTL, on
// which only the dialog default procedure acts; the form hands its messages to the frame default,
// so it moves the focus itself. wParam is the control to focus when lParam's low word is set, else
// the direction (non-zero: backwards).
void OnNextDialogControl(HWND form, WPARAM wParam, LPARAM lParam)
{
    HWND next = nullptr;
    if (LOWORD(lParam)) {
        next = reinterpret_cast<HWND>(wParam);
    } else {
        // From a window inside a control (a preview's text), the step starts at that control.
        HWND current = GetFocus();
        while (current && GetParent(current) != form)
            current = GetParent(current);
        next = GetNextDlgTabItem(form, current, wParam != 0);
    }
    if (!next || !IsChild(form, next)) return;
    SetFocus(next);
    // As in a dialog, a field entered from the keyboard has its whole text selected.
    if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(next, EM_SETSEL, 0, -1);
}

// --- Commands ---------------------------------------------------------------------------------

bool OnControlNotification(HWND form, int id, int code)
{
    switch (id) {
    case IDC_HEXEDIT:
        if (code != EN_CHANGE) return false;
        OnHexFieldChange(form);
        return true;
    case IDC_REDIT:
    case IDC_GEDIT:
    case IDC_BEDIT:
        if (code != EN_UPDATE) return false;
        OnChannelEditUpdate(form, id);
        return true;
    case IDC_APPLY: OnApply(form); return true;
    case IDC_CHOOSECOLOR: ChooseColorFromDialog(form); return true;
    }
    return false;
}

void OnVersion()
{
    if (!ShowVersionBox())
        ShowMessage(LoadResourceText(IDS_VERSION_FAILED).text, nullptr, MB_TOPMOST | MB_ICONERROR);
}

void OnPrint(HWND form)
{
    if (SendMessageA(MdiClientWindow(), WM_MDIGETACTIVE, 0, 0)) PrintPreviews(form);
}

} // namespace

LRESULT OnMainCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (OnControlNotification(window, id, HIWORD(wParam))) return 0;
    switch (id) {
    case IDM_VERSION: OnVersion(); return 0;
    case IDM_CAPTION:
    case IDM_AUTOCOPY:
    case IDM_TOPLEVEL:
    case IDM_CAPTURE:
    case IDM_SYNCHRO:
    case IDM_LOUPE: ToggleOption(window, id); return 0;
    case IDM_LOUPEZOOM_5:
    case IDM_LOUPEZOOM_10:
    case IDM_LOUPEZOOM_20:
    case IDM_SAMPLE_1:
    case IDM_SAMPLE_3:
    case IDM_SAMPLE_5: OnCaptureChoice(window, id); return 0;
    case IDM_EXIT: PostMessageA(window, WM_CLOSE, 0, 0); return 0;
    case IDM_CASCADE:
    case IDM_NEWWINDOW:
    case IDM_TILEHORZ:
    case IDM_TILEVERT:
    case IDM_CLOSE:
    case IDM_CLOSEALL: SendMessageA(MdiClientWindow(), WM_COMMAND, wParam, lParam); return 0;
    case IDM_PRINT: OnPrint(window); return 0;
    case IDM_COPYRESULT: CopyContrastResult(window, GetActivePreview()); return 0;
    case IDM_COPYTABLE: CopyResultTable(window); return 0;
    case IDM_SAVECSV: SaveResultCsv(window); return 0;
    case IDM_PASTECOLOR: PasteColor(window); return 0;
    case IDM_CLEARRECENT: ClearRecentColors(window); return 0;
    case IDM_FONT:
    case IDM_FILLOUTER:
    case IDM_TEXTFROMCURRENT:
    case IDM_SWAPTEXTINNER:
    case IDM_VISION_NORMAL:
    case IDM_VISION_PROTANOPIA:
    case IDM_VISION_DEUTERANOPIA:
    case IDM_VISION_TRITANOPIA:
    case IDM_VISION_MONOCHROMACY:
        if (HWND preview = GetActivePreview()) SendMessageA(preview, WM_COMMAND, wParam, lParam);
        return 0;
    }
    if (id >= IDM_RECENT_FIRST && id < IDM_RECENT_FIRST + RECENT_COLOR_LIMIT) {
        ChooseRecentColor(window, id - IDM_RECENT_FIRST);
        return 0;
    }
    return DefaultFrame(window, WM_COMMAND, wParam, lParam);
}

LRESULT CALLBACK MainFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: return OnCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_DESTROY: SaveAndQuit(window); return 0;
    case WM_QUERYENDSESSION: SaveAll(window); return TRUE;
    case WM_ENDSESSION: OnEndSession(wParam); return 0;
    case WM_SIZE: LayoutMainForm(window, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SYSCOLORCHANGE: OnSysColorChange(window); return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(window, reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_NOTIFY: return OnNotify(window, wParam, lParam);
    case WM_COMMAND: return OnMainCommand(window, wParam, lParam);
    case WM_HSCROLL: return OnHScroll(window, wParam, lParam);
    case WM_LBUTTONDBLCLK: return 0;
    case WM_MENUSELECT: ShowMenuHelp(window, LOWORD(wParam)); return 0;
    case WM_EXITMENULOOP: EndMenuHelp(window); return 0;
    case WM_INITMENUPOPUP: OnEditPopupOpening(window, reinterpret_cast<HMENU>(wParam)); break;
    case WM_HOTKEY: OnHotKey(window, wParam); return 0;
    case WM_NEXTDLGCTL: OnNextDialogControl(window, wParam, lParam); return 0;
    case WM_DPICHANGED:
        OnFormDpiChanged(window, LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    return DefaultFrame(window, message, wParam, lParam);
}

bool RegisterWindowClasses(HINSTANCE instance)
{
    return RegisterFormClasses(instance, MainFormProc, PreviewWndProc, MdiContext.ChildClassName);
}

HWND CreateMainForm(HINSTANCE instance)
{
    // The common controls load now, before the template names their classes (they are imported
    // late, so that they come from the system folder, never the program's own).
    InitCommonControls();
    const HWND form = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAINFORM), nullptr, nullptr, 0);
    TakeOverDpiScaling(form);
    return form;
}

namespace {

void PlaceMdiClientStep(HWND form)
{
    PlaceMdiClient(form);
}

void FillColorListStep(HWND)
{
    FillColorList();
}

void LoadSettingsStep(HWND form)
{
    char scratch[SETTINGS_SCRATCH_SIZE];
    LoadSettings(form, scratch);
}

} // namespace

// The MDI client and the first preview come before the settings, which are applied partly to the
// active preview; the settings come before the page is shown, since they select it.
const MainFormStep MAIN_FORM_STEPS[MAIN_FORM_STEP_COUNT] = {
    {"status-bar parts", InitStatusBarParts},
    {"MDI client and first preview window", PlaceMdiClientStep},
    {"tabs and channel controls", InitSelectionPanel},
    {"hexadecimal field", InitHexField},
    {"colour list set-up", InitColorList},
    {"colour list fill", FillColorListStep},
    {"settings loaded and applied", LoadSettingsStep},
    {"tab page shown", ShowTabPage},
};

void InitMainForm(HWND form)
{
    for (const MainFormStep& step : MAIN_FORM_STEPS)
        step.run(form);
}

// The W functions throughout: a character typed into the Unicode sample text stays whole on its
// way, and ANSI windows still get their messages converted by the system.
bool FilterMainFormMessage(HWND form, HWND mdiClient, HACCEL accelerators, MSG* message)
{
    if (IsHeldCaptureKey(*message)) return true;
    if (TranslateMDISysAccel(mdiClient, message)) return true;
    if (accelerators && TranslateAcceleratorW(form, accelerators, message)) return true;
    return IsDialogMessageW(form, message) != FALSE;
}

int RunMessageLoop(HWND form, HACCEL accelerators)
{
    const HWND mdiClient = MdiClientWindow();
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (FilterMainFormMessage(form, mdiClient, accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

// Windows 10 ignores the manifest's code page, and with a system locale other than Japanese every
// text of the program would come out garbled: a Unicode box in both languages says so.
void ShowCodePageNotice()
{
    wchar_t text[CODE_PAGE_NOTICE_SIZE] = L"";
    wchar_t caption[CODE_PAGE_NOTICE_SIZE] = L"";
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    LoadStringW(instance, IDS_CODEPAGE_NOTICE, text, CODE_PAGE_NOTICE_SIZE);
    LoadStringW(instance, IDS_CODEPAGE_CAPTION, caption, CODE_PAGE_NOTICE_SIZE);
    MessageBoxW(nullptr, text, caption, MB_TOPMOST | MB_ICONWARNING);
}

int RunHuebench(HINSTANCE instance, int showCommand)
{
    // Every DLL loaded later (the delay-imported ones among them) comes from the system folder only.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (GetACP() != PROGRAM_CODE_PAGE) ShowCodePageNotice();
    if (!RegisterWindowClasses(instance)) return 1;
    HWND form = CreateMainForm(instance);
    if (!form) return 1;
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    InitMainForm(form);
    ShowWindow(form, showCommand);
    const int exitCode = RunMessageLoop(form, accelerators);
    ReportUnsavedSettings();
    return exitCode;
}
