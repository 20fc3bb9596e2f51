#include "startup_phases.h"

#include <commctrl.h>

#include <cstring>

namespace {

HHOOK gHook = nullptr;

}  // namespace

void StopWatchingStartup();

namespace {

// The messages of the window's building and sizing, each marked once.
const char* WatchedName(const CWPSTRUCT& m) {
    char cls[32] = "";
    GetClassNameA(m.hwnd, cls, sizeof cls);
    bool frame = lstrcmpA(cls, "Tquillnest") == 0;
    bool combo = lstrcmpiA(cls, WC_COMBOBOXA) == 0;
    switch (m.message) {
    case WM_NCCREATE: return frame ? "frame WM_NCCREATE" : combo ? "combo WM_NCCREATE" : nullptr;
    case WM_CREATE: return frame ? "frame WM_CREATE" : combo ? "combo WM_CREATE" : nullptr;
    case WM_SETFONT: return combo ? "combo WM_SETFONT (font made)" : nullptr;
    case CB_SETITEMHEIGHT:
        if (!combo) return nullptr;
        return m.wParam == static_cast<WPARAM>(-1) ? "combo CB_SETITEMHEIGHT field" : "combo CB_SETITEMHEIGHT items";
    case WM_WINDOWPOSCHANGING: return frame ? "frame WM_WINDOWPOSCHANGING" : nullptr;
    case WM_SHOWWINDOW: return frame ? "frame WM_SHOWWINDOW" : nullptr;
    case WM_ACTIVATE: return frame ? "frame WM_ACTIVATE" : nullptr;
    case CB_INITSTORAGE: return combo ? "list fill begins" : nullptr;
    }
    return nullptr;
}

LRESULT CALLBACK WatchProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        if (const char* name = WatchedName(*reinterpret_cast<const CWPSTRUCT*>(lp))) {
            if (!PhaseMarked(name)) MarkPhase(name);
            // The hook would be called for every entry added: no more marks.
            if (std::strcmp(name, "list fill begins") == 0) StopWatchingStartup();
        }
    }
    return CallNextHookEx(gHook, code, wp, lp);
}

}  // namespace

void WatchStartupMessages() { gHook = SetWindowsHookExA(WH_CALLWNDPROC, WatchProc, nullptr, GetCurrentThreadId()); }

void StopWatchingStartup() {
    if (gHook) UnhookWindowsHookEx(gHook);
    gHook = nullptr;
}

// The list is filled by one posted message after the popup shows; the end of
// its handling is the last mark, written at once in case the run is ended.
void NoteDispatched() {
    if (PhaseMarked("list fill begins") && !PhaseMarked("list fill ends")) {
        MarkPhase("list fill ends");
        WritePhases();
    }
}

void TimedQuillnest::SetPopupWidth(int32_t width) {
    MarkPhase("settings XHTML and Width read");
    Tquillnest::SetPopupWidth(width);
    MarkPhase("width set");
}

void TimedQuillnest::AddItem(const std::string& text) {
    if (!listStarted_) MarkPhase("settings offsets read, lists checked, html.dat read");
    listStarted_ = true;
    Tquillnest::AddItem(text);
}

void TimedQuillnest::SetPopupOrigin(int32_t left, int32_t top) {
    MarkPhase("placing");
    Tquillnest::SetPopupOrigin(left, top);
    MarkPhase("placed");
}

Point TimedEditorBridge::LocateCaret() {
    MarkPhase("entries queued, caret lookup");
    Point p = Win32EditorBridge::LocateCaret();
    MarkPhase("caret located");
    return p;
}
