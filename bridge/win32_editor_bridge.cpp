#include "win32_editor_bridge.h"

const char kEditorFrameClass[] = "EmEditorMainFrame3";
const char kEditorViewClass[] = "EmEditorView";
const char kCaretFailureText[] = "\x8E\xB8\x94\x73";

namespace {

const UINT kActivationWait = 1000;  // milliseconds

// The view must be a direct child of the frame; a null frame makes this a
// search over the top-level windows, as FindWindowExA does.
HWND FindView(HWND frame) {
    return FindWindowExA(frame, nullptr, kEditorViewClass, nullptr);
}

// Where the user is looking when the editor's caret can't be read.
Point PointerPosition() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

// Needs the editor's input state attached: only then does GetCaretPos see the
// editor's caret rather than this thread's own.
bool ReadAttachedCaret(HWND frame, POINT& caret, RECT& viewRect) {
    bool read = GetCaretPos(&caret) != FALSE;
    if (!read) OutputDebugStringA(kCaretFailureText);
    HWND view = FindView(frame);
    if (view) GetWindowRect(view, &viewRect);
    return read;
}

}  // namespace

void Win32EditorBridge::FindEditorWindows() {
    frame_ = FindWindowA(kEditorFrameClass, nullptr);
    view_ = FindView(frame_);
}

// wParam TRUE keeps the insertion undoable: an edit control told FALSE also
// empties its undo buffer.
void Win32EditorBridge::InsertText(const std::string& text) {
    if (!view_) return;
    SendMessageA(view_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// Posted, not sent: the editor moves its caret when it gets to the message.
void Win32EditorBridge::StepCaretLeft() {
    if (!view_) return;
    PostMessageA(view_, WM_KEYDOWN, VK_LEFT, 0);
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
// not its client origin. Without a caret point the pointer stands in.
Point Win32EditorBridge::LocateCaret() {
    DWORD own = GetCurrentThreadId();
    HWND frame = FindWindowA(kEditorFrameClass, nullptr);
    DWORD editorThread = frame ? GetWindowThreadProcessId(frame, nullptr) : 0;
    if (!own || !editorThread || !AttachThreadInput(own, editorThread, TRUE))
        return PointerPosition();
    POINT caret{};
    RECT viewRect{};
    bool read = ReadAttachedCaret(frame, caret, viewRect);
    AttachThreadInput(own, editorThread, FALSE);
    if (!read) return PointerPosition();
    return {caret.x + viewRect.left, caret.y + viewRect.top};
}
