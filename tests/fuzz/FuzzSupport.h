// Helpers shared by the fuzzers: a failed property aborts, so libFuzzer keeps the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

// Stops the run with what was expected; libFuzzer then writes the input out as a crash artifact.
[[noreturn]] inline void Broken(const char* property, const std::string& detail)
{
    std::fprintf(stderr, "property broken: %s\n%s\n", property, detail.c_str());
    std::abort();
}

// A property of every input. The detail is put together only when the property fails: most inputs
// pass, and describing a long input each time would slow the run down many times over.
#define REQUIRE(holds, property, detail) ((holds) ? void() : Broken(property, detail))

// The bytes of the input up to its first NUL: the text as a caller would hold it.
inline std::string TextOf(const std::uint8_t* data, std::size_t size)
{
    const void* nul = std::memchr(data, '\0', size);
    const std::size_t length = nul ? static_cast<const std::uint8_t*>(nul) - data : size;
    return std::string(reinterpret_cast<const char*>(data), length);
}

// A heap copy of text that ends where the function under test must stop reading: terminated when
// the text is shorter than readLimit, else exactly readLimit bytes and no terminator, so that any
// read past the limit lands outside the allocation.
inline std::unique_ptr<char[]> BoundedCopy(const std::string& text, std::size_t readLimit)
{
    const bool cut = text.size() >= readLimit;
    const std::size_t size = cut ? readLimit : text.size() + 1;
    std::unique_ptr<char[]> copy(new char[size]);
    std::memcpy(copy.get(), text.data(), cut ? readLimit : text.size());
    if (!cut) copy[text.size()] = '\0';
    return copy;
}

// Text with its bytes shown in hexadecimal, for failure reports.
inline std::string Shown(const std::string& text)
{
    std::string shown;
    char byte[4];
    for (unsigned char c : text) {
        std::snprintf(byte, sizeof byte, "%02X ", c);
        shown += byte;
    }
    return "[" + shown + "] (" + std::to_string(text.size()) + " bytes)";
}

// True for a lead byte of a double-byte character in code page 932.
inline bool IsLeadByteOf932(char byte)
{
    const unsigned char value = static_cast<unsigned char>(byte);
    return (value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC);
}

// Bytes of the character at text[at] of a terminated text: a lead byte with a byte after it takes two.
inline std::size_t CharacterSize(const std::string& text, std::size_t at)
{
    return IsLeadByteOf932(text[at]) && at + 1 < text.size() ? 2 : 1;
}

// True when a cut after the first length bytes of text falls between characters.
inline bool IsCharacterBoundary(const std::string& text, std::size_t length)
{
    std::size_t at = 0;
    while (at < length)
        at += CharacterSize(text, at);
    return at == length;
}

// Takes the next value of type T from the input (zero-filled where the input runs out).
template <typename T> T Take(const std::uint8_t*& data, std::size_t& size)
{
    T value = {};
    const std::size_t taken = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, taken);
    data += taken;
    size -= taken;
    return value;
}
