// The floor of Huebench's start-up: the same window classes, the main form from the same dialog
// template (so the same common controls, menu and manifest), the MDI client where the form places
// it with one empty preview window, and the same message loop; none of the program's own work (no
// settings file, status-bar parts, channel ranges, colour list, hexadecimal field or tab page).
// Built with the same toolchain, options and resources as Huebench.exe.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "shell/WindowClasses.h"
#include "shell/resource.h"

namespace {

char childClassName[16];
constexpr DWORD CLIENT_EX_STYLE = WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE;
constexpr DWORD CLIENT_STYLE = WS_CHILD | WS_CLIPCHILDREN | MDIS_ALLCHILDSTYLES;
constexpr DWORD PREVIEW_STYLE = WS_VISIBLE | WS_OVERLAPPEDWINDOW;

HWND mdiClient = nullptr;

// An empty preview: its whole area in one colour, as the class has no background brush.
LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_WINDOW));
        EndPaint(window, &paint);
        return 0;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}

bool CreateClient(HWND form, HINSTANCE instance)
{
    CLIENTCREATESTRUCT creation{};
    creation.idFirstChild = IDM_WINDOWCHILD_FIRST;
    mdiClient =
        CreateWindowExA(CLIENT_EX_STYLE, "MDICLIENT", nullptr, CLIENT_STYLE, 0, 0, 0, 0, form,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MDICLIENT)), instance, &creation);
    return mdiClient != nullptr;
}

LRESULT CALLBACK FormProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return CreateClient(form, reinterpret_cast<const CREATESTRUCTA*>(lParam)->hInstance) ? 0 : -1;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefFrameProcA(form, mdiClient, message, wParam, lParam);
}

// The client over the template's placeholder, shown, with one preview.
void PlaceClient(HWND form, HINSTANCE instance)
{
    RECT place{};
    GetWindowRect(GetDlgItem(form, IDC_MDIPLACE), &place);
    POINT corner{place.left, place.top};
    ScreenToClient(form, &corner);
    SetWindowPos(mdiClient, nullptr, corner.x, corner.y, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER);
    ShowWindow(mdiClient, SW_SHOWNORMAL);
    CreateMDIWindowA(childClassName, "#000000", PREVIEW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                     CW_USEDEFAULT, mdiClient, instance, 0);
}

// With --startup-steps, as Bench.exe --startup-steps runs the program: each step's time as
// "name=seconds" on standard output, and the end once the first paint is done.
class StepClock {
  public:
    explicit StepClock(bool on) : on_(on)
    {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&last_);
    }
    void Lap(const char* name)
    {
        if (!on_) return;
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        char line[128];
        const int length = std::snprintf(line, sizeof line, "%s=%.9f\n", name,
                                         double(now.QuadPart - last_.QuadPart) / double(frequency_.QuadPart));
        DWORD written = 0;
        if (length > 0)
            WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
        last_ = now;
    }
    bool On() const { return on_; }

  private:
    bool on_;
    LARGE_INTEGER frequency_, last_;
};

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    StepClock steps(commandLine && std::strstr(commandLine, "--startup-steps"));
    if (!RegisterFormClasses(instance, FormProc, PreviewProc, childClassName)) return 1;
    steps.Lap("window classes registered");
    const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND form = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAINFORM), nullptr, nullptr, 0);
    if (!form) return 1;
    const HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    steps.Lap("main form and its controls created from the template");
    PlaceClient(form, instance);
    steps.Lap("MDI client and first preview window");
    ShowWindow(form, steps.On() ? SW_SHOWNORMAL : showCommand);
    MSG message = {};
    if (steps.On()) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        steps.Lap("form shown, first paint, queue empty");
        DestroyWindow(form);
        return 0;
    }
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateMDISysAccel(mdiClient, &message)) continue;
        if (accelerators && TranslateAcceleratorW(form, accelerators, &message)) continue;
        if (IsDialogMessageW(form, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
