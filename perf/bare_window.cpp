// The baseline for start-up timing: a bare window from the same toolchain
// and runtime as Quillnest, holding one combo box and nothing else.
#include <windows.h>

#ifdef QN_PHASE_LOG
#include "phase_marks.h"
#else
inline void MarkPhase(const char*) {}
inline void WritePhases() {}
#endif

namespace {

LRESULT CALLBACK BareProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(h, msg, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    MarkPhase("entry");
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "QuillnestBare";
    RegisterClassA(&wc);
    HWND frame = CreateWindowExA(WS_EX_DLGMODALFRAME, "QuillnestBare", "Bare",
                                 WS_CAPTION | WS_SYSMENU, 100, 100, 215, 60, nullptr, nullptr,
                                 instance, nullptr);
    MarkPhase("frame built");
    CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 1, 0, 200, 200, frame,
                    nullptr, instance, nullptr);
    MarkPhase("combo box built");
    ShowWindow(frame, show);
    MarkPhase("shown");
    WritePhases();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
