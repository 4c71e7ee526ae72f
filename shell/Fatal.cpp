// The fatal-error report, the version box, the program path and the texts of the string table.
#include "Fatal.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "HeapBlock.h"
#include "WideText.h"
#include "resource.h"
#include "panel/Capture.h"
#include "settings/SettingsCodec.h"

namespace {

char ProgramPathOverride[MAX_PATH] = "";
char ModulePath[MAX_PATH] = "";
// Long enough for any folder the shell lets a user make; the W function keeps every character.
constexpr DWORD WIDE_PATH_SIZE = 4096;
wchar_t WideModulePath[WIDE_PATH_SIZE] = L"";

constexpr int VERSION_TEXT_SIZE = 256;
constexpr int SUB_BLOCK_SIZE = 128;

// Reads one string of the version resource's first translation; null when it is missing.
const wchar_t* VersionString(const void* block, const wchar_t* key)
{
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(block, L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                        &size) ||
        size < sizeof(Translation))
        return nullptr;
    wchar_t subBlock[SUB_BLOCK_SIZE];
    swprintf(subBlock, SUB_BLOCK_SIZE, L"\\StringFileInfo\\%04X%04X\\%ls", translation->language,
             translation->codePage, key);
    wchar_t* value = nullptr;
    if (!VerQueryValueW(block, subBlock, reinterpret_cast<void**>(&value), &size) || !value) return nullptr;
    return value;
}

} // namespace

const wchar_t* WideProgramPath()
{
    static wchar_t overridden[WIDE_PATH_SIZE];
    if (ProgramPathOverride[0]) {
        const WideText wide(ProgramPathOverride);
        lstrcpynW(overridden, wide.get(), WIDE_PATH_SIZE);
        return overridden;
    }
    // The full path of the running exe: argument 0 may be a bare name ("Huebench" typed at a prompt).
    if (!WideModulePath[0]) {
        const DWORD length = GetModuleFileNameW(nullptr, WideModulePath, WIDE_PATH_SIZE);
        if (length == 0 || length >= WIDE_PATH_SIZE) WideModulePath[0] = L'\0';
    }
    return WideModulePath;
}

const char* ProgramPath()
{
    if (ProgramPathOverride[0]) return ProgramPathOverride;
    // For names only (the print document's): a character code page 932 lacks becomes "?".
    if (!ModulePath[0]) lstrcpynA(ModulePath, NarrowText(WideProgramPath()).get(), MAX_PATH);
    return ModulePath;
}

void OverrideProgramPath(const char* path)
{
    lstrcpynA(ProgramPathOverride, path ? path : "", MAX_PATH);
}

ResourceText LoadResourceText(UINT id)
{
    ResourceText text = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text.text, sizeof(text.text));
    return text;
}

int ShowMessage(const char* text, const char* caption, UINT style)
{
    return MessageBoxA(nullptr, text, caption, style | MB_TOPMOST);
}

void FatalError(const char* module, int line)
{
    // The boxes run message loops of their own, which go on dispatching the capture timer: a tick
    // that failed once would fail again and stack up a pair of boxes per tick. Capture ends before
    // the first box, and a failure met while the report is shown ends the process at once.
    static bool reporting = false;
    if (reporting) ExitProcess(1);
    reporting = true;
    HaltCapture();
    char lineText[8];
    snprintf(lineText, sizeof(lineText), "%d", line);
    ShowMessage(LoadResourceText(IDS_FATAL_MEMORY).text, nullptr, MB_TOPMOST | MB_ICONERROR);
    ShowMessage(module, lineText, MB_TOPMOST | MB_ICONERROR);
    ExitProcess(1);
}

// Through the W functions: the exe's own name may hold characters code page 932 lacks.
bool ShowVersionBox()
{
    const std::wstring path = WideProgramPath();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0) return false;
    HeapBlock block(size);
    if (!block.get()) FatalError("Huebench", 497);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.get())) return false;

    const wchar_t* fileVersion = VersionString(block.get(), L"FileVersion");
    if (!fileVersion) return false;
    const wchar_t* copyright = VersionString(block.get(), L"LegalCopyright");
    if (!copyright) return false;

    // A very long name, version or copyright is cut to the box's text buffer.
    wchar_t text[VERSION_TEXT_SIZE];
    swprintf(text, VERSION_TEXT_SIZE, L"%ls ver.%ls\n%ls", WideBaseName(path).c_str(), fileVersion,
             copyright);
    const WideText caption(LoadResourceText(IDS_VERSION_CAPTION).text);
    MessageBoxW(nullptr, text, caption.get(), MB_TOPMOST | MB_ICONINFORMATION);
    return true;
}
