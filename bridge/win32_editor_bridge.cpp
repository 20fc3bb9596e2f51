#include "win32_editor_bridge.h"

const char kCaretFailureText[] = "\x8E\xB8\x94\x73";

namespace {

const UINT kActivationWait = 1000;  // milliseconds
const DWORD kStepsWait = 250;       // milliseconds
const DWORD kSettleGap = 10;        // milliseconds between caret reads
const int kSettledReads = 3;        // reads in a row that must agree

// Where the user is looking when the editor's caret can't be read.
Point PointerPosition() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

// The caret of the thread as it stands, in the client coordinates of the
// window that shows it; false when the thread shows none.
bool PeekCaret(DWORD thread, POINT& caret) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread, &info) || !info.hwndCaret) return false;
    caret = {info.rcCaret.left, info.rcCaret.top};
    return true;
}

// Read from the editor thread's input state without attaching to it: undoing
// an attachment can hand this thread a fresh input queue, and the keys typed
// ahead into the popup would go with the old one.
bool ReadEditorCaret(DWORD editorThread, POINT& caret) {
    if (PeekCaret(editorThread, caret)) return true;
    OutputDebugStringA(kCaretFailureText);
    return false;
}

bool SamePlace(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }

// A thread takes its posted messages before it paints, so once a piece of
// the view made invalid after the Left presses were posted has been painted,
// the presses have been taken. A view that paints within its handling of
// each key (a rich-edit control does) clears that piece early, so the caret
// must also have left where the insertion put it and hold still over a few
// reads a little apart. Bounded, so a hung editor can't hang the popup; the
// caret is then read as it stands.
void WaitForPostedKeys(HWND view, DWORD thread, const std::optional<POINT>& afterInsert) {
    DWORD start = GetTickCount();
    auto inTime = [&] { return GetTickCount() - start < kStepsWait; };
    RECT piece{0, 0, 1, 1};
    if (InvalidateRect(view, &piece, FALSE)) {
        while (GetUpdateRect(view, nullptr, FALSE) && inTime()) Sleep(1);
    }
    POINT last{};
    bool shown = PeekCaret(thread, last);
    int agreeing = 1;
    while (inTime()) {
        Sleep(kSettleGap);
        POINT now{};
        bool stillShown = PeekCaret(thread, now);
        bool same = stillShown == shown && (!shown || SamePlace(now, last));
        agreeing = same ? agreeing + 1 : 1;
        bool moved = !stillShown || !afterInsert || !SamePlace(now, *afterInsert);
        if (agreeing >= kSettledReads && moved) return;
        shown = stillShown;
        last = now;
    }
}

}  // namespace

void Win32EditorBridge::UseEditorClasses(const std::string& frameClass,
                                         const std::string& viewClass) {
    frameClass_ = frameClass;
    viewClass_ = viewClass;
}

// The view must be a direct child of the frame; a null frame makes this a
// search over the top-level windows, as FindWindowExA does.
HWND Win32EditorBridge::FindView(HWND frame) const {
    return FindWindowExA(frame, nullptr, viewClass_.c_str(), nullptr);
}

bool Win32EditorBridge::FindEditorWindows() {
    frame_ = FindWindowA(frameClass_.c_str(), nullptr);
    view_ = FindView(frame_);
    return view_ != nullptr;
}

// wParam TRUE keeps the insertion undoable: an edit control told FALSE also
// empties its undo buffer.
void Win32EditorBridge::InsertText(const std::string& text) {
    if (!view_) return;
    SendMessageA(view_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    stepsPosted_ = false;
    // Where the caret stands now tells later whether the steps have begun.
    POINT caret{};
    insertCaret_.reset();
    if (PeekCaret(GetWindowThreadProcessId(view_, nullptr), caret)) insertCaret_ = caret;
}

// Posted, not sent: the editor moves its caret when it gets to the message.
void Win32EditorBridge::StepCaretLeft() {
    if (!view_) return;
    if (PostMessageA(view_, WM_KEYDOWN, VK_LEFT, 0)) stepsPosted_ = true;
}

// A window of another thread takes the activation when that thread gets to
// it; the empty message that follows is handled after it, so on return the
// editor's view holds the focus and shows its caret for LocateCaret. Bounded,
// so a hung editor can't hang the popup.
void Win32EditorBridge::ActivateEditor() {
    if (!frame_) return;
    SetForegroundWindow(frame_);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(frame_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kActivationWait, &ignored);
}

// The caret's client position is shifted by the view's outer window corner,
// not its client origin. Without a caret point the pointer stands in. Left
// presses still on their way would leave the caret read where the insertion
// put it, so they are waited for first.
Point Win32EditorBridge::LocateCaret() {
    HWND frame = FindWindowA(frameClass_.c_str(), nullptr);
    DWORD editorThread = frame ? GetWindowThreadProcessId(frame, nullptr) : 0;
    if (!editorThread) return PointerPosition();
    if (stepsPosted_ && IsWindow(view_)) WaitForPostedKeys(view_, editorThread, insertCaret_);
    stepsPosted_ = false;
    POINT caret{};
    bool read = ReadEditorCaret(editorThread, caret);
    RECT viewRect{};
    if (HWND view = FindView(frame)) GetWindowRect(view, &viewRect);
    if (!read) return PointerPosition();
    return {caret.x + viewRect.left, caret.y + viewRect.top};
}
