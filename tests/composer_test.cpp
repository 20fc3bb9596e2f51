#include "composer_fixture.h"

namespace {

// ポ (0x83 0x7C) and 表 (0x95 0x5C): double-byte characters whose second
// bytes are "|" and "\".
const std::string kPo = "\x83\x7C";
const std::string kHyo = "\x95\x5C";

struct TagCase {
    const char* name;
    std::string settings;
    std::string arguments;
    std::string entry;
    char key;
    CallLog writes;
};

class TagStage : public ComposerTest, public ::testing::WithParamInterface<TagCase> {};

TEST_P(TagStage, WritesTheElementAndStepsTheCaret) {
    const TagCase& c = GetParam();
    WriteLists();
    if (!c.settings.empty()) folder.Write("quillnest.ini", c.settings);
    Start(c.arguments);
    EXPECT_EQ(Press(c.key, c.entry), 0);
    EXPECT_EQ(EditorWrites(log), c.writes);
}

const std::string kXhtml1 = "[Mode]\r\nXHTML=1\r\n";
const std::string kXhtml2 = "[Mode]\r\nXHTML=2\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, TagStage,
    ::testing::Values(
        TagCase{"PairedEnter", "", "", "p", kEnter, Wrote("<p></p>", 4)},
        TagCase{"ContentEnter", "", "abc", "p", kEnter, Wrote("<p>abc</p>", 4)},
        TagCase{"ContentSpace", "", "abc", "p", kSpace, Wrote("<p>abc</p>", 8)},
        TagCase{"PairedSpace", "", "", "p", kSpace, Wrote("<p></p>", 5)},
        TagCase{"LongerNameSpace", "", "", "table", kSpace, Wrote("<table></table>", 9)},
        TagCase{"EmptySpace", "", "", "br", kSpace, Wrote("<br>", 1)},
        TagCase{"EmptySpaceXhtml1", kXhtml1, "", "br", kSpace, Wrote("<br />", 3)},
        // The caret goes in front of " /" for any XHTML value, not only 1.
        TagCase{"EmptySpaceXhtml2", kXhtml2, "", "br", kSpace, Wrote("<br />", 3)},
        TagCase{"EmptyEnter", "", "", "br", kEnter, Wrote("<br>", 0)},
        TagCase{"EmptyEnterXhtml", kXhtml2, "", "br", kEnter, Wrote("<br />", 0)},
        TagCase{"EmptyKeepsTypedCase", "", "", "BR", kEnter, Wrote("<BR>", 0)},
        TagCase{"EmptyIgnoresContent", "", "abc", "br", kEnter, Wrote("<br>", 0)},
        // Every "|" is replaced; the steps are the place of the template's last one.
        TagCase{"MarkerInEntry", "", "X", "a|b", kEnter, Wrote("<aXb>X</aXb>", 10)},
        // Steps count characters: two double-byte characters are two steps.
        TagCase{"DoubleByteContentSpace", "", kHyo + kPo, "p", kSpace,
                Wrote("<p>" + kHyo + kPo + "</p>", 7)},
        TagCase{"DoubleByteNameEnter", "", "", kPo, kEnter,
                Wrote("<" + kPo + "></" + kPo + ">", 4)},
        TagCase{"DoubleByteNameContentEnter", "", "c", kPo, kEnter,
                Wrote("<" + kPo + ">c</" + kPo + ">", 4)},
        TagCase{"LoneLeadByteContentSpace", "", "ab\x83", "p", kSpace,
                Wrote("<p>ab\x83</p>", 8)},
        // The editor crosses a CR LF pair with one Left press; a lone CR or
        // LF is one press too.
        TagCase{"LineBreakContentSpace", "", "\"a\r\nb\"", "p", kSpace,
                Wrote("<p>a\r\nb</p>", 8)},
        TagCase{"TwoLineBreaksContentSpace", "", "\"a\r\nb\r\nc\"", "p", kSpace,
                Wrote("<p>a\r\nb\r\nc</p>", 10)},
        TagCase{"LoneBreaksContentSpace", "", "\"a\rb\nc\n\rd\"", "p", kSpace,
                Wrote("<p>a\rb\nc\n\rd</p>", 13)},
        TagCase{"LineBreakContentEnter", "", "\"a\r\nb\"", "p", kEnter,
                Wrote("<p>a\r\nb</p>", 4)},
        // The selection arrives whole, inner quotes and blanks included.
        TagCase{"QuotedSelectionEnter", "", "\"<a href=\"x\">go</a>\"", "li", kEnter,
                Wrote("<li><a href=\"x\">go</a></li>", 5)},
        TagCase{"QuotedSelectionSpace", "", "\"<a href=\"x\">go</a>\"", "li", kSpace,
                Wrote("<li><a href=\"x\">go</a></li>", 24)},
        TagCase{"BareSelectionSpace", "", "hello world", "p", kSpace,
                Wrote("<p>hello world</p>", 16)}),
    [](const ::testing::TestParamInfo<TagCase>& info) { return std::string(info.param.name); });

