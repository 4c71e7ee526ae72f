// The fatal-error report, the version box and the program's own path.
#pragma once

#include <windows.h>

[[noreturn]] void FatalError(const char* module, int line);
bool ShowVersionBox();

// The program's path as argument 0 of its command line gives it.
const char* ProgramPath();                  // in code page 932, for names
const wchar_t* WideProgramPath();           // whole, whatever characters its folders hold
void OverrideProgramPath(const char* path); // tests run the program's code from another exe

// A text of the string table, loaded into a fixed buffer.
struct ResourceText {
    char text[256];
};
ResourceText LoadResourceText(UINT id);

// Message box with no owner, always on top, as every box of the program.
int ShowMessage(const char* text, const char* caption, UINT style);
