// The editor bridge against the running stand-in editor, from this process.
#include <gtest/gtest.h>

#include "bridge/win32_editor_bridge.h"
#include "harness.h"

#include <vector>

namespace {

using e2e::Editor;
using e2e::EditorOptions;
using e2e::Selection;
using e2e::TestFolder;

// "日本" and "語" in Shift-JIS: two-byte characters, one caret step each.
const std::string kNihon = "\x93\xFA\x96\x7B";
const std::string kGo = "\x8C\xEA";


POINT CharPosition(HWND view, int index) {
    DWORD r = static_cast<DWORD>(SendMessageA(view, EM_POSFROMCHAR, index, 0));
    return {static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r))};
}

class BridgeTest : public ::testing::Test {
protected:
    void StartEditor(const EditorOptions& options) {
        ASSERT_TRUE(editor.Start(folder, options)) << "the stand-in editor did not come up";
    }

    TestFolder folder{"bridge"};
    Editor editor;
    Win32EditorBridge bridge;
};

struct InsertCase {
    const char* name;
    std::string text;
    int selStart, selEnd;
    std::string insert;
    std::string expected;
    int caret;  // in characters, as the edit control counts them
};

class InsertTextTest : public BridgeTest, public ::testing::WithParamInterface<InsertCase> {};

TEST_P(InsertTextTest, ReplacesSelectionLeavesCaretAfterAndCanBeUndone) {
    const InsertCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartEditor({c.text, c.selStart, c.selEnd, ""}));
    bridge.FindEditorWindows();
    ASSERT_EQ(bridge.Frame(), editor.Frame());
    ASSERT_EQ(bridge.View(), editor.View());

    bridge.InsertText(c.insert);

    EXPECT_EQ(editor.Text(), c.expected);
    EXPECT_EQ(editor.GetSelection(), (Selection{c.caret, c.caret}));
    ASSERT_NE(SendMessageA(editor.View(), EM_CANUNDO, 0, 0), 0);
    SendMessageA(editor.View(), EM_UNDO, 0, 0);
    EXPECT_EQ(editor.Text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InsertTextTest,
    ::testing::Values(
        InsertCase{"AtCaret", "abcdef", 3, 3, "<p></p>", "abc<p></p>def", 10},
        InsertCase{"OverSelection", "one two three", 4, 7, "<b>two</b>", "one <b>two</b> three", 14},
        InsertCase{"WholeText", "old", 0, 3, "new", "new", 3},
        InsertCase{"DoubleByteText", "x" + kNihon + "y", 3, 3, "<" + kGo + ">",
                   "x" + kNihon + "<" + kGo + ">y", 6},
        InsertCase{"IntoEmptyEditor", "", -1, -1, "<br>", "<br>", 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BridgeTest, InsertionAfterEarlierEditsKeepsTheirUndo) {
    ASSERT_NO_FATAL_FAILURE(StartEditor({"abc", 3, 3, ""}));
    SendMessageA(editor.View(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("X"));
    SendMessageA(editor.View(), EM_EMPTYUNDOBUFFER, 0, 0);
    bridge.FindEditorWindows();
    bridge.InsertText("<i>");
    SendMessageA(editor.View(), EM_UNDO, 0, 0);
    EXPECT_EQ(editor.Text(), "abcX");
}

struct StepCase {
    const char* name;
    std::string text;
    int caret;
    int steps;
    int expected;
};

class StepCaretLeftTest : public BridgeTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(StepCaretLeftTest, MovesTheCaretOneCharacterPerStep) {
    const StepCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartEditor({c.text, c.caret, c.caret, ""}));
    bridge.FindEditorWindows();
    for (int i = 0; i < c.steps; i++) bridge.StepCaretLeft();
    ASSERT_TRUE(editor.Settle());
    EXPECT_EQ(editor.GetSelection(), (Selection{c.expected, c.expected}));
    EXPECT_EQ(editor.Text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StepCaretLeftTest,
    ::testing::Values(StepCase{"Single", "<p></p>", 7, 4, 3},
                      StepCase{"OverDoubleByte", "<p>" + kNihon + "</p>", 9, 6, 3},
                      StepCase{"StopsAtStart", "ab", 2, 5, 0},
                      StepCase{"FromTheMiddle", "abcdef", 5, 1, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BridgeTest, LocateCaretIsTheCaretShiftedByTheViewsOuterCorner) {
    ASSERT_NO_FATAL_FAILURE(StartEditor({"first line\r\nsecond\r\nthird line", 0, 0, ""}));
    for (int index : {0, 4, 20}) {
        editor.Select(index, index);
        RECT view = e2e::WindowRect(editor.View());
        POINT at = CharPosition(editor.View(), index);

        Point p = bridge.LocateCaret();

        EXPECT_EQ(p.x, view.left + at.x) << "caret at " << index;
        EXPECT_EQ(p.y, view.top + at.y) << "caret at " << index;
        EXPECT_TRUE(p.x >= view.left && p.x < view.right && p.y >= view.top && p.y < view.bottom);
    }
}

TEST_F(BridgeTest, LocateCaretFollowsTheEditorWhenItMoves) {
    ASSERT_NO_FATAL_FAILURE(StartEditor({"text", 2, 2, ""}));
    Point before = bridge.LocateCaret();
    RECT frame = e2e::WindowRect(editor.Frame());
    SetWindowPos(editor.Frame(), nullptr, frame.left + 40, frame.top + 30, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::WindowRect(editor.Frame()).left == frame.left + 40; }));
    Point after = bridge.LocateCaret();
    EXPECT_EQ(after.x - before.x, 40);
    EXPECT_EQ(after.y - before.y, 30);
}

TEST_F(BridgeTest, ActivateEditorBringsTheFrameForward) {
    ASSERT_NO_FATAL_FAILURE(StartEditor({"abc", 0, 0, ""}));
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 700, 500, 80, 40,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    ASSERT_EQ(GetForegroundWindow(), other);

    bridge.FindEditorWindows();
    bridge.ActivateEditor();

    EXPECT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == editor.Frame(); }));
    DestroyWindow(other);
}

