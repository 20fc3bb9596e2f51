// quillnest.exe as a user meets it: beside the stand-in editor, driven by
// typed keys, judged by what the editor holds afterwards and by what its
// popup shows on the way.
#include <gtest/gtest.h>

#include <memory>

#include "bridge/win32_editor_bridge.h"
#include "composer/composer.h"
#include "harness.h"

namespace {

using e2e::Editor;
using e2e::EditorOptions;
using e2e::Program;
using e2e::Selection;
using e2e::TestFolder;

// Shift-JIS texts.
const std::string kNihongo = "\x93\xFA\x96\x7B\x8C\xEA";  // 日本語, three characters
const std::string kHyou = "\x95\x5C";                      // 表: its second byte is "\"
const std::string kMissingFiles =
    "\x95\x4B\x97\x76\x82\xC8\x44\x41\x54\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9"
    "\x93\x96\x82\xBD\x82\xE7\x82\xC8\x82\xA2\x88\xD7\x81\x41\x8F\x49\x97\xB9\x82\xB5\x82"
    "\xDC\x82\xB7\x81\x42";
const std::string kFileWord = "\x83\x74\x83\x40\x83\x43\x83\x8B";           // ファイル
const std::string kCannotOpen = "\x82\xCD\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1";  // は開けません

const std::string kAttributeMark = " *attribute";

const std::string kTags = "p\r\ntable\r\ntbody\r\nbr\r\nimg\r\ndiv\r\n";
const std::string kAttributes = "class=\"\"\r\nid=\"\"\r\nhref=\"\"\r\n";
const std::string kEmpties = "area\r\nbr\r\nhr\r\nimg\r\n";

struct Lists {
    std::string tags = kTags;
    std::string attributes = kAttributes;
    std::string empties = kEmpties;
    std::string settings;  // no settings file when empty
};

bool Contains(const RECT& r, Point p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

class ProgramTest : public ::testing::Test {
protected:
    explicit ProgramTest(const std::string& folderName = "run") : folder(folderName) {}

    void PlaceFiles(const Lists& lists) {
        folder.Copy(e2e::ProgramPath(), "quillnest.exe");
        folder.Write("html.dat", lists.tags);
        folder.Write("attribute.dat", lists.attributes);
        folder.Write("empty.dat", lists.empties);
        if (!lists.settings.empty()) folder.Write("quillnest.ini", lists.settings);
    }

    void StartEditor(const EditorOptions& options) {
        ASSERT_TRUE(editor.Start(folder, options)) << "the stand-in editor did not come up";
    }

    void WaitForFocusedPopup(Program& p) {
        ASSERT_TRUE(p.WaitForFocusedPopup()) << "no popup in front with the focus in its combo box";
    }

    void StartProgram(const std::string& arguments) {
        ASSERT_TRUE(program.Start(folder, arguments));
        ASSERT_NO_FATAL_FAILURE(WaitForFocusedPopup(program));
    }

    // Ends with the program gone and the editor done with all it was sent.
    void ExpectProgramEnds() {
        ASSERT_TRUE(program.WaitForEnd()) << "the program did not end";
        if (editor.Frame()) {
            ASSERT_TRUE(editor.Settle());
        }
    }

    // Space handled: the caption carries one more mark, the popup is in front
    // again and shows the attribute list.
    void WaitForAttributeStage(int marks) {
        std::string caption = "Quillnest";
        for (int i = 0; i < marks; i++) caption += kAttributeMark;
        ASSERT_TRUE(e2e::WaitUntil([&] {
            return program.Caption() == caption && GetForegroundWindow() == program.Popup() &&
                   program.Items() == e2e::ListEntries(kAttributes);
        })) << "caption now: " << program.Caption();
    }

    // Where the editor's caret stands when it is before character index: the
    // view's outer corner plus the character's place in it.
    Point CharOnScreen(int index) {
        RECT view = e2e::WindowRect(editor.View());
        DWORD r = static_cast<DWORD>(SendMessageA(editor.View(), EM_POSFROMCHAR, index, 0));
        return {view.left + static_cast<short>(LOWORD(r)), view.top + static_cast<short>(HIWORD(r))};
    }

    // The popup may fill its list just after it first shows; typed keys come
    // after that anyway.
    void WaitForItems(const std::vector<std::string>& items) {
        ASSERT_TRUE(e2e::WaitUntil([&] { return program.Items() == items; }))
            << ::testing::PrintToString(program.Items());
    }

    void WaitForEntry(const std::string& entry) {
        ASSERT_TRUE(e2e::WaitUntil([&] { return program.Entry() == entry; }))
            << "entry now: " << program.Entry();
    }

    TestFolder folder;
    Editor editor;
    Program program;
};

// ---- runs that end with Enter or Escape ----

struct RunCase {
    const char* name;
    std::string settings;
    std::string text;  // what the editor holds
    int selStart, selEnd;
    std::string arguments;
    std::vector<std::string> keys;  // typed in turn; each one's effect awaited
    std::string expected;
    int caret;  // in characters
};

class ProgramRunTest : public ProgramTest, public ::testing::WithParamInterface<RunCase> {};

TEST_P(ProgramRunTest, EditorEndsAsExpected) {
    const RunCase& c = GetParam();
    Lists lists;
    lists.settings = c.settings;
    PlaceFiles(lists);
    ASSERT_NO_FATAL_FAILURE(StartEditor({c.text, c.selStart, c.selEnd, ""}));
    ASSERT_NO_FATAL_FAILURE(StartProgram(c.arguments));
    ASSERT_NO_FATAL_FAILURE(WaitForItems(e2e::ListEntries(kTags)));

    int marks = 0;
    for (const std::string& keys : c.keys) {
        e2e::Type(keys);
        if (keys.back() == ' ') WaitForAttributeStage(++marks);
    }
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());

    EXPECT_EQ(editor.Text(), c.expected);
    EXPECT_EQ(editor.GetSelection(), (Selection{c.caret, c.caret}));
}

const char kXhtml[] = "[Mode]\r\nXHTML=1\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramRunTest,
    ::testing::Values(
        // The walk-through: content abc, p and Enter.
        RunCase{"WalkThrough", "", "[]", 1, 1, "abc", {"p\r"}, "[<p>abc</p>]", 7},
        RunCase{"PairedWithoutContent", "", "", -1, -1, "", {"p\r"}, "<p></p>", 3},
        RunCase{"QuotedContentWithBlank", "", "", -1, -1, "\"a b\"", {"div\r"},
                "<div>a b</div>", 8},
        RunCase{"EmptyElementHtml", "", "x", 1, 1, "abc", {"br\r"}, "x<br>", 5},
        RunCase{"EmptyElementXhtml", kXhtml, "x", 1, 1, "", {"br\r"}, "x<br />", 7},
        RunCase{"TypedCaseKeptForEmptyElement", "", "", -1, -1, "", {"HR\r"}, "<HR>", 4},
        // The editor hands its selection over as the argument; the element
        // wraps it and takes its place.
        RunCase{"SelectionWrapped", "", "say hello now", 4, 9, "hello", {"p\r"},
                "say <p>hello</p> now", 12},
        // Space writes the element with the caret in its opening tag, then
        // attributes follow one by one; Enter leaves the caret in the last.
        RunCase{"SpaceThenAttributes", "", "", -1, -1, "", {"p ", "c ", "i\r"},
                "<p class=\"\" id=\"\"></p>", 16},
        RunCase{"SpaceWithContent", "", "", -1, -1, "abc", {"p ", "h\r"},
                "<p href=\"\">abc</p>", 9},
        RunCase{"SpaceOnEmptyElementHtml", "", "", -1, -1, "", {"img ", "c\r"},
                "<img class=\"\">", 12},
        // XHTML=1 steps back over " /" too, so the attribute lands before it.
        RunCase{"SpaceOnEmptyElementXhtml", kXhtml, "", -1, -1, "", {"img ", "c\r"},
                "<img class=\"\" />", 12},
        // Space without an entry writes nothing but turns to the attributes,
        // which then go where the editor's caret already stands.
        RunCase{"SpaceWithoutEntry", "", "<p></p>", 2, 2, "", {" ", "i\r"},
                "<p id=\"\"></p>", 7},
        // Double-byte content: the caret steps count the closing tag only, so
        // they land right in an editor that counts characters.
        RunCase{"DoubleByteContent", "", "", -1, -1, kNihongo, {"p\r"},
                "<p>" + kNihongo + "</p>", 6},
        // The selection arrives whole, whatever quotes and blanks it holds.
        RunCase{"SelectionWithQuotesWrapped", "", "<a href=\"x\">go</a>", 0, 18,
                "\"<a href=\"x\">go</a>\"", {"li\r"}, "<li><a href=\"x\">go</a></li>", 22},
        RunCase{"SelectionWithQuotedWordsWrapped", "", "say \"hi there\" now", 0, 18,
                "\"say \"hi there\" now\"", {"p\r"}, "<p>say \"hi there\" now</p>", 21},
        RunCase{"UnquotedSelectionWrapped", "", "say hello world now", 4, 15, "hello world",
                {"p\r"}, "say <p>hello world</p> now", 18},
        // One Left press crosses a line break, so each CR LF of the content
        // is one step back to the opening tag.
        RunCase{"MultiLineContentThenAttribute", "", "a\r\nb", 0, 4, "\"a\r\nb\"", {"p ", "c\r"},
                "<p class=\"\">a\r\nb</p>", 10},
        RunCase{"TwoLineBreaksThenAttribute", "", "a\r\nb\r\nc", 0, 7, "\"a\r\nb\r\nc\"",
                {"p ", "c\r"}, "<p class=\"\">a\r\nb\r\nc</p>", 10}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- runs that end without writing ----

struct QuitCase {
    const char* name;
    std::function<void(Program&)> quit;
};

class ProgramQuitTest : public ProgramTest, public ::testing::WithParamInterface<QuitCase> {};

TEST_P(ProgramQuitTest, NothingWritten) {
    PlaceFiles({});
    ASSERT_NO_FATAL_FAILURE(StartEditor({"keep me", 2, 4, ""}));
    ASSERT_NO_FATAL_FAILURE(StartProgram("ee"));
    e2e::Type("p");
    ASSERT_NO_FATAL_FAILURE(WaitForEntry("p"));
    GetParam().quit(program);
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), "keep me");
    EXPECT_EQ(editor.GetSelection(), (Selection{2, 4}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramQuitTest,
    ::testing::Values(QuitCase{"Escape", [](Program&) { e2e::Type("\x1b"); }},
                      QuitCase{"CloseBox",
                               [](Program& p) { PostMessageA(p.Popup(), WM_CLOSE, 0, 0); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramTest, EscapeInTheAttributeStageKeepsOnlyTheElement) {
    PlaceFiles({});
    ASSERT_NO_FATAL_FAILURE(StartEditor({"", -1, -1, ""}));
    ASSERT_NO_FATAL_FAILURE(StartProgram(""));
    e2e::Type("p ");
    ASSERT_NO_FATAL_FAILURE(WaitForAttributeStage(1));
    e2e::Type("c");
    ASSERT_NO_FATAL_FAILURE(WaitForEntry("class=\"\""));
    e2e::Type("\x1b");
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), "<p></p>");
    EXPECT_EQ(editor.GetSelection(), (Selection{2, 2}));
}

// ---- Enter with nothing entered ----

TEST_F(ProgramTest, EnterWithEmptyEntryOpensTheListAndCarriesOn) {
    PlaceFiles({});
    ASSERT_NO_FATAL_FAILURE(StartEditor({"abc", 3, 3, ""}));
    ASSERT_NO_FATAL_FAILURE(StartProgram(""));
    ASSERT_FALSE(program.DroppedDown());
    e2e::Type("\r");
    ASSERT_TRUE(e2e::WaitUntil([&] { return program.DroppedDown(); })) << "the list stayed shut";
    EXPECT_TRUE(program.Running());
    EXPECT_EQ(program.Caption(), "Quillnest");
    ASSERT_TRUE(editor.Settle());
    EXPECT_EQ(editor.Text(), "abc");

    e2e::Type("div\r");
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), "abc<div></div>");
}

// ---- completion ----

TEST_F(ProgramTest, CompletionFollowsWhatIsTyped) {
    Lists lists;
    lists.tags = "table\r\ntbody\r\n";
    PlaceFiles(lists);
    ASSERT_NO_FATAL_FAILURE(StartEditor({"", -1, -1, ""}));
    ASSERT_NO_FATAL_FAILURE(StartProgram(""));
    auto editSelection = [&] {
        DWORD r = static_cast<DWORD>(SendMessageA(program.Combo(), CB_GETEDITSEL, 0, 0));
        return Selection{LOWORD(r), HIWORD(r)};
    };

    e2e::Type("t");
    ASSERT_NO_FATAL_FAILURE(WaitForEntry("table"));
    EXPECT_EQ(editSelection(), (Selection{1, 5}));
    EXPECT_TRUE(program.DroppedDown());

    e2e::Type("b");
    ASSERT_NO_FATAL_FAILURE(WaitForEntry("tbody"));
    EXPECT_EQ(editSelection(), (Selection{2, 5}));

    e2e::Type("\r");
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), "<tbody></tbody>");
    EXPECT_EQ(editor.GetSelection(), (Selection{7, 7}));
}

