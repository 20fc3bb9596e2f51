// A stand-in for the host editor, for the end-to-end tests and the demo.
//
//   standin_editor [--text FILE] [--select START END] [--title TEXT]
//                  [--pos X Y W H] [--no-view] [--nested-view]
//
// --text loads FILE's bytes (ANSI code page) into the view; --select sets the
// selection as EM_SETSEL takes it; --no-view opens the frame without a view;
// --nested-view puts the view one window deeper, so it is no direct child of
// the frame.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "standin/standin_protocol.h"

namespace {

const char kFrameClass[] = "EmEditorMainFrame3";
const char kViewClass[] = "EmEditorView";
const char kPaneClass[] = "QuillnestStandinPane";

enum class ViewMode { Direct, Missing, Nested };

struct Options {
    std::string text;
    bool select = false;
    int selStart = 0;
    int selEnd = 0;
    std::string title = "Stand-in editor";
    RECT pos = {100, 100, 740, 580};
    ViewMode viewMode = ViewMode::Direct;
};

HWND gView = nullptr;
WPARAM gLastMarker = 0;

bool ReadFileBytes(const char* path, std::string& bytes) {
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
    CloseHandle(h);
    return true;
}

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        int left = argc - i - 1;
        if (a == "--text" && left >= 1) {
            if (!ReadFileBytes(argv[++i], o.text)) return false;
        } else if (a == "--select" && left >= 2) {
            o.select = true;
            o.selStart = atoi(argv[++i]);
            o.selEnd = atoi(argv[++i]);
        } else if (a == "--title" && left >= 1) {
            o.title = argv[++i];
        } else if (a == "--pos" && left >= 4) {
            int x = atoi(argv[++i]), y = atoi(argv[++i]);
            int w = atoi(argv[++i]), h = atoi(argv[++i]);
            o.pos = {x, y, x + w, y + h};
        } else if (a == "--no-view") {
            o.viewMode = ViewMode::Missing;
        } else if (a == "--nested-view") {
            o.viewMode = ViewMode::Nested;
        } else {
            return false;
        }
    }
    return true;
}

// The view is the system's edit control under the editor's class name, so it
// answers EM_REPLACESEL, Left-arrow presses, EM_GETSEL and undo as one does.
bool RegisterViewClass(HINSTANCE inst) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(nullptr, "EDIT", &wc)) return false;
    wc.hInstance = inst;
    wc.lpszClassName = kViewClass;
    return RegisterClassExA(&wc) != 0;
}

void SizeToParent(HWND child) {
    RECT rc;
    GetClientRect(GetParent(child), &rc);
    MoveWindow(child, 0, 0, rc.right, rc.bottom, TRUE);
}

// Keeps the focus, and with it the caret, in the view whenever the frame is
// active, as the real editor does.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SETFOCUS:
        if (gView) SetFocus(gView);
        return 0;
    case WM_SIZE: {
        HWND child = GetWindow(hwnd, GW_CHILD);
        if (child) SizeToParent(child);
        return 0;
    }
    case kStandinMarkerMessage:
        gLastMarker = wp;
        return 0;
    case kStandinLastMarkerMessage:
        return static_cast<LRESULT>(gLastMarker);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK PaneProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE && gView) SizeToParent(gView);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

bool RegisterWindowClass(HINSTANCE inst, const char* name, WNDPROC proc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0;
}

HWND CreateChild(HINSTANCE inst, HWND parent, const char* cls, DWORD style, DWORD exStyle) {
    RECT rc;
    GetClientRect(parent, &rc);
    return CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, rc.right,
                           rc.bottom, parent, nullptr, inst, nullptr);
}

// Lines run on to the right, unwrapped, as in a programmer's editor: wrapping
// a line of a hundred thousand characters takes the system's edit control
// minutes.
HWND CreateView(HINSTANCE inst, HWND parent) {
    DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | WS_VSCROLL | WS_HSCROLL;
    HWND view = CreateChild(inst, parent, kViewClass, style, WS_EX_CLIENTEDGE);
    if (view) SendMessageA(view, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), TRUE);
    return view;
}

HWND CreateViewFor(HINSTANCE inst, HWND frame, ViewMode mode) {
    if (mode == ViewMode::Missing) return nullptr;
    HWND parent = frame;
    if (mode == ViewMode::Nested) parent = CreateChild(inst, frame, kPaneClass, WS_CLIPCHILDREN, 0);
    return parent ? CreateView(inst, parent) : nullptr;
}

void FillView(const Options& o) {
    if (!gView) return;
    SetWindowTextA(gView, o.text.c_str());
    SendMessageA(gView, EM_EMPTYUNDOBUFFER, 0, 0);
    if (o.select) SendMessageA(gView, EM_SETSEL, o.selStart, o.selEnd);
    else SendMessageA(gView, EM_SETSEL, o.text.size(), o.text.size());
}

HWND CreateFrame(HINSTANCE inst, const Options& o) {
    const RECT& r = o.pos;
    return CreateWindowExA(0, kFrameClass, o.title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                           inst, nullptr);
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// Aware of the screen's density, as today's editors are: its caret and its
// view are reported in the screen's own pixels.
void DeclareDensityAware() {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    auto set = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
    if (!set || !set(reinterpret_cast<HANDLE>(-4))) SetProcessDPIAware();
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show) {
    DeclareDensityAware();
    Options o;
    if (!ParseOptions(__argc, __argv, o)) return 2;
    if (!RegisterViewClass(inst) || !RegisterWindowClass(inst, kFrameClass, FrameProc) ||
        !RegisterWindowClass(inst, kPaneClass, PaneProc))
        return 3;
    HWND frame = CreateFrame(inst, o);
    if (!frame) return 4;
    gView = CreateViewFor(inst, frame, o.viewMode);
    FillView(o);
    ShowWindow(frame, show);
    SetForegroundWindow(frame);
    if (gView) SetFocus(gView);
    return RunMessageLoop();
}
