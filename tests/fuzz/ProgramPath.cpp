// Fuzzes the settings path and base name taken from the program path, written into buffers of
// every small size: nothing lands outside the buffer, the text is terminated, a cut never halves
// a double-byte character, and what fits is whole.
#include "FuzzSupport.h"

#include "settings/SettingsCodec.h"

#include <functional>
#include <vector>

namespace {

constexpr unsigned char GUARD = 0xA5;
constexpr std::size_t GUARD_SIZE = 16;

struct ReferenceParts {
    std::string stem; // drive, directory and name
    std::string name;
};

// Drive "X:", then the last separator ends the directory and the last dot after it starts the
// extension; a 0x5C or 0x2E second byte of a double-byte character is neither.
ReferenceParts ReferenceSplit(const std::string& path)
{
    std::size_t nameStart = 0;
    if (path.size() >= 2 && !IsLeadByteOf932(path[0]) && path[1] == ':') nameStart = 2;
    std::size_t extension = std::string::npos;
    for (std::size_t at = nameStart; at < path.size(); at += CharacterSize(path, at)) {
        if (CharacterSize(path, at) == 2) continue;
        if (path[at] == '\\' || path[at] == '/') {
            nameStart = at + 1;
            extension = std::string::npos;
        } else if (path[at] == '.') {
            extension = at;
        }
    }
    if (extension == std::string::npos) extension = path.size();
    return {path.substr(0, extension), path.substr(nameStart, extension - nameStart)};
}

// The longest run of whole characters of text within maxLength bytes.
std::string CutAtCharacter(const std::string& text, std::size_t maxLength)
{
    std::size_t at = 0;
    while (at < text.size() && at + CharacterSize(text, at) <= maxLength)
        at += CharacterSize(text, at);
    return text.substr(0, at);
}

// Runs a bounded writer on a buffer of outSize bytes between two guard regions; the text written.
template <typename Describe>
std::string WrittenWithin(std::size_t outSize, const std::function<void(char*, std::size_t)>& write,
                          Describe detail)
{
    std::vector<unsigned char> buffer(GUARD_SIZE + outSize + GUARD_SIZE, GUARD);
    char* out = reinterpret_cast<char*>(buffer.data() + GUARD_SIZE);
    write(out, outSize);
    for (std::size_t i = 0; i < GUARD_SIZE; ++i) {
        REQUIRE(buffer[i] == GUARD, "nothing is written before the buffer", detail());
        REQUIRE(buffer[GUARD_SIZE + outSize + i] == GUARD, "nothing is written past outSize", detail());
    }
    if (outSize == 0) return std::string();
    const void* end = std::memchr(out, '\0', outSize);
    REQUIRE(end != nullptr, "the text is terminated within outSize", detail());
    return std::string(out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const std::size_t outSize = data[0];
    const std::string path = TextOf(data + 1, size - 1);
    const auto detail = [&] { return Shown(path) + " into " + std::to_string(outSize) + " bytes"; };
    const ReferenceParts parts = ReferenceSplit(path);

    const std::string settingsPath = WrittenWithin(
        outSize, [&](char* out, std::size_t n) { SettingsPathFromProgramPath(path.c_str(), out, n); },
        detail);
    const std::string suffix = ".ini";
    const std::string expectedPath = outSize <= suffix.size()
                                         ? std::string()
                                         : CutAtCharacter(parts.stem, outSize - suffix.size() - 1) + suffix;
    REQUIRE(settingsPath == expectedPath,
            "the settings path is the program's, cut before .ini at a character",
            detail() + " gave " + Shown(settingsPath) + ", expected " + Shown(expectedPath));

    const std::string baseName = WrittenWithin(
        outSize, [&](char* out, std::size_t n) { ProgramBaseName(path.c_str(), out, n); }, detail);
    const std::string expectedName = outSize == 0 ? std::string() : CutAtCharacter(parts.name, outSize - 1);
    REQUIRE(baseName == expectedName, "the base name is the program's name, cut at a character",
            detail() + " gave " + Shown(baseName) + ", expected " + Shown(expectedName));

    // The same with room to spare, through an exact allocation.
    const std::size_t roomy = path.size() + suffix.size() + 1;
    std::unique_ptr<char[]> whole(new char[roomy]);
    SettingsPathFromProgramPath(path.c_str(), whole.get(), roomy);
    REQUIRE(std::string(whole.get()) == parts.stem + suffix, "a path that fits is whole", detail());
    ProgramBaseName(path.c_str(), whole.get(), roomy);
    REQUIRE(std::string(whole.get()) == parts.name, "a name that fits is whole", detail());

    SettingsPathFromProgramPath(nullptr, whole.get(), roomy);
    REQUIRE(whole[0] == '\0', "no program path gives no settings path", detail());
    return 0;
}