// ---- the popup after Space ----

TEST_F(ProgramTest, SpaceMovesThePopupBelowTheNewCaret) {
    PlaceFiles({});
    ASSERT_NO_FATAL_FAILURE(StartEditor({"", -1, -1, ""}));
    ASSERT_NO_FATAL_FAILURE(StartProgram(""));
    RECT before = program.Rect();

    e2e::Type("p ");
    ASSERT_NO_FATAL_FAILURE(WaitForAttributeStage(1));
    ASSERT_TRUE(editor.Settle());
    EXPECT_EQ(program.Entry(), "");
    EXPECT_TRUE(e2e::WaitUntil([&] { return program.DroppedDown(); }));

    // Below where the steps back left the caret: between "<p" and ">".
    RECT after = program.Rect();
    Point stepped = CharOnScreen(2);
    EXPECT_EQ(after.top, stepped.y + 15);
    EXPECT_EQ(after.left, stepped.x);
    EXPECT_GT(after.left, before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
}

// The caret is read only once the editor has taken every step back, however
// many the content asks for: run after run with one editor, the popup lands
// below "<p|>" and never where the insertion left the caret. A run is over
// once its popup is gone; the copies finish exiting side by side.
class ProgramFinalCaretTest : public ProgramTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ProgramFinalCaretTest, SpacePutsThePopupBelowTheSteppedCaretEveryTime) {
    const std::string& content = GetParam();
    PlaceFiles({});
    ASSERT_NO_FATAL_FAILURE(StartEditor({"", -1, -1, ""}));
    const std::string expected = "<p>" + content + "</p>";
    std::vector<std::unique_ptr<Program>> runs;
    for (int run = 1; run <= 20; run++) {
        SCOPED_TRACE("run " + std::to_string(run));
        SendMessageA(editor.View(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        Program& p = *runs.emplace_back(std::make_unique<Program>());
        ASSERT_TRUE(p.Start(folder, content.empty() ? "" : "\"" + content + "\""));
        ASSERT_NO_FATAL_FAILURE(WaitForFocusedPopup(p));
        ASSERT_TRUE(e2e::WaitUntil([&] { return p.Items() == e2e::ListEntries(kTags); }));
        e2e::Type("p ");
        ASSERT_TRUE(e2e::WaitUntil([&] {
            return p.Caption() == "Quillnest" + kAttributeMark && GetForegroundWindow() == p.Popup() &&
                   p.Items() == e2e::ListEntries(kAttributes);
        })) << "caption now: " << p.Caption();

        RECT r = p.Rect();
        Point stepped = CharOnScreen(2);
        EXPECT_EQ(r.left, stepped.x);
        EXPECT_EQ(r.top, stepped.y + 15);
        ASSERT_TRUE(editor.Settle());
        ASSERT_EQ(editor.Text(), expected);
        ASSERT_EQ(editor.GetSelection(), (Selection{2, 2}));

        e2e::Type("\x1b");
        HWND popup = p.Popup();
        ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(popup); })) << "the popup stayed";
    }
    for (const auto& p : runs) EXPECT_TRUE(p->WaitForEnd());
}

