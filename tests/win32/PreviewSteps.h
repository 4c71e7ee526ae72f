// Steps a person takes with the preview windows, for the MDI and preview tests.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "MainFormFixture.h"
#include "preview/MdiClient.h"
#include "preview/MesProc.h"
#include "shell/resource.h"

namespace preview_steps {

// The preview windows of the client, top of the Z order first.
inline std::vector<HWND> Previews(HWND client)
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (PreviewStateOf(child)) found.push_back(child);
    return found;
}

inline PreviewState NoPreview; // what StateOf hands out for a window without a record

inline PreviewState& StateOf(HWND preview)
{
    PreviewState* state = PreviewStateOf(preview);
    if (state) return *state;
    ADD_FAILURE() << "window " << preview << " carries no preview record";
    return NoPreview;
}

inline std::string StatusText(HWND form, int part)
{
    // SB_GETTEXTLENGTHA counts characters here, not bytes, so it cannot size the buffer.
    char text[1024] = "";
    SendDlgItemMessageA(form, IDC_STATUS, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

inline bool StatusIsSimple(HWND form)
{
    return SendDlgItemMessageA(form, IDC_STATUS, SB_ISSIMPLE, 0, 0) != FALSE;
}

// Sends a key to a window as the message loop would see it with Ctrl held down.
inline void PressWithCtrl(HWND target, UINT key)
{
    BYTE saved[256] = {};
    GetKeyboardState(saved);
    BYTE pressed[256];
    std::memcpy(pressed, saved, sizeof pressed);
    pressed[VK_CONTROL] = 0x80;
    pressed[VK_LCONTROL] = 0x80;
    SetKeyboardState(pressed);
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    PumpMessages(100);
    SetKeyboardState(saved);
}

// Runs steps one by one from a timer while a popup menu is open (the menu's own loop dispatches
// timers); whatever is left when the steps run out closes the menu.
struct MenuSteps {
    std::vector<std::function<void()>> steps;
    size_t next = 0;
};
inline MenuSteps ActiveMenuSteps;

inline void CALLBACK RunMenuStep(HWND, UINT, UINT_PTR id, DWORD)
{
    if (ActiveMenuSteps.next < ActiveMenuSteps.steps.size()) {
        ActiveMenuSteps.steps[ActiveMenuSteps.next++]();
        return;
    }
    KillTimer(nullptr, id);
    EndMenu();
}

// Right-clicks a window at a client point (as WM_RBUTTONDOWN) and runs the steps while its
// context menu is open; returns once the menu has closed and its command has been carried out.
inline void RightClickWithMenuSteps(HWND window, POINT at, std::vector<std::function<void()>> steps)
{
    ActiveMenuSteps = MenuSteps{std::move(steps), 0};
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, RunMenuStep);
    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    KillTimer(nullptr, timer);
    PumpMessages(100);
}

// A key pressed inside an open menu: the menu's loop reads it from the thread's queue.
inline void MenuKey(HWND anyWindow, UINT key)
{
    PostMessageA(anyWindow, WM_KEYDOWN, key, 1);
}

} // namespace preview_steps
