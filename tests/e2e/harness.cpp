#include "harness.h"

#include <cstdio>

#include "standin/standin_protocol.h"
#include "win32_remove_tree.h"

namespace e2e {

namespace {

// The program and the stand-in declare themselves density-aware; so does the
// suite, or the system would hand their geometry back scaled to 96 dpi.
const bool kDensityAware = [] {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    auto set = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
    return set ? set(reinterpret_cast<HANDLE>(-4)) != FALSE : SetProcessDPIAware() != FALSE;
}();

}  // namespace

std::string WinePath(const std::string& linuxPath) {
    std::string path = "Z:" + linuxPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string StandinPath() { return WinePath(QN_STANDIN_EXE); }

std::string ProgramPath() {
#ifdef QN_PROGRAM_EXE
    return WinePath(QN_PROGRAM_EXE);
#else
    return "";
#endif
}

bool WaitUntil(const std::function<bool()>& cond, DWORD bound) {
    DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start > bound) return false;
        Sleep(20);
    }
    return true;
}

// ---- folders ----

namespace {

std::string TempRoot() {
    char buffer[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, buffer);
    std::string root(buffer, n);
    if (!root.empty() && root.back() == '\\') root.pop_back();
    return root;
}

}  // namespace

TestFolder::TestFolder(const std::string& name) {
    static int counter = 0;
    char prefix[64];
    snprintf(prefix, sizeof prefix, "qn-e2e-%lu-%d-", GetCurrentProcessId(), ++counter);
    std::string parent = TempRoot() + "\\" + prefix;
    CreateDirectoryA(parent.c_str(), nullptr);
    path_ = parent + "\\" + name;
    CreateDirectoryA(path_.c_str(), nullptr);
}

TestFolder::~TestFolder() {
    RemoveTree(path_.substr(0, path_.rfind('\\')));
}

void TestFolder::Write(const std::string& name, const std::string& bytes) const {
    HANDLE h = CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

void TestFolder::Copy(const std::string& from, const std::string& name) const {
    CopyFileA(from.c_str(), File(name).c_str(), FALSE);
}

void TestFolder::Remove(const std::string& name) const { DeleteFileA(File(name).c_str()); }

// ---- processes ----

ChildProcess::~ChildProcess() { Kill(); }

bool ChildProcess::Start(const std::string& commandLine, const std::string& folder) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string line = commandLine;
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &si, &info_) != FALSE;
}

bool ChildProcess::StartWide(const std::wstring& commandLine, const std::wstring& folder) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring line = commandLine;
    return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &si, &info_) != FALSE;
}

bool ChildProcess::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitForEnd(DWORD bound) const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, bound) == WAIT_OBJECT_0;
}

void ChildProcess::Kill() {
    if (!info_.hProcess) return;
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, kWaitBound);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
}

// ---- windows ----