INSTANTIATE_TEST_SUITE_P(Contents, ProgramFinalCaretTest,
                         ::testing::Values("", "abc", "abcdefghijklmnopqrstuvwxyz0123"),
                         [](const auto& info) { return "Length" + std::to_string(info.param.size()); });

// ---- settings: width and offsets ----

struct PlacementCase {
    const char* name;
    std::string settings;
    int width, dx, dy;
};

class ProgramPlacementTest : public ProgramTest,
                             public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(ProgramPlacementTest, PopupOpensBelowTheCaret) {
    const PlacementCase& c = GetParam();
    Lists lists;
    lists.settings = c.settings;
    PlaceFiles(lists);
    ASSERT_NO_FATAL_FAILURE(StartEditor({"line one\r\nline two", 13, 13, ""}));
    Point caret = CharOnScreen(13);
    ASSERT_TRUE(Contains(e2e::WindowRect(editor.View()), caret));
    ASSERT_NO_FATAL_FAILURE(StartProgram(""));

    RECT r = program.Rect();
    EXPECT_EQ(r.right - r.left, c.width);
    EXPECT_EQ(r.left, caret.x + c.dx);
    EXPECT_EQ(r.top, caret.y + c.dy);
    RECT client, combo;
    GetClientRect(program.Popup(), &client);
    GetWindowRect(program.Combo(), &combo);
    EXPECT_EQ(combo.right - combo.left, client.right - 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramPlacementTest,
    ::testing::Values(PlacementCase{"NoSettingsFile", "", 215, 0, 15},
                      PlacementCase{"WidthAndOffsets", "[Pos]\r\nWidth=300\r\nTop=10\r\nLeft=-5\r\n",
                                    300, -5, 25},
                      PlacementCase{"HexWidth", "[pos]\r\nwidth=0x100\r\n", 256, 0, 15}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- a screen of 144 dpi (a Wine prefix of its own) ----

// Not a Program* case: the usual run has 96 dpi.
class HighDensityTest : public ProgramTest {};

// The settings' width and offsets and the gap below the caret are pixels at
// 96 dpi: at 144 each is half as large again, at start-up and after Space.
TEST_F(HighDensityTest, WidthOffsetsAndGapAreScaledToTheScreen) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, 144) << "meant for a screen of 144 dpi";
    Lists lists;
    lists.settings = "[Pos]\r\nWidth=200\r\nTop=10\r\nLeft=-6\r\n";
    PlaceFiles(lists);
    ASSERT_NO_FATAL_FAILURE(StartEditor({"line one\r\nline two", 13, 13, ""}));
    Point caret = CharOnScreen(13);
    ASSERT_NO_FATAL_FAILURE(StartProgram(""));

    RECT r = program.Rect();
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.left, caret.x - 9);
    EXPECT_EQ(r.top, caret.y + 38);  // (15 + 10) * 1.5, rounded up

    e2e::Type("p ");
    ASSERT_NO_FATAL_FAILURE(WaitForAttributeStage(1));
    r = program.Rect();
    Point stepped = CharOnScreen(15);
    EXPECT_EQ(r.left, stepped.x);
    EXPECT_EQ(r.top, stepped.y + 23);  // 15 * 1.5, rounded up
    EXPECT_EQ(r.right - r.left, 300);

    e2e::Type("\x1b");
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), "line one\r\nlin<p></p>e two");
}

