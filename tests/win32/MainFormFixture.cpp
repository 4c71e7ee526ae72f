// The real main form for Win32 tests, and the steps a person takes with it.
#include "MainFormFixture.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "shell/Fatal.h"
#include "shell/Huebench.h"
#include "shell/resource.h"
#include "preview/MdiClient.h"

namespace {

// The form the pump offers messages to, as the program's own loop does.
HWND PumpForm = nullptr;
HACCEL PumpAccelerators = nullptr;

struct DialogSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindDialogWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32] = "";
    GetClassNameA(window, className, sizeof(className));
    if (process == search->process && lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND window, LPARAM lParam)
{
    char className[32] = "";
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpiA(className, "Static") != 0) return TRUE;
    const std::string text = WindowText(window);
    if (text.empty()) return TRUE;
    auto* joined = reinterpret_cast<std::string*>(lParam);
    if (!joined->empty()) *joined += "\n";
    *joined += text;
    return TRUE;
}

} // namespace

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) { // as the program's own loop
            if (message.message == WM_QUIT) continue;
            if (PumpForm && IsWindow(PumpForm) &&
                FilterMainFormMessage(PumpForm, MdiContext.MdiClient, PumpAccelerators, &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMilliseconds) return condition();
        PumpMessages(10);
    }
    return true;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const COLORREF color = GetPixel(screen, x, y);
    DeleteDC(screen);
    return color;
}

COLORREF ClientPixel(HWND window, int x, int y)
{
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    PumpMessages(30);
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return ScreenPixel(point.x, point.y);
}

std::string WindowText(HWND window)
{
    char text[2048] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string MakeTempFolder()
{
    char base[MAX_PATH] = "";
    GetTempPathA(sizeof(base), base);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char folder[MAX_PATH];
        snprintf(folder, sizeof(folder), "%shuebench-%lu-%lu-%d", base, GetCurrentProcessId(), GetTickCount(),
                 attempt);
        if (CreateDirectoryA(folder, nullptr)) return folder;
    }
    return base;
}

HWND FindProcessDialog(DWORD timeoutMilliseconds)
{
    return FindDialogOfProcess(GetCurrentProcessId(), timeoutMilliseconds);
}

HWND FindDialogOfProcess(DWORD process, DWORD timeoutMilliseconds)
{
    const DWORD start = GetTickCount();
    DialogSearch search = {process, nullptr};
    do {
        EnumWindows(FindDialogWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMilliseconds);
    return nullptr;
}

void WithDialog(const std::function<void()>& open, const std::function<void(HWND dialog)>& handle)
{
    std::atomic<bool> done{false};
    std::thread helper([&] {
        HWND dialog = FindProcessDialog();
        Sleep(100); // let the dialog finish its initialisation
        handle(dialog);
        // A handler that failed to close its dialog must not hang the test run.
        const DWORD start = GetTickCount();
        while (!done && GetTickCount() - start < 5000)
            Sleep(20);
        if (!done && dialog && IsWindow(dialog)) {
            ADD_FAILURE() << "the dialog was still open after its handler ran";
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    open();
    done = true;
    helper.join();
}

std::string MessageBoxText(HWND box)
{
    std::string joined;
    if (box) EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&joined));
    return joined;
}

void MainFormTest::SetUp()
{
    folder = MakeTempFolder();
    // The version box reads the program file itself: give it a real exe with our resources.
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof(self));
    const std::string program = folder + "\\Huebench.exe";
    CopyFileA(self, program.c_str(), FALSE);
    OverrideProgramPath(program.c_str());
    SetEnvironmentVariableA("APPDATA", AppDataFolder().c_str()); // not there unless a test makes it
    CreateForm();
}

void MainFormTest::TearDown()
{
    DestroyForm();
    DeleteFileA(SettingsFile().c_str());
    DeleteFileA((folder + "\\Huebench.exe").c_str());
    DeleteFileA(UserSettingsFile().c_str());
    RemoveDirectoryA((AppDataFolder() + "\\Huebench").c_str());
    RemoveDirectoryA(AppDataFolder().c_str());
    RemoveDirectoryA(folder.c_str());
}

void MainFormTest::CreateForm()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(instance, "MAINFORM", &existing)) {
        ASSERT_TRUE(RegisterWindowClasses(instance));
    }
    form = CreateMainForm(instance);
    ASSERT_NE(form, nullptr) << "the main form could not be created";
    templateMenu = GetMenu(form);
    accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    PumpForm = form;
    PumpAccelerators = accelerators;
    InitMainForm(form);
    ShowWindow(form, SW_SHOWNORMAL);
    mdiClient = MdiContext.MdiClient;
    PumpMessages(50);
}

void MainFormTest::DestroyForm()
{
    if (form && IsWindow(form)) DestroyWindow(form);
    PumpMessages(20);
    form = nullptr;
    PumpForm = nullptr;
}

void MainFormTest::WriteSettings(const std::string& contents)
{
    std::ofstream file(SettingsFile(), std::ios::binary | std::ios::trunc);
    file << contents;
}

void MainFormTest::RecreateForm()
{
    DestroyForm();
    CreateForm();
}
