// The fatal-error report, the version box, the program path and the texts of the string table.
#include "Fatal.h"

#include <cstdio>
#include <cstdlib>

#include "HeapBlock.h"
#include "resource.h"
#include "panel/Capture.h"
#include "settings/SettingsCodec.h"

namespace {

char ProgramPathOverride[MAX_PATH] = "";
char ModulePath[MAX_PATH] = "";

constexpr int VERSION_TEXT_SIZE = 256;
constexpr int SUB_BLOCK_SIZE = 128;

// Reads one string of the version resource's first translation; null when it is missing.
const char* VersionString(const void* block, const char* key)
{
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(block, "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof(Translation))
        return nullptr;
    char subBlock[SUB_BLOCK_SIZE];
    snprintf(subBlock, sizeof(subBlock), "\\StringFileInfo\\%04X%04X\\%s", translation->language,
             translation->codePage, key);
    char* value = nullptr;
    if (!VerQueryValueA(block, subBlock, reinterpret_cast<void**>(&value), &size) || !value) return nullptr;
    return value;
}

} // namespace

const char* ProgramPath()
{
    if (ProgramPathOverride[0]) return ProgramPathOverride;
    // The full path of the running exe: argument 0 may be a bare name ("Huebench" typed at a prompt),
    // and the profile functions would then look for the settings in the Windows folder.
    if (!ModulePath[0] && !GetModuleFileNameA(nullptr, ModulePath, MAX_PATH))
        lstrcpynA(ModulePath, (__argc > 0 && __argv && __argv[0]) ? __argv[0] : "", MAX_PATH);
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

bool ShowVersionBox()
{
    const char* path = ProgramPath();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return false;
    HeapBlock block(size);
    if (!block.get()) FatalError("Huebench", 497);
    if (!GetFileVersionInfoA(path, 0, size, block.get())) return false;

    const char* fileVersion = VersionString(block.get(), "FileVersion");
    if (!fileVersion) return false;
    char name[MAX_PATH];
    ProgramBaseName(path, name, sizeof(name));
    const char* copyright = VersionString(block.get(), "LegalCopyright");
    if (!copyright) return false;

    // A very long name, version or copyright is cut to the box's text buffer.
    char text[VERSION_TEXT_SIZE];
    snprintf(text, sizeof(text), "%s ver.%s\n%s", name, fileVersion, copyright);
    ShowMessage(text, LoadResourceText(IDS_VERSION_CAPTION).text, MB_TOPMOST | MB_ICONINFORMATION);
    return true;
}
