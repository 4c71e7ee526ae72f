// Screen colour capture: the colour under the pointer, twenty times a second.
#pragma once

#include <windows.h>

constexpr UINT_PTR CAPTURE_TIMER_ID = 1;
constexpr UINT CAPTURE_PERIOD_MS = 50;

bool UpdateCaptureMode(HWND form);
void CALLBACK CaptureTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
void OnHotKey(HWND form, WPARAM id);
// Ends the timer and the hot key at once and leaves menu and status bar alone: for a fatal report,
// whose boxes go on dispatching timer messages while they wait.
void HaltCapture();

// The running capture: the timer id that SetTimer gave, 0 while capture is off.
struct CaptureState {
    UINT_PTR timer;
};
extern CaptureState Capture;

// The colour of the screen pixel really under the pointer, read in physical pixels (also on a
// scaled display or a second monitor); false when the pixel cannot be read.
bool ReadPixelUnderPointer(COLORREF* color);

// The same read for the magnifier: the block of pixels around the pointer goes into the magnifier
// window (made and shown as needed) and its middle pixel is the colour; false when unreadable.
bool ReadBlockUnderPointer(bool upperCase, COLORREF* color);
