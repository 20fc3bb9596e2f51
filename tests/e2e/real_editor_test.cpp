// quillnest.exe beside editors nobody here wrote: the Notepad and the WordPad
// that ship with Wine, named in the settings. Each is started afresh, given a
// known text and selection through its view, and judged by what its view
// holds afterwards. Notepad's view is an edit control; WordPad's a rich-edit
// control, which keeps one paragraph mark where an edit control keeps CR LF.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "composer/composer.h"
#include "harness.h"

namespace {

using e2e::ChildProcess;
using e2e::Program;
using e2e::Selection;
using e2e::TestFolder;

const std::string kNihongo = "\x93\xFA\x96\x7B\x8C\xEA";  // 日本語, three characters
const std::string kAttributeMark = " *attribute";
const std::string kTags = "p\r\ntable\r\nbr\r\nimg\r\ndiv\r\n";
const std::string kAttributes = "class=\"\"\r\nid=\"\"\r\nhref=\"\"\r\n";
const std::string kEmpties = "br\r\nhr\r\nimg\r\n";

struct EditorKind {
    const char* name;
    const char* path;  // environment variables expanded
    const char* frame;
    const char* view;
};

const EditorKind kNotepad{"Notepad", "%SystemRoot%\\system32\\notepad.exe", "Notepad", "Edit"};
const EditorKind kWordPad{"WordPad", "%ProgramFiles%\\Windows NT\\Accessories\\wordpad.exe",
                          "WORDPADTOP", "RichEdit20W"};

void PrintTo(const EditorKind& kind, std::ostream* os) { *os << kind.name; }

std::string Expand(const char* path) {
    char buffer[MAX_PATH];
    DWORD n = ExpandEnvironmentStringsA(path, buffer, sizeof buffer);
    return n && n <= sizeof buffer ? std::string(buffer, n - 1) : "";
}

bool IsFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// One of Wine's editors, reached through its view only. Its views are
// Unicode windows, so texts go both ways as UTF-16.
class RealEditor {
public:
    // True once its frame is up in front, its view holds the text and the
    // selection, and the view has the focus and shows its caret.
    bool Start(const EditorKind& kind, const TestFolder& folder, const std::string& text,
               int selStart, int selEnd) {
        if (!process_.Start("\"" + Expand(kind.path) + "\"", folder.Path())) return false;
        DWORD pid = process_.Id();
        if (!e2e::WaitUntil([&] { return (frame_ = e2e::FindProcessWindow(pid, kind.frame)); }))
            return false;
        if (!e2e::WaitUntil([&] { return (view_ = FindWindowExA(frame_, nullptr, kind.view, nullptr)); }))
            return false;
        SetWindowPos(frame_, nullptr, 100, 120, 640, 400, SWP_NOZORDER);
        std::wstring wide = e2e::Widen(text);
        SendMessageW(view_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        if (selStart < 0) selStart = selEnd = static_cast<int>(SendMessageW(view_, WM_GETTEXTLENGTH, 0, 0));
        SendMessageW(view_, EM_SETSEL, selStart, selEnd);
        SetForegroundWindow(frame_);
        return e2e::WaitUntil([&] {
            GUITHREADINFO gui{};
            gui.cbSize = sizeof gui;
            return GetForegroundWindow() == frame_ &&
                   GetGUIThreadInfo(GetWindowThreadProcessId(frame_, nullptr), &gui) &&
                   gui.hwndFocus == view_ && gui.hwndCaret == view_;
        });
    }

    HWND View() const { return view_; }

    // Returns once everything posted to the view so far has been handled: a
    // new text limit posted behind it shows when the view got that far.
    bool Settle() {
        WPARAM marker = 0x10000000 + ++settled_;
        PostMessageW(view_, EM_SETLIMITTEXT, marker, 0);
        return e2e::WaitUntil([&] {
            return static_cast<WPARAM>(SendMessageW(view_, EM_GETLIMITTEXT, 0, 0)) == marker;
        });
    }

    std::string Text() const {
        LRESULT n = SendMessageW(view_, WM_GETTEXTLENGTH, 0, 0);
        std::wstring wide(static_cast<size_t>(n) + 1, L'\0');
        n = SendMessageW(view_, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()));
        wide.resize(static_cast<size_t>(n));
        return e2e::Narrow(wide);
    }

