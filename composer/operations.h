// The two operation sets through which the composer acts on the world:
// the host editor and its own popup. The composer never touches a window;
// the Windows program supplies real implementations, the tests recording
// fakes.
#pragma once

#include <cstdint>
#include <string>

#include "user_text.h"

// The window classes of the editor Quillnest was made for, used unless the
// settings name another editor's.
extern const char kEditorFrameClass[];
extern const char kEditorViewClass[];

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

class EditorBridge {
public:
    virtual ~EditorBridge() = default;
    // The window classes that FindEditorWindows and LocateCaret look for from
    // now on: a top-level frame and its direct child, the view.
    virtual void UseEditorClasses(const std::string& frameClass, const std::string& viewClass) = 0;
    // Looks up the editor's frame and view afresh; the handles serve the next
    // InsertText, StepCaretLeft and ActivateEditor. A missing window makes
    // those calls do nothing. True when a view was found to write into.
    virtual bool FindEditorWindows() = 0;
    // Replaces the editor's selection with text (ANSI bytes); returns once the
    // editor has done so, its caret just after the text.
    virtual void InsertText(const std::string& text) = 0;
    // Queues one Left-arrow press for the editor's view; does not wait.
    virtual void StepCaretLeft() = 0;
    virtual void ActivateEditor() = 0;
    // Screen position of the editor's caret, with a window lookup of its own.
    virtual Point LocateCaret() = 0;
};

class PopupView {
public:
    virtual ~PopupView() = default;
    virtual std::string GetCaption() = 0;
    virtual void SetCaption(const std::string& text) = 0;
    virtual std::string GetEntryText() = 0;
    virtual void SetEntryText(const std::string& text) = 0;
    virtual void ClearItems() = 0;
    virtual void AddItem(const std::string& text) = 0;
    virtual void CloseDropDown() = 0;
    virtual void SetPopupWidth(int32_t width) = 0;
    // Places the popup before it is first shown.
    virtual void SetPopupOrigin(int32_t left, int32_t top) = 0;
    // Moves the shown popup (size and stacking kept) and brings it forward.
    virtual void MovePopup(int32_t x, int32_t y) = 0;
    // Modal box with one OK button; returns when dismissed.
    virtual void ShowNotice(const UserText& text) = 0;
    // Asks for the program to end once the current event is handled.
    virtual void Terminate() = 0;
};
