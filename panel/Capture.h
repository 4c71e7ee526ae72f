// Screen colour capture: the colour under the pointer, twenty times a second.
#pragma once

#include <windows.h>

constexpr UINT_PTR CAPTURE_TIMER_ID = 1;
constexpr UINT CAPTURE_PERIOD_MS = 50;

bool UpdateCaptureMode(HWND form);
void CALLBACK CaptureTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
void OnHotKey(HWND form, WPARAM id);
