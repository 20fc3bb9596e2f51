// What the end-to-end tests drive and read: a fresh folder per test, the
// stand-in editor, the program's popup, and keys typed through SendInput.
// Every wait is bounded; a wait that runs out makes the test fail, it never
// hangs the suite.
#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

// Bound of every wait for something another process is to do.
constexpr DWORD kWaitBound = 15000;

// A Linux path as Wine reaches it through its Z: drive.
std::string WinePath(const std::string& linuxPath);

// Polls cond until it holds or bound milliseconds have passed.
bool WaitUntil(const std::function<bool()>& cond, DWORD bound = kWaitBound);

// A folder of its own for one test, removed with everything in it.
class TestFolder {
public:
    // name: the folder's own name (ANSI bytes); made unique by a prefix.
    explicit TestFolder(const std::string& name = "run");
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    void Write(const std::string& name, const std::string& bytes) const;
    void Copy(const std::string& from, const std::string& name) const;
    void Remove(const std::string& name) const;

private:
    std::string path_;
};

// The exit code, read through a handle of our own taken while the process
// runs: a crash ends with an exception code, a normal end with 0.
class ExitWatch {
public:
    explicit ExitWatch(DWORD pid);
    ~ExitWatch();
    ExitWatch(const ExitWatch&) = delete;
    ExitWatch& operator=(const ExitWatch&) = delete;
    // Waits up to the usual bound; 0xFFFFFFFF when the process is still running.
    DWORD Code() const;

private:
    HANDLE h_;
};

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Start(const std::string& commandLine, const std::string& folder);
    bool StartWide(const std::wstring& commandLine, const std::wstring& folder);
    bool Running() const;
    // True when the process ended within the bound.
    bool WaitForEnd(DWORD bound = kWaitBound) const;
    void Kill();
    DWORD Id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
};

// The first visible top-level window of the class that belongs to the process.
HWND FindProcessWindow(DWORD processId, const char* cls);
// The first window of the class anywhere below parent.
HWND FindDescendant(HWND parent, const char* cls);

// The entries of a word list whose every line ends in CR LF, as a test writes
// them.
std::vector<std::string> ListEntries(const std::string& list);

// Text between the ANSI code page and UTF-16, as the other processes' Unicode
// windows take and give it.
std::wstring Widen(const std::string& ansi);
std::string Narrow(const std::wstring& wide);

std::string WindowText(HWND hwnd);
RECT WindowRect(HWND hwnd);

struct Selection {
    int start = 0;
    int end = 0;
    bool operator==(const Selection&) const = default;
};

inline void PrintTo(const Selection& s, std::ostream* os) { *os << "[" << s.start << ", " << s.end << ")"; }

struct EditorOptions {
    std::string text;
    int selStart = -1;  // -1: the caret after the text
    int selEnd = -1;
    std::string extra;  // further options, e.g. "--no-view"
};

// The stand-in editor, started with a known text and selection.
class Editor {
public:
    // True once its frame is up in front, and its view holds the focus and
    // shows its caret.
    bool Start(const TestFolder& folder, const EditorOptions& options);
    HWND Frame() const { return frame_; }
    HWND View() const { return view_; }
    // Returns once everything posted to the editor so far has been handled.
    bool Settle();
    std::string Text() const;
    Selection GetSelection() const;
    void Select(int start, int end) const;
    void Close();

private:
    ChildProcess process_;
    HWND frame_ = nullptr;
    HWND view_ = nullptr;
    WPARAM marker_ = 0;
};

// The program under test, and its popup once shown.
class Program {
public:
    bool Start(const TestFolder& folder, const std::string& arguments);
    // The copy of the program named exe in folder.
    bool StartExecutable(const TestFolder& folder, const std::string& exe,
                         const std::string& arguments);
    bool StartWide(const TestFolder& folder, const std::wstring& arguments);
    // True once its popup window is shown.
    bool WaitForPopup();
    // True once the popup is shown, in front, and its combo box holds the
    // keyboard focus.
    bool WaitForFocusedPopup();
    bool WaitForEnd(DWORD bound = kWaitBound) const { return process_.WaitForEnd(bound); }
    bool Running() const { return process_.Running(); }
    DWORD Id() const { return process_.Id(); }
    HWND Popup() const { return popup_; }
    HWND Combo() const;
    std::string Caption() const { return WindowText(popup_); }
    std::string Entry() const { return WindowText(Combo()); }
    std::vector<std::string> Items() const;
    bool DroppedDown() const;
    RECT Rect() const { return WindowRect(popup_); }
    // A message box of this process, once one is shown.
    HWND WaitForMessageBox() const;

private:
    ChildProcess process_;
    HWND popup_ = nullptr;
};

// The text of a message box.
std::string MessageBoxText(HWND box);
// Whether a message box shows an icon.
bool MessageBoxShowsIcon(HWND box);
// Answers a message box with Enter, as a person would once it has the
// keyboard; true once it is gone.
bool AnswerBox(HWND box);

// Types the characters as key presses (letters, digits, blank, Enter "\r",
// Escape "\x1b") to whatever window has the keyboard focus.
void Type(const std::string& keys);

// Paths of the built programs, as the build passed them.
std::string StandinPath();
std::string ProgramPath();

}  // namespace e2e