// With no editor every operation falls on a null window; LocateCaret answers
// with the mouse pointer instead.
TEST(BridgeWithoutEditor, OperationsDoNothingAndTheCaretIsThePointer) {
    ASSERT_EQ(FindWindowA(kEditorFrameClass, nullptr), nullptr) << "an editor is still running";
    Win32EditorBridge bridge;
    bridge.FindEditorWindows();
    EXPECT_EQ(bridge.Frame(), nullptr);
    EXPECT_EQ(bridge.View(), nullptr);
    HWND before = GetForegroundWindow();
    bridge.InsertText("<p></p>");
    bridge.StepCaretLeft();
    bridge.ActivateEditor();
    EXPECT_EQ(GetForegroundWindow(), before);

    for (POINT target : {POINT{321, 234}, POINT{57, 611}}) {
        SetCursorPos(target.x, target.y);
        POINT cursor;
        GetCursorPos(&cursor);
        ASSERT_EQ(cursor.x, target.x);
        Point p = bridge.LocateCaret();
        EXPECT_EQ(p.x, target.x);
        EXPECT_EQ(p.y, target.y);
    }
}

// Windows of the editor's classes made in this very process: its caret is
// this thread's own, and a view may stand alone at the top level.
class InProcessWindows : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSEXA frame{};
        frame.cbSize = sizeof frame;
        frame.lpfnWndProc = DefWindowProcA;
        frame.hInstance = GetModuleHandleA(nullptr);
        frame.lpszClassName = kEditorFrameClass;
        RegisterClassExA(&frame);
        WNDCLASSEXA view{};
        view.cbSize = sizeof view;
        GetClassInfoExA(nullptr, "EDIT", &view);
        view.hInstance = GetModuleHandleA(nullptr);
        view.lpszClassName = kEditorViewClass;
        RegisterClassExA(&view);
    }

    HWND Make(const char* cls, DWORD style) {
        HWND hwnd = CreateWindowExA(0, cls, "", style, 200, 200, 300, 200, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        made_.push_back(hwnd);
        return hwnd;
    }

    void TearDown() override {
        for (HWND hwnd : made_) DestroyWindow(hwnd);
    }

    std::vector<HWND> made_;
};