// Below the caret there is no room at the screen's bottom right corner: the
// popup goes above the caret point, pushed left until it fits.
TEST_F(ProgramTest, PopupStaysOnScreenAtTheCorner) {
    PlaceFiles({});
    ASSERT_NO_FATAL_FAILURE(StartEditor({"abc", 0, 0, "--pos 1150 960 300 150"}));
    Point caret = CharOnScreen(0);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ASSERT_NO_FATAL_FAILURE(StartProgram(""));

    RECT r = program.Rect();
    ASSERT_GT(caret.y + 15 + (r.bottom - r.top), work.bottom) << "it would have fitted below";
    ASSERT_GT(caret.x + (r.right - r.left), work.right) << "it would have fitted on the right";
    EXPECT_EQ(r.bottom, caret.y);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.right - r.left, 215);
}

// ---- missing and vanishing lists ----

class ProgramMissingListTest : public ProgramTest,
                               public ::testing::WithParamInterface<const char*> {};

TEST_P(ProgramMissingListTest, NoticeThenEndWithEditorUntouched) {
    PlaceFiles({});
    folder.Remove(GetParam());
    ASSERT_NO_FATAL_FAILURE(StartEditor({"untouched", 3, 5, ""}));
    ASSERT_TRUE(program.Start(folder, "abc"));

    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no notice";
    EXPECT_EQ(e2e::MessageBoxText(box), kMissingFiles);
    EXPECT_EQ(e2e::WindowText(box), "quillnest");
    EXPECT_FALSE(e2e::MessageBoxShowsIcon(box));
    ASSERT_TRUE(e2e::AnswerBox(box));

    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), "untouched");
    EXPECT_EQ(editor.GetSelection(), (Selection{3, 5}));
}

