// Basic colour types shared by the pure colour code and the window code.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
typedef std::uint32_t COLORREF; // 0x00BBGGRR, as on Windows
#endif
