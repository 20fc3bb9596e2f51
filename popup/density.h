// Pixel densities. The form's design, the settings' width and offsets and the
// gap below the caret are pixels at 96 dots per inch; the program declares
// itself density-aware, so it scales them itself to the screen they are shown
// on. The density functions came with Windows 8.1 and 10 and are looked up
// at run time, so the program still starts where they are missing.
#pragma once

#include <windows.h>

#include <cstdint>

#include "composer/operations.h"

constexpr UINT kDesignDpi = 96;

// pixels at 96 dpi as pixels at dpi, rounded half away from zero and kept
// within 32 bits.
int32_t ScaledTo(int64_t designPixels, UINT dpi);

UINT WindowDpi(HWND hwnd);
// The density of the monitor that holds p, or of the nearest one.
UINT MonitorDpiAt(Point p);
// The outer size of a window of these styles around a client area, at dpi.
SIZE OuterSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);