INSTANTIATE_TEST_SUITE_P(Lists, ProgramMissingListTest,
                         ::testing::Values("html.dat", "attribute.dat", "empty.dat"),
                         [](const auto& info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

// "ア" is 0x83 0x41: its second byte reads as "A" to a byte-wise lowering.
TEST_F(ProgramTest, TitleLowersSingleByteLettersOnly) {
    folder.Copy(e2e::ProgramPath(), "\x83\x41QN.Tool.exe");
    ASSERT_NO_FATAL_FAILURE(StartEditor({"", -1, -1, ""}));
    ASSERT_TRUE(program.StartExecutable(folder, "\x83\x41QN.Tool.exe", ""));
    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no notice";
    EXPECT_EQ(e2e::WindowText(box), "\x83\x41qn");
    ASSERT_TRUE(e2e::AnswerBox(box));
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
}

struct VanishCase {
    const char* name;
    const char* list;
    std::string keys;
    std::string expected;  // the editor afterwards
    std::string caption;
    std::vector<std::string> items;  // the popup's list afterwards
};

class ProgramVanishedListTest : public ProgramTest,
                                public ::testing::WithParamInterface<VanishCase> {};

TEST_P(ProgramVanishedListTest, ErrorBoxThenCarriesOn) {
    const VanishCase& c = GetParam();
    PlaceFiles({});
    ASSERT_NO_FATAL_FAILURE(StartEditor({"", -1, -1, ""}));
    ASSERT_NO_FATAL_FAILURE(StartProgram(""));
    folder.Remove(c.list);

    e2e::Type(c.keys);
    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(e2e::MessageBoxText(box), kFileWord + " " + folder.File(c.list) + " " + kCannotOpen + ".");
    EXPECT_EQ(e2e::WindowText(box), "quillnest");
    EXPECT_TRUE(e2e::MessageBoxShowsIcon(box));
    ASSERT_TRUE(e2e::AnswerBox(box));

    EXPECT_TRUE(program.Running());
    EXPECT_EQ(program.Caption(), c.caption);
    EXPECT_EQ(program.Items(), c.items);
    EXPECT_EQ(program.Entry(), c.items.empty() ? "" : "p");
    ASSERT_TRUE(editor.Settle());
    EXPECT_EQ(editor.Text(), c.expected);

    // Still answering keys: Escape ends it.
    ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == program.Popup(); }));
    e2e::Type("\x1b");
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramVanishedListTest,
    ::testing::Values(
        VanishCase{"EmptyListBeforeEnter", "empty.dat", "p\r", "", "Quillnest", e2e::ListEntries(kTags)},
        // Only the caption mark came before the failed load.
        VanishCase{"EmptyListBeforeSpace", "empty.dat", "p ", "", "Quillnest" + kAttributeMark,
                   e2e::ListEntries(kTags)},
        // The element went in first; the list was emptied and the entry cleared.
        VanishCase{"AttributeListBeforeSpace", "attribute.dat", "p ", "<p></p>",
                   "Quillnest" + kAttributeMark, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- a folder whose name ends a character in "\" ----

class ProgramInHyouFolderTest : public ProgramTest {
protected:
    ProgramInHyouFolderTest() : ProgramTest(kHyou) {}
};

TEST_F(ProgramInHyouFolderTest, FindsItsListsAndSettings) {
    Lists lists;
    lists.settings = "[Pos]\r\nWidth=250\r\n";
    PlaceFiles(lists);
    ASSERT_NO_FATAL_FAILURE(StartEditor({"", -1, -1, ""}));
    ASSERT_NO_FATAL_FAILURE(StartProgram(kNihongo));
    ASSERT_NO_FATAL_FAILURE(WaitForItems(e2e::ListEntries(kTags)));
    RECT r = program.Rect();
    EXPECT_EQ(r.right - r.left, 250);

    e2e::Type("p\r");
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), "<p>" + kNihongo + "</p>");
    EXPECT_EQ(editor.GetSelection(), (Selection{6, 6}));
}

