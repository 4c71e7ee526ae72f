// Start-up, the main form and its message loop.
#pragma once

#include <windows.h>

constexpr int SETTINGS_SCRATCH_SIZE = 1024;

bool RegisterWindowClasses(HINSTANCE instance);
HWND CreateMainForm(HINSTANCE instance); // from dialog template, not yet initialised or shown
void InitMainForm(HWND form);            // runs MAIN_FORM_STEPS in order

// The steps of the form's initialisation, named so that the start-up benchmark can time each.
struct MainFormStep {
    const char* name;
    void (*run)(HWND form);
};
constexpr int MAIN_FORM_STEP_COUNT = 8;
extern const MainFormStep MAIN_FORM_STEPS[MAIN_FORM_STEP_COUNT];
int RunMessageLoop(HWND form, HACCEL accelerators);
int RunHuebench(HINSTANCE instance, int showCommand); // the whole program: WinMain's body
constexpr int CODE_PAGE_NOTICE_SIZE = 512;
void ShowCodePageNotice(); // the box shown at start where the process code page is not 932

LRESULT CALLBACK MainFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnMainCommand(HWND window, WPARAM wParam, LPARAM lParam);

// The message loop's filters in order: MDI keys, accelerators, dialog keys. True when consumed.
bool FilterMainFormMessage(HWND form, HWND mdiClient, HACCEL accelerators, MSG* message);