    // Both editors pack the two ends into the result when given no pointers.
    Selection GetSelection() const {
        DWORD r = static_cast<DWORD>(SendMessageW(view_, EM_GETSEL, 0, 0));
        return {LOWORD(r), HIWORD(r)};
    }

    // Where the caret stands before character index, by the program's own
    // measure: the view's outer corner plus the character's place in it.
    // Both controls answer the edit control's form of the question.
    Point CharOnScreen(int index) const {
        RECT view = e2e::WindowRect(view_);
        DWORD r = static_cast<DWORD>(SendMessageW(view_, EM_POSFROMCHAR, index, 0));
        return {view.left + static_cast<short>(LOWORD(r)), view.top + static_cast<short>(HIWORD(r))};
    }

private:
    ChildProcess process_;
    HWND frame_ = nullptr;
    HWND view_ = nullptr;
    WPARAM settled_ = 0;
};

std::string EditorSettings(const EditorKind& kind, const std::string& more = "") {
    return "[Editor]\r\nFrame=" + std::string(kind.frame) + "\r\nView=" + kind.view + "\r\n" + more;
}

class RealEditorTest : public ::testing::Test {
protected:
    void PlaceFiles(const std::string& settings) {
        folder.Copy(e2e::ProgramPath(), "quillnest.exe");
        folder.Write("html.dat", kTags);
        folder.Write("attribute.dat", kAttributes);
        folder.Write("empty.dat", kEmpties);
        folder.Write("quillnest.ini", settings);
    }

    void StartEditor(const EditorKind& kind, const std::string& text, int selStart, int selEnd) {
        std::string path = Expand(kind.path);
        ASSERT_TRUE(IsFile(path)) << "Wine's " << kind.name << " is not at " << path;
        ASSERT_TRUE(editor.Start(kind, folder, text, selStart, selEnd))
            << kind.name << " did not come up with its view in front";
    }

    void StartProgram(const std::string& arguments) {
        ASSERT_TRUE(program.Start(folder, arguments));
        ASSERT_TRUE(program.WaitForFocusedPopup()) << "no popup in front with the focus in its combo box";
        ASSERT_TRUE(e2e::WaitUntil([&] { return program.Items() == e2e::ListEntries(kTags); }));
    }

    void WaitForAttributeStage(int marks) {
        std::string caption = "Quillnest";
        for (int i = 0; i < marks; i++) caption += kAttributeMark;
        ASSERT_TRUE(e2e::WaitUntil([&] {
            return program.Caption() == caption && GetForegroundWindow() == program.Popup() &&
                   program.Items() == e2e::ListEntries(kAttributes);
        })) << "caption now: " << program.Caption();
    }

    // Types each group of keys in turn, waiting for every Space to be handled.
    void TypeInTurn(const std::vector<std::string>& keys) {
        int marks = 0;
        for (const std::string& group : keys) {
            e2e::Type(group);
            if (group.back() == ' ') {
                ASSERT_NO_FATAL_FAILURE(WaitForAttributeStage(++marks));
            }
        }
    }

    void ExpectProgramEnds() {
        ASSERT_TRUE(program.WaitForEnd()) << "the program did not end";
        ASSERT_TRUE(editor.Settle()) << "the editor did not get through its messages";
    }

    TestFolder folder{"real"};
    RealEditor editor;
    Program program;
};

// ---- runs that end with Enter ----

struct RunCase {
    const char* name;
    std::string settings;  // beside the editor's classes
    std::string text;      // what the editor holds; its caret at the end when -1
    int selStart, selEnd;
    std::string arguments;
    std::vector<std::string> keys;
    std::string expected;
    int caret;  // in the editor's own characters
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

using Combination = std::tuple<EditorKind, RunCase>;

class RealEditorRunTest : public RealEditorTest, public ::testing::WithParamInterface<Combination> {};

TEST_P(RealEditorRunTest, EditorHoldsTheMarkupAndTheCaret) {
    const auto& [kind, c] = GetParam();
    PlaceFiles(EditorSettings(kind, c.settings));
    ASSERT_NO_FATAL_FAILURE(StartEditor(kind, c.text, c.selStart, c.selEnd));
    ASSERT_NO_FATAL_FAILURE(StartProgram(c.arguments));
    ASSERT_NO_FATAL_FAILURE(TypeInTurn(c.keys));
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), c.expected);
    EXPECT_EQ(editor.GetSelection(), (Selection{c.caret, c.caret}));
}

