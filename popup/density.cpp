#include "density.h"

#include <algorithm>
#include <limits>

namespace {

template <class Fn>
Fn Lookup(const char* dll, const char* name) {
    HMODULE module = GetModuleHandleA(dll);
    if (!module) module = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

UINT SystemDpi() {
    HDC dc = GetDC(nullptr);
    int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : static_cast<int>(kDesignDpi);
    if (dc) ReleaseDC(nullptr, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

}  // namespace

int32_t ScaledTo(int64_t designPixels, UINT dpi) {
    int64_t product = designPixels * static_cast<int64_t>(dpi);
    int64_t half = product < 0 ? -int64_t{kDesignDpi / 2} : int64_t{kDesignDpi / 2};
    int64_t scaled = (product + half) / int64_t{kDesignDpi};
    scaled = std::clamp<int64_t>(scaled, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(scaled);
}

UINT WindowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static auto getDpi = Lookup<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
    UINT dpi = getDpi ? getDpi(hwnd) : 0;
    return dpi ? dpi : SystemDpi();
}

UINT MonitorDpiAt(Point p) {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    const int effectiveDpi = 0;
    static auto getDpi = Lookup<GetDpiForMonitorFn>("shcore.dll", "GetDpiForMonitor");
    HMONITOR monitor = MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST);
    UINT x = 0, y = 0;
    if (getDpi && monitor && SUCCEEDED(getDpi(monitor, effectiveDpi, &x, &y)) && y) return y;
    return SystemDpi();
}

SIZE OuterSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static auto adjust = Lookup<AdjustForDpiFn>("user32.dll", "AdjustWindowRectExForDpi");
    RECT r{0, 0, clientWidth, clientHeight};
    if (!adjust || !adjust(&r, style, FALSE, exStyle, dpi)) AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}
