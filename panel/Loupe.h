// The magnifier window that follows the pointer while screen capture runs.
#pragma once

#include <windows.h>

#include <cstdint>

#include "shell/GdiHandles.h"

// A square of screen pixels copied into memory with one read: up to LOUPE_SPAN across.
class ScreenBlock {
  public:
    // Copies the span x span square centred on the point; false when it cannot be read.
    bool Read(HDC screen, POINT centre, int span);
    // The mean of the side x side square in the middle of the span last read.
    COLORREF Mean(int span, int side) const;
    const std::uint32_t* Pixels() const { return bits_; } // rows of LOUPE_SPAN pixels, 0x00RRGGBB
    void Release();                                       // the DC goes before the bitmap it holds

  private:
    GdiObject bitmap_;
    OwnedDC memory_;
    std::uint32_t* bits_ = nullptr;
};

// How the magnifier shows the block: its zoom (5, 10 or 20), the side of the sample square (1, 3 or
// 5), the case of the code, and the line of keys that work.
struct LoupeView {
    int zoom;
    int sample;
    bool upperCase;
    const char* hint;
};

// Copies the block of screen pixels around the pointer into the magnifier, which is made and shown
// as needed, stays beside the pointer on its monitor, and repaints when the block has changed.
// Answers the sample's colour; false, with the magnifier left as it was, when the block cannot be
// read. The screen DC and the pointer are in physical pixels: called with the thread per-monitor
// DPI aware, so that the window, too, is placed and drawn in physical pixels.
bool LoupeTakeBlock(HDC screen, POINT pointer, const LoupeView& view, COLORREF* sampled);

// Takes the magnifier away; harmless when there is none.
void CloseLoupe();

// The magnifier window while there is one, else null.
HWND LoupeWindow();