const char kXhtml[] = "[Mode]\r\nXHTML=1\r\n";

INSTANTIATE_TEST_SUITE_P(
    Editors, RealEditorRunTest,
    ::testing::Combine(
        ::testing::Values(kNotepad, kWordPad),
        ::testing::Values(
            RunCase{"WalkThrough", "", "[]", 1, 1, "abc", {"p\r"}, "[<p>abc</p>]", 7},
            RunCase{"SpaceThenAttributes", "", "", -1, -1, "", {"p ", "c ", "i\r"},
                    "<p class=\"\" id=\"\"></p>", 16},
            RunCase{"EmptyElementHtml", "", "x", 1, 1, "abc", {"br\r"}, "x<br>", 5},
            RunCase{"EmptyElementXhtml", kXhtml, "x", 1, 1, "", {"br\r"}, "x<br />", 7},
            RunCase{"SpaceOnEmptyElementXhtml", kXhtml, "", -1, -1, "", {"img ", "c\r"},
                    "<img class=\"\" />", 12},
            RunCase{"SelectionWrapped", "", "say hello now", 4, 9, "hello", {"p\r"},
                    "say <p>hello</p> now", 12},
            RunCase{"DoubleByteContent", "", "", -1, -1, kNihongo, {"p\r"},
                    "<p>" + kNihongo + "</p>", 6})),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

// ---- line breaks: where the two editors differ ----

// An edit control counts a CR LF as two characters; a rich-edit control
// keeps one paragraph mark, counted as one, though it hands its text back
// with CR LF. An element on the second line lands right in both. In both, one
// Left-arrow press crosses a line break, as the program counts it: after
// Space on content over two lines the caret ends inside the opening tag.
struct LineCase {
    const char* name;
    EditorKind kind;
    std::string text;
    std::string arguments;
    std::vector<std::string> keys;
    std::string expected;
    int caret;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class RealEditorLineTest : public RealEditorTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(RealEditorLineTest, EditorKeepsItsOwnLineBreak) {
    const LineCase& c = GetParam();
    PlaceFiles(EditorSettings(c.kind));
    ASSERT_NO_FATAL_FAILURE(StartEditor(c.kind, c.text, -1, -1));
    ASSERT_NO_FATAL_FAILURE(StartProgram(c.arguments));
    ASSERT_NO_FATAL_FAILURE(TypeInTurn(c.keys));
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), c.expected);
    EXPECT_EQ(editor.GetSelection(), (Selection{c.caret, c.caret}));
}

const std::string kTwoLines = "line one\r\nline two";
const std::string kTwoLineContent = "\"a\r\nb\"";

