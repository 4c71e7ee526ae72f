// Screen colour capture: the colour under the pointer, twenty times a second.
#pragma once

#include <windows.h>

constexpr UINT_PTR CAPTURE_TIMER_ID = 1;
constexpr UINT CAPTURE_PERIOD_MS = 50;

bool UpdateCaptureMode(HWND form);
void CALLBACK CaptureTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
void OnHotKey(HWND form, WPARAM id);
// The zoom and sample commands: the mark moves to the item in both bars.
void OnCaptureChoice(HWND form, UINT id);
// The magnifier's zoom (5, 10 or 20) and the side of the sample square (1, 3 or 5) as marked in
// the Options submenus; choosing one of them moves the mark, any other figure changes nothing.
int ChosenLoupeZoom(HWND form);
int ChosenSampleSide(HWND form);
void ChooseLoupeZoom(HWND form, int zoom);
void ChooseSampleSide(HWND form, int side);
// A Ctrl+Q that the keyboard repeats while the key is held: the message loop drops it, so that one
// press toggles capture once.
bool IsHeldCaptureKey(const MSG& message);
// Ends the timer and the hot key at once and leaves menu and status bar alone: for a fatal report,
// whose boxes go on dispatching timer messages while they wait.
void HaltCapture();

// The running capture: the timer id that SetTimer gave, 0 while capture is off; the hot keys held
// beside Ctrl+Q, one bit each in the order of their ids from ID_TEXTCOLOR_HOTKEY; whether the Q
// that started capture is still down, and when it last came; the line of keys the magnifier shows.
struct CaptureState {
    UINT_PTR timer;
    unsigned heldKeys;
    bool startKeyDown;
    DWORD lastKeyTime; // of the last Ctrl+Q, while the Q that started capture is down
    char hint[128];
};
extern CaptureState Capture;

// The colour of the screen pixel really under the pointer, read in physical pixels (also on a
// scaled display or a second monitor); false when the pixel cannot be read.
bool ReadPixelUnderPointer(COLORREF* color);

// The colour of the sample around the pointer, as the options ask for it: the block read for the
// magnifier (made and shown as needed) when it is on, the mean of the sample square, or the one
// pixel; false when unreadable.
bool ReadSampleUnderPointer(HWND form, COLORREF* color);
