// Fuzzes the stored form of the sample text. Decoding works in place and never grows the text,
// finds the pairs that searching again from the start would, and never pairs the second byte of
// a double-byte character; encoding stays within its buffer, writes no CR or LF, and a text of
// whole line breaks comes back unchanged.
#include "FuzzSupport.h"

#include "settings/SettingsCodec.h"

#include <vector>

namespace {

constexpr unsigned char GUARD = 0xA5;
constexpr std::size_t GUARD_SIZE = 16;
constexpr std::size_t LARGEST_OUT_SIZE = SETTINGS_TEXT_SIZE + 200;

bool IsPairAt(const std::string& text, std::size_t at)
{
    return text[at] == '\\' && at + 1 < text.size() && text[at + 1] == '\\';
}

// Replace the first pair of backslashes, character by character from the start, until none is left.
std::string ReferenceDecode(std::string text)
{
    std::size_t at = 0;
    for (;;) {
        while (at < text.size() && !(CharacterSize(text, at) == 1 && IsPairAt(text, at)))
            at += CharacterSize(text, at);
        if (at >= text.size()) return text;
        text.replace(at, 2, "\r\n");
        // Nothing before the replaced pair changed, so the search can go on from there.
    }
}

std::string ReferenceEncode(const std::string& text, std::size_t outSize)
{
    const std::size_t limit = (outSize < SETTINGS_TEXT_SIZE ? outSize : SETTINGS_TEXT_SIZE) - 1;
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t size = CharacterSize(text, at);
        if (out.size() + size > limit) break;
        for (std::size_t i = 0; i < size; ++i) {
            const char byte = text[at + i];
            out += byte == '\r' || byte == '\n' ? '\\' : byte;
        }
        at += size;
    }
    return out;
}

// True when every CR and LF stands in a CR LF pair of single-byte characters and no backslash
// is typed: such a text is stored and read back unchanged.
bool HasOnlyWholeLineBreaks(const std::string& text)
{
    for (std::size_t at = 0; at < text.size(); at += CharacterSize(text, at)) {
        if (CharacterSize(text, at) == 2) {
            if (text[at + 1] == '\r' || text[at + 1] == '\n') return false;
            continue;
        }
        if (text[at] == '\\') return false;
        if (text[at] == '\r' && !(at + 1 < text.size() && text[at + 1] == '\n')) return false;
        if (text[at] == '\n' && !(at > 0 && text[at - 1] == '\r')) return false;
    }
    return true;
}

std::string Decoded(const std::string& text)
{
    std::unique_ptr<char[]> buffer(new char[text.size() + 1]);
    std::memcpy(buffer.get(), text.c_str(), text.size() + 1);
    DecodeStoredText(buffer.get());
    return std::string(buffer.get());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const std::size_t outSize = (data[0] | data[1] << 8) % LARGEST_OUT_SIZE;
    const std::string text = TextOf(data + 2, size - 2);

    const std::string decoded = Decoded(text);
    REQUIRE(decoded.size() <= text.size(), "decoding never grows the text", Shown(text));
    const std::string expectedDecoded = ReferenceDecode(text);
    REQUIRE(decoded == expectedDecoded,
            "decoding replaces the pairs found character by character from the start",
            Shown(text) + " gave " + Shown(decoded) + ", expected " + Shown(expectedDecoded));
    DecodeStoredText(nullptr);

    std::vector<unsigned char> buffer(GUARD_SIZE + outSize + GUARD_SIZE, GUARD);
    char* out = reinterpret_cast<char*>(buffer.data() + GUARD_SIZE);
    EncodeStoredText(text.c_str(), out, outSize);
    const auto detail = [&] { return Shown(text) + " into " + std::to_string(outSize) + " bytes"; };
    for (std::size_t i = 0; i < GUARD_SIZE; ++i) {
        REQUIRE(buffer[i] == GUARD, "nothing is written before the buffer", detail());
        REQUIRE(buffer[GUARD_SIZE + outSize + i] == GUARD, "nothing is written past outSize", detail());
    }
    if (outSize == 0) return 0;
    REQUIRE(std::memchr(out, '\0', outSize) != nullptr, "the stored text is terminated", detail());
    const std::string stored(out);
    REQUIRE(stored.find_first_of("\r\n") == std::string::npos, "no CR or LF is stored", detail());
    REQUIRE(stored.size() < SETTINGS_TEXT_SIZE, "the stored text can be read back whole", detail());
    const std::string expectedStored = ReferenceEncode(text, outSize);
    REQUIRE(stored == expectedStored, "the stored text is the longest run of whole characters that fits",
            detail() + " gave " + Shown(stored) + ", expected " + Shown(expectedStored));
    // The input as a settings file, whatever it holds: the stored text set in it reads back as set.
    const auto trimmed = [](char c) {
        return c == ' ' || c == '\t' || c == '"' || c == '\'' || c == '\v' || c == '\f';
    };
    if (!stored.empty() && !trimmed(stored.front()) && !trimmed(stored.back())) {
        std::string read;
        const bool found =
            FindIniValue(SetIniValue(text, "PREVIEW", "STRING", stored.c_str()), "preview", "String", &read);
        REQUIRE(found && read == stored, "a value set in any file reads back as set",
                detail() + " read " + Shown(read));
    }
    if (stored.size() == text.size() && HasOnlyWholeLineBreaks(text)) {
        REQUIRE(Decoded(stored) == text, "line breaks are stored and read back unchanged", detail());
    }
    return 0;
}