INSTANTIATE_TEST_SUITE_P(
    Editors, RealEditorLineTest,
    ::testing::Values(
        LineCase{"NotepadSecondLine", kNotepad, kTwoLines, "abc", {"p\r"},
                 kTwoLines + "<p>abc</p>", 24},
        LineCase{"WordPadSecondLine", kWordPad, kTwoLines, "abc", {"p\r"},
                 kTwoLines + "<p>abc</p>", 23},
        LineCase{"NotepadContentOverTwoLines", kNotepad, "", kTwoLineContent, {"p ", "\x1b"},
                 "<p>a\r\nb</p>", 2},
        LineCase{"WordPadContentOverTwoLines", kWordPad, "", kTwoLineContent, {"p ", "\x1b"},
                 "<p>a\r\nb</p>", 2}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the editor's own Undo ----

class RealEditorKindTest : public RealEditorTest, public ::testing::WithParamInterface<EditorKind> {};

TEST_P(RealEditorKindTest, UndoBringsTheSelectionBack) {
    const EditorKind& kind = GetParam();
    PlaceFiles(EditorSettings(kind));
    ASSERT_NO_FATAL_FAILURE(StartEditor(kind, "say hello now", 4, 9));
    ASSERT_NO_FATAL_FAILURE(StartProgram("hello"));
    ASSERT_NO_FATAL_FAILURE(TypeInTurn({"p\r"}));
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    ASSERT_EQ(editor.Text(), "say <p>hello</p> now");
    ASSERT_NE(SendMessageW(editor.View(), EM_CANUNDO, 0, 0), 0);
    SendMessageW(editor.View(), EM_UNDO, 0, 0);
    EXPECT_EQ(editor.Text(), "say hello now");
}

// ---- where the popup opens and goes ----

TEST_P(RealEditorKindTest, PopupOpensBelowTheCaret) {
    const EditorKind& kind = GetParam();
    PlaceFiles(EditorSettings(kind));
    // Within the second line: an edit control tells no place for the end of
    // its text.
    ASSERT_NO_FATAL_FAILURE(StartEditor(kind, "line one\r\nline two", 13, 13));
    const std::string before = editor.Text();
    Point caret = editor.CharOnScreen(13);
    RECT view = e2e::WindowRect(editor.View());
    ASSERT_TRUE(caret.x > view.left && caret.x < view.right && caret.y > view.top &&
                caret.y < view.bottom);
    ASSERT_NO_FATAL_FAILURE(StartProgram(""));
    RECT r = program.Rect();
    EXPECT_EQ(r.left, caret.x);
    EXPECT_EQ(r.top, caret.y + 15);
    e2e::Type("\x1b");
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), before);
}

// After Space the caret has stepped back into the opening tag: between "<p"
// and ">" on the first line.
TEST_P(RealEditorKindTest, SpaceMovesThePopupBelowTheSteppedCaret) {
    const EditorKind& kind = GetParam();
    PlaceFiles(EditorSettings(kind));
    ASSERT_NO_FATAL_FAILURE(StartEditor(kind, "", -1, -1));
    ASSERT_NO_FATAL_FAILURE(StartProgram(""));
    ASSERT_NO_FATAL_FAILURE(TypeInTurn({"p "}));
    ASSERT_TRUE(editor.Settle());
    ASSERT_EQ(editor.GetSelection(), (Selection{2, 2}));
    Point stepped = editor.CharOnScreen(2);
    RECT r = program.Rect();
    EXPECT_EQ(r.left, stepped.x);
    EXPECT_EQ(r.top, stepped.y + 15);
    e2e::Type("\x1b");
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), "<p></p>");
}

// ---- another editor's classes named, that editor absent ----

// Settings that name WordPad while only Notepad runs: nothing reaches
// Notepad, the notice names what was looked for, and the popup stays.
TEST_F(RealEditorTest, NamedEditorAbsentGivesTheNoticeAndTheRunGoesOn) {
    PlaceFiles(EditorSettings(kWordPad));
    ASSERT_NO_FATAL_FAILURE(StartEditor(kNotepad, "keep", 2, 2));
    ASSERT_EQ(FindWindowA(kWordPad.frame, nullptr), nullptr) << "a WordPad is still running";
    ASSERT_NO_FATAL_FAILURE(StartProgram("abc"));
    e2e::Type("p\r");

    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no notice";
    EXPECT_EQ(e2e::MessageBoxText(box), NoEditorMessage("WORDPADTOP", "RichEdit20W").Bytes());
    EXPECT_EQ(e2e::WindowText(box), "quillnest");
    ASSERT_TRUE(e2e::AnswerBox(box));

    EXPECT_TRUE(program.Running());
    EXPECT_EQ(program.Caption(), "Quillnest");
    EXPECT_EQ(program.Entry(), "p");
    ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == program.Popup(); }));
    e2e::Type("\x1b");
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), "keep");
    EXPECT_EQ(editor.GetSelection(), (Selection{2, 2}));
}

INSTANTIATE_TEST_SUITE_P(Editors, RealEditorKindTest, ::testing::Values(kNotepad, kWordPad),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
