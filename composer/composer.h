// The tag composer: every decision of the program, free of any window. The
// popup calls StartUp once while it is being created and HandleKey for every
// character typed into its combo box; the composer acts on the editor and on
// the popup only through the two operation sets it is given.
#pragma once

#include <cstdint>
#include <string>

#include "operations.h"

// The record of one run.
struct RunState {
    std::string SettingsPath;
    int32_t XhtmlMode = 0;
    int32_t PopupWidth = 215;
    int32_t TopOffset = 0;
    int32_t LeftOffset = 0;
    std::string EditorFrameClass = kEditorFrameClass;
    std::string EditorViewClass = kEditorViewClass;
    std::string TagListPath;
    std::string AttributeListPath;
    std::string EmptyListPath;
    std::string EmptySuffix;
    std::string Content;
    bool HasContent = false;
    Point CaretPoint;
    int32_t Stage = 0;
};

// "必要なDATファイルが見当たらない為、終了します。" in Shift-JIS: the notice shown
// when a word list is missing at start-up.
extern const char MissingFilesMessage[];

// The notice shown when Space or Enter has an element or attribute to write
// and no editor view to write it into; it names the classes looked for.
UserText NoEditorMessage(const std::string& frameClass, const std::string& viewClass);

constexpr char kSpace = 0x20;
constexpr char kEnter = 0x0D;
constexpr char kEscape = 0x1B;

class Composer {
public:
    Composer(EditorBridge& editor, PopupView& popup) : editor_(editor), popup_(popup) {}

    // Reads the settings, checks the word lists, fills the popup with element
    // names and places it below the editor's caret. exePath and commandLine
    // are the executable's full path and the raw command line. Lets a
    // FileOpenError out when "html.dat" exists but can't be read.
    void StartUp(const std::string& exePath, const std::string& commandLine);

    // Acts on Space, Enter and Escape; a key set to 0 is swallowed. Lets a
    // FileOpenError out when a list can't be loaded; what was done before it
    // stays done.
    void HandleKey(char& key);

    const RunState& State() const { return state_; }

private:
    void ReadSettings();
    bool WordListsExist();
    void HandleSpace(bool viewFound);
    void HandleEnter(bool viewFound);
    bool CanWrite(bool viewFound, const std::string& entry);
    void InsertTag(bool forSpace, const std::string& name);
    void InsertWithContent(const std::string& tmpl, int32_t steps);
    void StepCaretLeft(int32_t times);
    void LoadAttributes();

    EditorBridge& editor_;
    PopupView& popup_;
    RunState state_;
};

// "<N>|</N>": the marker "|" stands for the content.
std::string ComposePairedTag(const std::string& name);
// "<N" + suffix + ">".
std::string ComposeEmptyTag(const std::string& name, const std::string& suffix);