TEST_F(ComposerTest, WalkThroughEnterWritesAndEnds) {
    WriteLists("p\r\n");
    editor.caret = {40, 60};
    composer.StartUp(folder.ExePath(), "quillnest.exe abc");
    EXPECT_EQ(log, (CallLog{"width 215", "locate", "origin 40,75"}));
    log.clear();
    Press(kEnter, "p");
    EXPECT_EQ(log, Join({{"find", "insert <p>abc</p>"}, Steps(4), {"terminate"}}));
}

TEST_F(ComposerTest, SpaceWithElementMovesToTheAttributeStage) {
    WriteLists();
    Start();
    editor.caret = {120, 340};
    Press(kSpace, "p");
    EXPECT_EQ(log, Join({{"find", "caption Quillnest *attribute", "insert <p></p>"}, Steps(5),
                         {"close-list", "activate", "locate", "move 120,355", "clear", "entry "}}));
    EXPECT_EQ(popup.items, (std::vector<std::string>{"class=\"\"", "id=\"\""}));
    EXPECT_EQ(composer.State().Stage, 1);
    EXPECT_EQ(composer.State().CaretPoint.y, 340);
    EXPECT_FALSE(popup.terminated);
}

TEST_F(ComposerTest, AttributesGoInsideTheTagUntilEnter) {
    WriteLists();
    Start();
    Press(kSpace, "p");
    log.clear();
    editor.caret = {7, 8};
    EXPECT_EQ(Press(kSpace, "class=\"x\""), 0);
    EXPECT_EQ(log, (CallLog{"find", "caption Quillnest *attribute *attribute", "insert  class=\"x\"",
                            "close-list", "activate", "locate", "move 7,23", "clear", "entry "}));
    EXPECT_EQ(composer.State().Stage, 2);
    log.clear();
    Press(kEnter, "id=\"\"");
    EXPECT_EQ(log, (CallLog{"find", "insert  id=\"\"", "left", "terminate"}));
}

TEST_F(ComposerTest, SpaceWithoutEntryOnlySwitchesTheList) {
    WriteLists();
    Start();
    Press(kSpace, "");
    EXPECT_EQ(log, (CallLog{"find", "caption Quillnest *attribute", "clear", "entry "}));
    EXPECT_EQ(popup.items.size(), 2u);
    EXPECT_EQ(composer.State().Stage, 1);
    log.clear();
    Press(kSpace, "");
    EXPECT_EQ(popup.caption, "Quillnest *attribute *attribute");
    EXPECT_EQ(composer.State().Stage, 2);
}

TEST_F(ComposerTest, EnterWithoutEntryDoesNothingInEitherStage) {
    WriteLists();
    Start();
    EXPECT_EQ(Press(kEnter, ""), 0);
    Press(kSpace, "");
    log.clear();
    EXPECT_EQ(Press(kEnter, ""), 0);
    EXPECT_EQ(log, CallLog{"find"});
    EXPECT_EQ(composer.State().Stage, 1);
    EXPECT_FALSE(popup.terminated);
}

TEST_F(ComposerTest, EscapeEndsWithoutWritingAndKeepsTheKey) {
    WriteLists();
    Start();
    EXPECT_EQ(Press(kEscape, "p"), kEscape);
    EXPECT_EQ(log, (CallLog{"find", "terminate"}));
    Press(kSpace, "");
    log.clear();
    EXPECT_EQ(Press(kEscape, "id"), kEscape);
    EXPECT_EQ(log, (CallLog{"find", "terminate"}));
}

TEST_F(ComposerTest, OtherKeysPassThroughUntouched) {
    WriteLists();
    Start();
    for (char key : {'a', 'Z', '\b', '\t', '|', '\0', '\x83'}) {
        EXPECT_EQ(Press(key, "p"), key);
    }
    EXPECT_EQ(log, CallLog(7, "find"));
    EXPECT_EQ(composer.State().Stage, 0);
}

// ---- no view to write into ----

struct NoViewCase {
    const char* name;
    std::string settings;  // no settings file when empty
    bool attributeStage;
    char key;
    std::string frame, view;  // the classes the notice names
};

class NoView : public ComposerTest, public ::testing::WithParamInterface<NoViewCase> {};

// Nothing is written, the user is told which windows were looked for, and
// the popup and the stage stay as they were for another try.
TEST_P(NoView, NoticeInsteadOfTheWriteAndTheRunGoesOn) {
    const NoViewCase& c = GetParam();
    WriteLists();
    if (!c.settings.empty()) folder.Write("quillnest.ini", c.settings);
    Start();
    if (c.attributeStage) Press(kSpace, "");
    log.clear();
    const std::string caption = popup.caption;
    const std::vector<std::string> items = popup.items;
    const int32_t stage = composer.State().Stage;
    editor.viewFound = false;

    EXPECT_EQ(Press(c.key, "p"), 0);
    EXPECT_EQ(log, (CallLog{"find", "notice " + NoEditorMessage(c.frame, c.view).Bytes()}));
    EXPECT_EQ(popup.caption, caption);
    EXPECT_EQ(popup.entry, "p");
    EXPECT_EQ(popup.items, items);
    EXPECT_EQ(composer.State().Stage, stage);
    EXPECT_FALSE(popup.terminated);

    // With the editor back, the same key writes as usual.
    editor.viewFound = true;
    log.clear();
    Press(c.key, "p");
    EXPECT_FALSE(EditorWrites(log).empty());
}