// The caret is read from the frame's thread, here this one: it counts from
// the corner of a view when there is one, and stands alone when there isn't.
TEST_F(InProcessWindows, BridgeReadsTheCaretOfTheFramesThread) {
    HWND frame = Make(kEditorFrameClass, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(FindWindowA(kEditorFrameClass, nullptr), frame);
    ASSERT_TRUE(CreateCaret(frame, nullptr, 2, 14));
    SetCaretPos(7, 9);
    SetCursorPos(611, 477);

    Point p = Win32EditorBridge().LocateCaret();

    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(p.y, 9);
    DestroyCaret();
}

TEST_F(InProcessWindows, BridgeWithoutACaretGivesThePointer) {
    HWND frame = Make(kEditorFrameClass, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(FindWindowA(kEditorFrameClass, nullptr), frame);
    DestroyCaret();
    SetCursorPos(611, 477);

    Point p = Win32EditorBridge().LocateCaret();

    EXPECT_EQ(p.x, 611);
    EXPECT_EQ(p.y, 477);
}

// Without a frame the view is looked for among the top-level windows.
TEST_F(InProcessWindows, BridgeWithoutFrameTakesATopLevelView) {
    HWND view = Make(kEditorViewClass, WS_OVERLAPPED | ES_MULTILINE);
    ASSERT_NE(view, nullptr);
    Win32EditorBridge bridge;
    bridge.FindEditorWindows();
    EXPECT_EQ(bridge.Frame(), nullptr);
    EXPECT_EQ(bridge.View(), view);
    bridge.InsertText("<p></p>");
    EXPECT_EQ(e2e::WindowText(view), "<p></p>");
}

TEST_F(BridgeTest, ViewNotADirectChildLosesInsertionsAndItsOffset) {
    ASSERT_NO_FATAL_FAILURE(StartEditor({"abc", 1, 1, "--nested-view"}));
    bridge.FindEditorWindows();
    EXPECT_EQ(bridge.Frame(), editor.Frame());
    EXPECT_EQ(bridge.View(), nullptr);

    bridge.InsertText("<p></p>");
    bridge.StepCaretLeft();
    ASSERT_TRUE(editor.Settle());
    EXPECT_EQ(editor.Text(), "abc");
    EXPECT_EQ(editor.GetSelection(), (Selection{1, 1}));

    POINT at = CharPosition(editor.View(), 1);
    Point p = bridge.LocateCaret();
    EXPECT_EQ(p.x, at.x);
    EXPECT_EQ(p.y, at.y);
}

TEST_F(BridgeTest, FrameWithoutViewTakesNoInsertion) {
    ASSERT_NO_FATAL_FAILURE(StartEditor({"", -1, -1, "--no-view"}));
    ASSERT_EQ(editor.View(), nullptr);
    bridge.FindEditorWindows();
    EXPECT_EQ(bridge.Frame(), editor.Frame());
    EXPECT_EQ(bridge.View(), nullptr);
    bridge.InsertText("<p></p>");
    EXPECT_EQ(FindWindowExA(nullptr, nullptr, kEditorViewClass, nullptr), nullptr);
}

TEST(BridgeWithTwoEditors, TheFirstFoundServesEveryOperation) {
    TestFolder folderA{"a"}, folderB{"b"};
    Editor a, b;
    ASSERT_TRUE(a.Start(folderA, {"aaaa", 2, 2, ""}));
    ASSERT_TRUE(b.Start(folderB, {"bbbb", 2, 2, ""}));
    HWND first = FindWindowA(kEditorFrameClass, nullptr);
    ASSERT_TRUE(first == a.Frame() || first == b.Frame());
    Editor& served = first == a.Frame() ? a : b;
    Editor& other = first == a.Frame() ? b : a;
    std::string otherText = other.Text();

    Win32EditorBridge bridge;
    bridge.FindEditorWindows();
    bridge.InsertText("<i></i>");
    bridge.StepCaretLeft();
    ASSERT_TRUE(served.Settle());
    ASSERT_TRUE(other.Settle());

    EXPECT_EQ(served.GetSelection(), (Selection{8, 8}));
    EXPECT_EQ(other.Text(), otherText);
    EXPECT_EQ(other.GetSelection(), (Selection{2, 2}));
    RECT view = e2e::WindowRect(served.View());
    Point p = bridge.LocateCaret();
    EXPECT_TRUE(p.x >= view.left && p.x < view.right && p.y >= view.top && p.y < view.bottom);
}

}  // namespace
