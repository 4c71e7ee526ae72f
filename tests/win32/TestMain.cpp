// Entry point of the Win32 tests. With --fatal-child MODULE LINE it reports a fatal error instead,
// so that a test can watch the two boxes and the exit code from outside.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdlib>
#include <cstring>

#include "panel/Capture.h"
#include "shell/Fatal.h"
#include "shell/Huebench.h"
#include "shell/resource.h"

namespace {

// A capture tick that fails as an exhausted resource would, every time it runs.
void CALLBACK FailingCaptureTick(HWND, UINT, UINT_PTR, DWORD)
{
    FatalError("Huebench", 34);
}

// The program with capture running, whose ticks fail: the report must show one pair of boxes.
int RunFailingCapture()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterWindowClasses(instance)) return 2;
    HWND form = CreateMainForm(instance);
    if (!form) return 2;
    InitMainForm(form);
    ShowWindow(form, SW_SHOWNORMAL);
    SendMessageA(form, WM_COMMAND, IDM_CAPTURE, 0);
    Capture.timer = SetTimer(form, CAPTURE_TIMER_ID, CAPTURE_PERIOD_MS, FailingCaptureTick);
    return RunMessageLoop(form, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--fatal-child") == 0) FatalError(argv[2], std::atoi(argv[3]));
    if (argc == 2 && std::strcmp(argv[1], "--failing-capture-child") == 0) return RunFailingCapture();
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
