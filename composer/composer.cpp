#include "composer.h"

#include "ansi_text.h"
#include "command_line.h"
#include "paths.h"
#include "settings.h"
#include "word_list.h"

#include "platform/platform.h"

const char MissingFilesMessage[] =
    "\x95\x4B\x97\x76\x82\xC8\x44\x41\x54\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9"
    "\x93\x96\x82\xBD\x82\xE7\x82\xC8\x82\xA2\x88\xD7\x81\x41\x8F\x49\x97\xB9\x82\xB5\x82"
    "\xDC\x82\xB7\x81\x42";

const char kEditorFrameClass[] = "EmEditorMainFrame3";
const char kEditorViewClass[] = "EmEditorView";

namespace {

// "書き込み先のエディタが見つかりません。" (the editor to write into can't be
// found), "フレーム: " (frame) and "ビュー: " (view), in Shift-JIS.
const char kNoEditorText[] =
    "\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x90\xE6\x82\xCC\x83\x47\x83\x66\x83\x42\x83\x5E"
    "\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";
const char kFrameLabel[] = "\x83\x74\x83\x8C\x81\x5B\x83\x80: ";
const char kViewLabel[] = "\x83\x72\x83\x85\x81\x5B: ";

const char kMarker[] = "|";
const char kAttributeMark[] = " *attribute";
const int32_t kBelowCaret = 15;

// Screen arithmetic wraps instead of overflowing on absurd settings offsets.
int32_t Offset(int32_t a, int64_t b) {
    return static_cast<int32_t>(static_cast<int64_t>(a) + b);
}

}  // namespace

UserText NoEditorMessage(const std::string& frameClass, const std::string& viewClass) {
    return UserText()
        .Own(std::string(kNoEditorText) + "\n" + kFrameLabel)
        .Ansi(frameClass)
        .Own(std::string("\n") + kViewLabel)
        .Ansi(viewClass);
}

std::string ComposePairedTag(const std::string& name) {
    return "<" + name + ">" + kMarker + "</" + name + ">";
}

std::string ComposeEmptyTag(const std::string& name, const std::string& suffix) {
    return "<" + name + suffix + ">";
}

void Composer::StartUp(const std::string& exePath, const std::string& commandLine) {
    state_.SettingsPath = SettingsPathOf(exePath);
    ReadSettings();
    state_.TagListPath = BesideExecutable(exePath, "html.dat");
    state_.AttributeListPath = BesideExecutable(exePath, "attribute.dat");
    state_.EmptyListPath = BesideExecutable(exePath, "empty.dat");
    if (!WordListsExist()) {
        popup_.ShowNotice(MissingFilesMessage);
        popup_.Terminate();
        return;
    }
    state_.EmptySuffix = state_.XhtmlMode != 0 ? " /" : "";
    state_.Content = ContentOfCommandLine(commandLine);
    state_.HasContent = !state_.Content.empty();
    for (const std::string& name : LoadWordList(state_.TagListPath)) popup_.AddItem(name);
    state_.CaretPoint = editor_.LocateCaret();
    popup_.SetPopupOrigin(Offset(state_.CaretPoint.x, state_.LeftOffset),
                          Offset(state_.CaretPoint.y, int64_t{kBelowCaret} + state_.TopOffset));
    state_.Stage = 0;
}

// The width goes to the popup at once, before the offsets are read.
void Composer::ReadSettings() {
    const std::string& ini = state_.SettingsPath;
    state_.XhtmlMode = ReadSettingsInt(ini, "Mode", "XHTML", 0);
    state_.PopupWidth = ReadSettingsInt(ini, "Pos", "Width", 215);
    popup_.SetPopupWidth(state_.PopupWidth);
    state_.TopOffset = ReadSettingsInt(ini, "Pos", "Top", 0);
    state_.LeftOffset = ReadSettingsInt(ini, "Pos", "Left", 0);
    state_.EditorFrameClass = ReadSettingsText(ini, "Editor", "Frame", kEditorFrameClass);
    state_.EditorViewClass = ReadSettingsText(ini, "Editor", "View", kEditorViewClass);
    editor_.UseEditorClasses(state_.EditorFrameClass, state_.EditorViewClass);
}

