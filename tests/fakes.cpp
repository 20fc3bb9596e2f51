#include "fakes.h"

namespace {

std::string PointText(int32_t x, int32_t y) { return std::to_string(x) + "," + std::to_string(y); }

}  // namespace

void RecordingEditor::UseEditorClasses(const std::string& frame, const std::string& view) {
    frameClass = frame;
    viewClass = view;
}

bool RecordingEditor::FindEditorWindows() {
    calls.push_back("find");
    return viewFound;
}
void RecordingEditor::InsertText(const std::string& text) { calls.push_back("insert " + text); }
void RecordingEditor::StepCaretLeft() { calls.push_back("left"); }
void RecordingEditor::ActivateEditor() { calls.push_back("activate"); }

Point RecordingEditor::LocateCaret() {
    calls.push_back("locate");
    return caret;
}

void RecordingPopup::SetCaption(const std::string& text) {
    calls.push_back("caption " + text);
    caption = text;
}

void RecordingPopup::SetEntryText(const std::string& text) {
    calls.push_back("entry " + text);
    entry = text;
}

void RecordingPopup::ClearItems() {
    calls.push_back("clear");
    items.clear();
}

void RecordingPopup::AddItem(const std::string& text) {
    items.push_back(text);
}

void RecordingPopup::CloseDropDown() { calls.push_back("close-list"); }

void RecordingPopup::SetPopupWidth(int32_t w) {
    calls.push_back("width " + std::to_string(w));
    width = w;
}

void RecordingPopup::SetPopupOrigin(int32_t left, int32_t top) {
    calls.push_back("origin " + PointText(left, top));
    position = {left, top};
}

void RecordingPopup::MovePopup(int32_t x, int32_t y) {
    calls.push_back("move " + PointText(x, y));
    position = {x, y};
}

void RecordingPopup::ShowNotice(const UserText& text) { calls.push_back("notice " + text.Bytes()); }

void RecordingPopup::Terminate() {
    calls.push_back("terminate");
    terminated = true;
}