// ---- no editor running ----

// Space and Enter with an entry have nothing to write into: each says so and
// leaves the popup as it was; only Escape ends the run.
TEST_F(ProgramTest, WithoutEditorOpensAtThePointerAndSaysSoInsteadOfWriting) {
    ASSERT_EQ(FindWindowA(kEditorFrameClass, nullptr), nullptr) << "an editor is still running";
    PlaceFiles({});
    ASSERT_TRUE(SetCursorPos(420, 333));
    ASSERT_NO_FATAL_FAILURE(StartProgram("abc"));
    RECT r = program.Rect();
    EXPECT_EQ(r.left, 420);
    EXPECT_EQ(r.top, 333 + 15);
    e2e::Type("p");
    ASSERT_NO_FATAL_FAILURE(WaitForEntry("p"));

    for (const char* key : {"\r", " "}) {
        e2e::Type(key);
        HWND box = program.WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no notice";
        EXPECT_EQ(e2e::MessageBoxText(box), NoEditorMessage(kEditorFrameClass, kEditorViewClass).Bytes());
        EXPECT_EQ(e2e::WindowText(box), "quillnest");
        EXPECT_FALSE(e2e::MessageBoxShowsIcon(box));
        ASSERT_TRUE(e2e::AnswerBox(box));

        EXPECT_TRUE(program.Running());
        EXPECT_EQ(program.Caption(), "Quillnest");
        EXPECT_EQ(program.Entry(), "p");
        EXPECT_EQ(program.Items(), e2e::ListEntries(kTags));
        ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == program.Popup(); }));
    }
    e2e::Type("\x1b");
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
}