bool Composer::WordListsExist() {
    return platform::FileExists(state_.TagListPath) &&
           platform::FileExists(state_.AttributeListPath) &&
           platform::FileExists(state_.EmptyListPath);
}

void Composer::HandleKey(char& key) {
    bool viewFound = editor_.FindEditorWindows();
    if (key == kSpace) {
        key = 0;
        HandleSpace(viewFound);
    } else if (key == kEnter) {
        key = 0;
        HandleEnter(viewFound);
    } else if (key == kEscape) {
        popup_.Terminate();
    }
}

void Composer::HandleSpace(bool viewFound) {
    std::string entry = popup_.GetEntryText();
    if (!CanWrite(viewFound, entry)) return;
    popup_.SetCaption(popup_.GetCaption() + kAttributeMark);
    if (!entry.empty()) {
        if (state_.Stage != 0) {
            editor_.InsertText(" " + entry);
        } else {
            InsertTag(true, entry);
        }
        popup_.CloseDropDown();
        editor_.ActivateEditor();
        state_.CaretPoint = editor_.LocateCaret();
        popup_.MovePopup(state_.CaretPoint.x, Offset(state_.CaretPoint.y, kBelowCaret));
    }
    LoadAttributes();
    ++state_.Stage;
}

void Composer::HandleEnter(bool viewFound) {
    std::string entry = popup_.GetEntryText();
    if (entry.empty() || !CanWrite(viewFound, entry)) return;
    if (state_.Stage != 0) {
        editor_.InsertText(" " + entry);
        StepCaretLeft(1);
    } else {
        InsertTag(false, entry);
    }
    popup_.Terminate();
}

// Text that has nowhere to go is not silently dropped: the user is told, and
// the popup stays as it was so the entry can be written once the editor is
// there.
bool Composer::CanWrite(bool viewFound, const std::string& entry) {
    if (viewFound || entry.empty()) return true;
    popup_.ShowNotice(NoEditorMessage(state_.EditorFrameClass, state_.EditorViewClass));
    return false;
}

// Writes the element for name. Space leaves the caret inside the opening tag,
// ready for attributes; Enter leaves it where the user types next: after an
// empty element, between the tags of a paired one.
void Composer::InsertTag(bool forSpace, const std::string& name) {
    if (IsEmptyElement(LoadWordList(state_.EmptyListPath), name)) {
        editor_.InsertText(ComposeEmptyTag(name, state_.EmptySuffix));
        if (forSpace) StepCaretLeft(1 + CountCaretSteps(state_.EmptySuffix));
        return;
    }
    std::string tmpl = ComposePairedTag(name);
    int32_t steps = LastMarkerPosition(kMarker, tmpl);
    if (!forSpace) {
        InsertWithContent(tmpl, steps);
        return;
    }
    if (state_.HasContent) steps += CountCaretSteps(state_.Content);
    InsertWithContent(tmpl, steps);
    StepCaretLeft(1);
}

void Composer::InsertWithContent(const std::string& tmpl, int32_t steps) {
    editor_.InsertText(ReplaceMarker(tmpl, kMarker, state_.Content));
    StepCaretLeft(steps < 1 ? 1 : steps);
}

void Composer::StepCaretLeft(int32_t times) {
    for (int32_t i = 0; i < times; ++i) editor_.StepCaretLeft();
}

// The entry is cleared before the list is read, so a list that can't be read
// leaves an empty popup and the stage where it was.
void Composer::LoadAttributes() {
    popup_.ClearItems();
    popup_.SetEntryText("");
    for (const std::string& attribute : LoadWordList(state_.AttributeListPath)) {
        popup_.AddItem(attribute);
    }
}