const std::string kNotepad = "[Editor]\r\nFrame=Notepad\r\nView=Edit\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, NoView,
    ::testing::Values(
        NoViewCase{"TagSpace", "", false, kSpace, "EmEditorMainFrame3", "EmEditorView"},
        NoViewCase{"TagEnter", "", false, kEnter, "EmEditorMainFrame3", "EmEditorView"},
        NoViewCase{"AttributeSpace", "", true, kSpace, "EmEditorMainFrame3", "EmEditorView"},
        NoViewCase{"AttributeEnter", "", true, kEnter, "EmEditorMainFrame3", "EmEditorView"},
        NoViewCase{"NamesTheConfiguredClasses", kNotepad, false, kEnter, "Notepad", "Edit"}),
    [](const auto& info) { return std::string(info.param.name); });

// With nothing to write, the missing view changes nothing.
TEST_F(ComposerTest, NoViewLeavesKeysWithoutEntryAsTheyWere) {
    WriteLists();
    Start();
    editor.viewFound = false;
    Press(kEnter, "");
    Press(kSpace, "");
    EXPECT_EQ(log, (CallLog{"find", "find", "caption Quillnest *attribute", "clear", "entry "}));
    EXPECT_EQ(composer.State().Stage, 1);
    log.clear();
    EXPECT_EQ(Press(kEscape, "id"), kEscape);
    EXPECT_EQ(log, (CallLog{"find", "terminate"}));
}

TEST(NoEditorMessage, NamesBothClassesOnLinesOfTheirOwn) {
    const std::string text = NoEditorMessage("WORDPADTOP", "RichEdit20W").Bytes();
    // "書き込み先のエディタが見つかりません。" / "フレーム: " / "ビュー: "
    EXPECT_EQ(text,
              "\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x90\xE6\x82\xCC\x83\x47\x83\x66\x83\x42\x83\x5E"
              "\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42\n"
              "\x83\x74\x83\x8C\x81\x5B\x83\x80: WORDPADTOP\n"
              "\x83\x72\x83\x85\x81\x5B: RichEdit20W");
}

TEST_F(ComposerTest, ListsAreReadAfreshAtEachKey) {
    WriteLists();
    Start();
    folder.Write("empty.dat", "p\r\n");
    folder.Write("attribute.dat", "lang=\"\"\r\n");
    Press(kSpace, "p");
    EXPECT_EQ(EditorWrites(log), Join({{"insert <p>"}, Steps(1)}));
    EXPECT_EQ(popup.items, std::vector<std::string>{"lang=\"\""});
}

TEST_F(ComposerTest, MissingEmptyListOnSpaceLeavesOnlyTheCaptionMark) {
    WriteLists();
    Start();
    folder.Remove("empty.dat");
    EXPECT_THROW(Press(kSpace, "p"), FileOpenError);
    EXPECT_EQ(log, (CallLog{"find", "caption Quillnest *attribute"}));
    EXPECT_EQ(popup.items.size(), 3u);
    EXPECT_EQ(popup.entry, "p");
    EXPECT_EQ(composer.State().Stage, 0);
}

TEST_F(ComposerTest, MissingAttributeListAfterTheInsertKeepsTheInsert) {
    WriteLists();
    Start();
    folder.Remove("attribute.dat");
    EXPECT_THROW(Press(kSpace, "p"), FileOpenError);
    EXPECT_EQ(EditorWrites(log), Join({{"insert <p></p>"}, Steps(5)}));
    EXPECT_TRUE(popup.items.empty());
    EXPECT_EQ(popup.entry, "");
    EXPECT_EQ(composer.State().Stage, 0);
    // The program carries on: the list comes back and the stage moves on.
    WriteLists();
    Press(kSpace, "");
    EXPECT_EQ(composer.State().Stage, 1);
}

TEST_F(ComposerTest, MissingEmptyListOnEnterNeitherWritesNorEnds) {
    WriteLists();
    Start();
    auto hold = folder.HoldOpenForWriting("empty.dat");
    EXPECT_THROW(Press(kEnter, "p"), FileOpenError);
    EXPECT_EQ(log, CallLog{"find"});
    EXPECT_FALSE(popup.terminated);
}

TEST_F(ComposerTest, AfterAFailedTagListTheKeysStillWork) {
    WriteLists();
    {
        auto hold = folder.HoldOpenForWriting("html.dat");
        EXPECT_THROW(composer.StartUp(folder.ExePath(), "quillnest.exe abc"), FileOpenError);
    }
    log.clear();
    Press(kEnter, "div");
    EXPECT_EQ(EditorWrites(log), Join({{"insert <div>abc</div>"}, Steps(6)}));
    EXPECT_TRUE(popup.terminated);
}

}  // namespace
