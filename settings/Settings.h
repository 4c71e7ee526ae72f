// The settings file beside the program, or in the user's application data when it cannot be there.
#pragma once

#include <windows.h>

constexpr int SETTINGS_PATH_SIZE = 4096;
constexpr wchar_t USER_SETTINGS_FOLDER[] = L"Huebench"; // under %APPDATA%
constexpr wchar_t USER_SETTINGS_FILE[] = L"Huebench.ini";
extern wchar_t SettingsPath[SETTINGS_PATH_SIZE];

void ComputeSettingsPath();
// Once, when the program ends: a message box when a setting could be written nowhere.
void ReportUnsavedSettings();
bool LoadSettings(HWND form, char* buffer);
bool SaveSettings(char* buffer, HWND form);
void SavePreviewSettings(HWND window, char* buffer);