namespace {

struct WindowSearch {
    DWORD processId;
    const char* cls;
    HWND found;
};

bool HasClass(HWND hwnd, const char* cls) {
    char name[256];
    return GetClassNameA(hwnd, name, sizeof name) && lstrcmpiA(name, cls) == 0;
}

BOOL CALLBACK MatchProcessWindow(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->processId || !IsWindowVisible(hwnd) || !HasClass(hwnd, search->cls))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

BOOL CALLBACK MatchDescendant(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    if (!HasClass(hwnd, search->cls)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const char* cls) {
    WindowSearch search{processId, cls, nullptr};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDescendant(HWND parent, const char* cls) {
    WindowSearch search{0, cls, nullptr};
    EnumChildWindows(parent, MatchDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// WM_GETTEXT, not GetWindowTextA: only the message reaches another
// process's controls.
std::string WindowText(HWND hwnd) {
    if (!hwnd) return "";
    LRESULT n = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    n = SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    return text;
}

RECT WindowRect(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return rc;
}

// ---- the stand-in editor ----

namespace {

std::string EditorCommandLine(const TestFolder& folder, const EditorOptions& o) {
    std::string line = "\"" + StandinPath() + "\" --text \"" + folder.File("editor.txt") + "\"";
    if (o.selStart >= 0)
        line += " --select " + std::to_string(o.selStart) + " " + std::to_string(o.selEnd);
    line += " --pos 100 120 640 400";
    if (!o.extra.empty()) line += " " + o.extra;
    return line;
}

}  // namespace

bool Editor::Start(const TestFolder& folder, const EditorOptions& options) {
    folder.Write("editor.txt", options.text);
    if (!process_.Start(EditorCommandLine(folder, options), folder.Path())) return false;
    DWORD pid = process_.Id();
    if (!WaitUntil([&] { return (frame_ = FindProcessWindow(pid, "EmEditorMainFrame3")); }))
        return false;
    view_ = FindDescendant(frame_, "EmEditorView");
    bool wantView = options.extra.find("--no-view") == std::string::npos;
    return WaitUntil([&] {
        if (GetForegroundWindow() != frame_) return false;
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return !wantView || (GetGUIThreadInfo(GetWindowThreadProcessId(frame_, nullptr), &gui) &&
                             gui.hwndFocus == view_ && gui.hwndCaret == view_);
    });
}

bool Editor::Settle() {
    WPARAM marker = ++marker_;
    PostMessageA(frame_, kStandinMarkerMessage, marker, 0);
    return WaitUntil([&] {
        return static_cast<WPARAM>(SendMessageA(frame_, kStandinLastMarkerMessage, 0, 0)) == marker;
    });
}

std::string Editor::Text() const { return WindowText(view_); }

// With null pointers EM_GETSEL packs both ends into its result; pointers
// would not reach another process.
Selection Editor::GetSelection() const {
    DWORD r = static_cast<DWORD>(SendMessageA(view_, EM_GETSEL, 0, 0));
    return {LOWORD(r), HIWORD(r)};
}

void Editor::Select(int start, int end) const { SendMessageA(view_, EM_SETSEL, start, end); }

void Editor::Close() { process_.Kill(); }

// ---- the program ----

bool Program::Start(const TestFolder& folder, const std::string& arguments) {
    return StartExecutable(folder, "quillnest.exe", arguments);
}

bool Program::StartExecutable(const TestFolder& folder, const std::string& exe,
                              const std::string& arguments) {
    std::string line = "\"" + folder.File(exe) + "\"";
    if (!arguments.empty()) line += " " + arguments;
    return process_.Start(line, folder.Path());
}

std::vector<std::string> ListEntries(const std::string& list) {
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = list.find("\r\n", start)) != std::string::npos) {
        lines.push_back(list.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::wstring Widen(const std::string& ansi) {
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string ansi(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), n,
                        nullptr, nullptr);
    return ansi;
}

bool Program::StartWide(const TestFolder& folder, const std::wstring& arguments) {
    std::wstring line = L"\"" + Widen(folder.File("quillnest.exe")) + L"\" " + arguments;
    return process_.StartWide(line, Widen(folder.Path()));
}

bool Program::WaitForPopup() {
    DWORD pid = process_.Id();
    return WaitUntil([&] { return (popup_ = FindProcessWindow(pid, "Tquillnest")) != nullptr; });
}

bool Program::WaitForFocusedPopup() {
    if (!WaitForPopup() || !WaitUntil([&] { return GetForegroundWindow() == popup_; })) return false;
    HWND combo = Combo();
    return combo && WaitUntil([&] {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(GetWindowThreadProcessId(popup_, nullptr), &gui);
        return gui.hwndFocus == combo || GetParent(gui.hwndFocus) == combo;
    });
}

HWND Program::Combo() const { return FindDescendant(popup_, "ComboBox"); }

// Asked in UTF-16 and turned back into the ANSI code page: Wine hands an
// ANSI CB_GETLBTEXT from another process the raw UTF-16 characters.
std::string ListItem(HWND combo, int index) {
    LRESULT n = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (n < 0) return "";
    std::wstring wide(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(static_cast<size_t>(n < 0 ? 0 : n));
    return Narrow(wide);
}

std::vector<std::string> Program::Items() const {
    HWND combo = Combo();
    std::vector<std::string> items;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) items.push_back(ListItem(combo, i));
    return items;
}

bool Program::DroppedDown() const { return SendMessageA(Combo(), CB_GETDROPPEDSTATE, 0, 0) != 0; }

HWND Program::WaitForMessageBox() const {
    HWND box = nullptr;
    DWORD pid = process_.Id();
    WaitUntil([&] { return (box = FindProcessWindow(pid, "#32770")) != nullptr; });
    return box;
}

// The text of a system message box sits in its static control 0xFFFF.
std::string MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

namespace {

BOOL CALLBACK MatchIcon(HWND hwnd, LPARAM lp) {
    bool icon = (GetWindowLongA(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    if (!icon || !HasClass(hwnd, "Static") || !SendMessageA(hwnd, STM_GETICON, 0, 0)) return TRUE;
    *reinterpret_cast<bool*>(lp) = true;
    return FALSE;
}

}  // namespace

bool MessageBoxShowsIcon(HWND box) {
    bool shows = false;
    EnumChildWindows(box, MatchIcon, reinterpret_cast<LPARAM>(&shows));
    return shows;
}

bool AnswerBox(HWND box) {
    if (!WaitUntil([&] { return GetForegroundWindow() == box; })) return false;
    Type("\r");
    return WaitUntil([&] { return !IsWindow(box); });
}

// ---- keys ----

namespace {

INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

std::vector<INPUT> KeyPress(char c) {
    SHORT scan = VkKeyScanA(c);
    WORD vk = LOBYTE(scan);
    bool shift = (HIBYTE(scan) & 1) != 0;
    std::vector<INPUT> inputs;
    if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
    return inputs;
}

}  // namespace

void Type(const std::string& keys) {
    for (char c : keys) {
        std::vector<INPUT> inputs = KeyPress(c);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
}

ExitWatch::ExitWatch(DWORD pid) : h_(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid)) {}

ExitWatch::~ExitWatch() {
    if (h_) CloseHandle(h_);
}

DWORD ExitWatch::Code() const {
    DWORD code = 0xFFFFFFFF;
    if (h_ && WaitForSingleObject(h_, kWaitBound) == WAIT_OBJECT_0) GetExitCodeProcess(h_, &code);
    return code;
}

}  // namespace e2e
