// The composer's editor operations, realised with window messages to the host
// editor: a top-level frame (class "EmEditorMainFrame3" unless told another)
// whose direct child, the view, behaves as an edit control.
#pragma once

#include <windows.h>

#include <optional>

#include "composer/operations.h"

// "失敗" in Shift-JIS: the debug text written when the caret can't be read.
extern const char kCaretFailureText[];

class Win32EditorBridge : public EditorBridge {
public:
    void UseEditorClasses(const std::string& frameClass, const std::string& viewClass) override;
    bool FindEditorWindows() override;
    void InsertText(const std::string& text) override;
    void StepCaretLeft() override;
    void ActivateEditor() override;
    Point LocateCaret() override;

    HWND Frame() const { return frame_; }
    HWND View() const { return view_; }

private:
    HWND FindView(HWND frame) const;

    std::string frameClass_ = kEditorFrameClass;
    std::string viewClass_ = kEditorViewClass;
    HWND frame_ = nullptr;
    HWND view_ = nullptr;
    // Left presses were posted to view_ since the last insertion, and the
    // caret has not been read since.
    bool stepsPosted_ = false;
    // The caret of the editor's thread right after the last insertion, when
    // it showed one.
    std::optional<POINT> insertCaret_;
};
