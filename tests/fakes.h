// Recording stand-ins for the editor and the popup. Both write the calls they
// receive into one shared log, in order, as short lines ("insert <p></p>",
// "left", "move 10,25", ...), so a test states exactly what the editor got
// and what the popup showed, and in which order. Added list entries are kept
// in the popup's items rather than logged one by one, and the editor's window
// classes in its fields.
#pragma once

#include <string>
#include <vector>

#include "composer/operations.h"

using CallLog = std::vector<std::string>;

class RecordingEditor : public EditorBridge {
public:
    explicit RecordingEditor(CallLog& log) : calls(log) {}
    void UseEditorClasses(const std::string& frame, const std::string& view) override;
    bool FindEditorWindows() override;
    void InsertText(const std::string& text) override;
    void StepCaretLeft() override;
    void ActivateEditor() override;
    Point LocateCaret() override;

    CallLog& calls;
    Point caret{100, 200};
    bool viewFound = true;  // what FindEditorWindows answers
    std::string frameClass;
    std::string viewClass;
};

class RecordingPopup : public PopupView {
public:
    explicit RecordingPopup(CallLog& log) : calls(log) {}
    std::string GetCaption() override { return caption; }
    void SetCaption(const std::string& text) override;
    std::string GetEntryText() override { return entry; }
    void SetEntryText(const std::string& text) override;
    void ClearItems() override;
    void AddItem(const std::string& text) override;
    void CloseDropDown() override;
    void SetPopupWidth(int32_t width) override;
    void SetPopupOrigin(int32_t left, int32_t top) override;
    void MovePopup(int32_t x, int32_t y) override;
    void ShowNotice(const UserText& text) override;
    void Terminate() override;

    CallLog& calls;
    std::string caption = "Quillnest";
    std::string entry;
    std::vector<std::string> items;
    int32_t width = 0;
    Point position{792, 285};
    bool terminated = false;
};
