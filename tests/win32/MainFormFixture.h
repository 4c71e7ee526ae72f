// The real main form for Win32 tests, and the steps a person takes with it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>

// Pumps the thread's messages through the main form's filters for the given time.
void PumpMessages(DWORD milliseconds = 30);
// Pumps until the condition holds or the time is up; answers the condition's last value.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds = 3000);

// The colour of a screen pixel (screen coordinates).
COLORREF ScreenPixel(int x, int y);
// The colour of a pixel of a window's client area, read from the screen after a forced repaint.
COLORREF ClientPixel(HWND window, int x, int y);

std::string WindowText(HWND window);
// A fresh empty folder under the temporary directory (for a program path and its settings file).
std::string MakeTempFolder();

// Finds a visible top-level dialog (class #32770) of this process, waiting up to the timeout.
HWND FindProcessDialog(DWORD timeoutMilliseconds = 5000);
// The same for another process (a child process's message boxes).
HWND FindDialogOfProcess(DWORD process, DWORD timeoutMilliseconds);
// Runs `open` (which shows a modal dialog and returns when it closes); meanwhile, on another
// thread, waits for the dialog and hands it to `handle` (which presses its buttons).
void WithDialog(const std::function<void()>& open, const std::function<void(HWND dialog)>& handle);
// The static texts of a message box, joined by "\n" (the icon has none).
std::string MessageBoxText(HWND box);

class MainFormTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    HWND Control(int id) const { return GetDlgItem(form, id); }
    void Command(UINT id) { SendMessageA(form, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    std::string SettingsFile() const { return folder + "\\Huebench.ini"; }
    std::string AppDataFolder() const { return folder + "\\AppData"; } // the tests' %APPDATA%
    std::string UserSettingsFile() const { return AppDataFolder() + "\\Huebench\\Huebench.ini"; }
    // Writes the settings file. The form saves its own settings when it is destroyed, so to start
    // from a prepared file: DestroyForm(); WriteSettings(...); CreateForm();
    void WriteSettings(const std::string& contents);
    void RecreateForm(); // destroys the form (saving settings) and creates it anew

    void CreateForm();
    void DestroyForm();

    std::string folder; // holds the program path's settings file
    HWND form = nullptr;
    HWND mdiClient = nullptr;
    HACCEL accelerators = nullptr;
    HMENU templateMenu = nullptr; // the bar the form's template gave it, before the first swap
};