// ---- two copies at once ----

TEST_F(ProgramTest, SpaceMovesItsOwnPopupNotTheOtherCopys) {
    TestFolder otherFolder{"other"};
    PlaceFiles({});
    otherFolder.Copy(folder.File("quillnest.exe"), "quillnest.exe");
    otherFolder.Write("html.dat", kTags);
    otherFolder.Write("attribute.dat", kAttributes);
    otherFolder.Write("empty.dat", kEmpties);
    ASSERT_NO_FATAL_FAILURE(StartEditor({"", -1, -1, ""}));

    Program other;
    ASSERT_TRUE(other.Start(otherFolder, ""));
    ASSERT_NO_FATAL_FAILURE(WaitForFocusedPopup(other));
    ASSERT_TRUE(program.Start(folder, ""));
    ASSERT_TRUE(program.WaitForPopup());

    // The other copy stays on top, so a search by class finds it first.
    const RECT parked = {900, 60, 0, 0};
    SetWindowPos(other.Popup(), HWND_TOPMOST, parked.left, parked.top, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(program.Popup(), nullptr, 900, 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetForegroundWindow(program.Popup());
    ASSERT_NO_FATAL_FAILURE(WaitForFocusedPopup(program));
    ASSERT_EQ(FindWindowA("Tquillnest", nullptr), other.Popup());

    e2e::Type("p ");
    ASSERT_NO_FATAL_FAILURE(WaitForAttributeStage(1));

    RECT mine = program.Rect();
    RECT theirs = other.Rect();
    Point stepped = CharOnScreen(2);
    EXPECT_EQ(mine.top, stepped.y + 15);
    EXPECT_EQ(mine.left, stepped.x);
    EXPECT_EQ(theirs.left, parked.left);
    EXPECT_EQ(theirs.top, parked.top);
    EXPECT_EQ(other.Caption(), "Quillnest");

    e2e::Type("\x1b");
    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), "<p></p>");
    EXPECT_TRUE(other.Running());
}

// ---- an argument the ANSI code page can't carry ----

struct UnfitCase {
    const char* name;
    std::wstring arguments;
};

class ProgramUnfitArgumentTest : public ProgramTest,
                                 public ::testing::WithParamInterface<UnfitCase> {};

TEST_P(ProgramUnfitArgumentTest, ArgumentOutsideTheCodePageIsNeverWritten) {
    PlaceFiles({});
    ASSERT_NO_FATAL_FAILURE(StartEditor({"safe", 0, 4, ""}));
    ASSERT_TRUE(program.StartWide(folder, GetParam().arguments));

    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no notice";
    EXPECT_FALSE(e2e::MessageBoxText(box).empty());
    EXPECT_EQ(e2e::WindowText(box), "quillnest");
    ASSERT_TRUE(e2e::AnswerBox(box));

    ASSERT_NO_FATAL_FAILURE(ExpectProgramEnds());
    EXPECT_EQ(editor.Text(), "safe");
    EXPECT_EQ(editor.GetSelection(), (Selection{0, 4}));
}

// Neither é nor € exists in code page 932. The whole selection is checked,
// not only its first word.
INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramUnfitArgumentTest,
    ::testing::Values(UnfitCase{"Quoted", L"\"caf\u00e9 \u20ac\""},
                      UnfitCase{"LaterWordUnquoted", L"ok caf\u00e9"},
                      UnfitCase{"AfterInnerQuotes", L"\"say \"hi there\" caf\u00e9\""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
