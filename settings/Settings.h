// The settings file beside the program.
#pragma once

#include <windows.h>

extern char SettingsPath[MAX_PATH];

void ComputeSettingsPath();
bool LoadSettings(HWND form, char* buffer);
bool SaveSettings(char* buffer, HWND form);
void SavePreviewSettings(HWND window, char* buffer);
