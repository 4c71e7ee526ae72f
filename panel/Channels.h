// The red, green and blue channel controls: slider, number field and spin button of each.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include "colour/ColorModel.h"

struct ChannelControls {
    BYTE value;
    HWND slider;
    HWND edit;
    HWND spin;
};

extern ChannelControls RedChannel;
extern ChannelControls GreenChannel;
extern ChannelControls BlueChannel;

void InitSelectionPanel(HWND form);
void InitChannelControls(HWND form, int sliderId, int editId, int spinId, ChannelControls& record);
bool SyncChannel(ChannelControls& record, HWND source);
void WriteChannelEdits(COLORREF color);
COLORREF ChannelColor(); // the colour composed from the three channel values
bool IsSafeSlideOn(HWND form);

// Handlers called from the main form's procedure.
void OnChannelEditUpdate(HWND form, int editId);
bool OnSliderScroll(HWND form, WPARAM wParam, HWND slider); // false: not one of the sliders
void OnSpinDeltaPos(HWND form, NMUPDOWN* change);
