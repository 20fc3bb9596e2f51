#include "composer_fixture.h"

namespace {

using StartUpTest = ComposerTest;

// "必要なDATファイルが見当たらない為、終了します。"
const std::string kMissingFiles =
    "\x95\x4B\x97\x76\x82\xC8\x44\x41\x54\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9"
    "\x93\x96\x82\xBD\x82\xE7\x82\xC8\x82\xA2\x88\xD7\x81\x41\x8F\x49\x97\xB9\x82\xB5\x82"
    "\xDC\x82\xB7\x81\x42";

TEST_F(StartUpTest, DefaultsWithoutSettingsOrArgument) {
    WriteLists();
    editor.caret = {300, 400};
    composer.StartUp(folder.ExePath(), "quillnest.exe");
    const RunState& s = composer.State();
    EXPECT_EQ(s.SettingsPath, folder.Path("quillnest.ini"));
    EXPECT_EQ(s.TagListPath, folder.Path("html.dat"));
    EXPECT_EQ(s.AttributeListPath, folder.Path("attribute.dat"));
    EXPECT_EQ(s.EmptyListPath, folder.Path("empty.dat"));
    EXPECT_EQ(s.XhtmlMode, 0);
    EXPECT_EQ(s.EmptySuffix, "");
    EXPECT_EQ(s.Content, "");
    EXPECT_FALSE(s.HasContent);
    EXPECT_EQ(s.Stage, 0);
    EXPECT_EQ(log, (CallLog{"width 215", "locate", "origin 300,415"}));
    EXPECT_EQ(popup.items, (std::vector<std::string>{"p", "div", "table"}));
}

TEST_F(StartUpTest, SettingsShapeThePopupAndTheEmptyForm) {
    WriteLists();
    folder.Write("quillnest.ini", "[Mode]\r\nXHTML=2\r\n[Pos]\r\nWidth=300\r\nTop=10\r\nLeft=-5\r\n");
    editor.caret = {300, 400};
    composer.StartUp(folder.ExePath(), "quillnest.exe");
    EXPECT_EQ(composer.State().XhtmlMode, 2);
    EXPECT_EQ(composer.State().EmptySuffix, " /");
    EXPECT_EQ(log, (CallLog{"width 300", "locate", "origin 295,425"}));
}

struct ClassesCase {
    const char* name;
    std::string settings;  // no settings file when empty
    std::string frame, view;
};

class EditorClasses : public StartUpTest, public ::testing::WithParamInterface<ClassesCase> {};

// The classes reach the editor before its caret is first looked for.
TEST_P(EditorClasses, ReachTheEditorFromTheSettings) {
    const ClassesCase& c = GetParam();
    WriteLists();
    if (!c.settings.empty()) folder.Write("quillnest.ini", c.settings);
    composer.StartUp(folder.ExePath(), "quillnest.exe");
    EXPECT_EQ(editor.frameClass, c.frame);
    EXPECT_EQ(editor.viewClass, c.view);
    EXPECT_EQ(composer.State().EditorFrameClass, c.frame);
    EXPECT_EQ(composer.State().EditorViewClass, c.view);
    EXPECT_EQ(log, (CallLog{"width 215", "locate", "origin 100,215"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditorClasses,
    ::testing::Values(
        ClassesCase{"NoSettingsFile", "", "EmEditorMainFrame3", "EmEditorView"},
        ClassesCase{"NoEditorSection", "[Pos]\r\nTop=0\r\n", "EmEditorMainFrame3", "EmEditorView"},
        ClassesCase{"Notepad", "[Editor]\r\nFrame=Notepad\r\nView=Edit\r\n", "Notepad", "Edit"},
        ClassesCase{"WordPadAnyCase", "[EDITOR]\r\nframe=WORDPADTOP\r\nview=RichEdit20W\r\n",
                    "WORDPADTOP", "RichEdit20W"},
        ClassesCase{"EmptyValueKeepsTheDefault", "[Editor]\r\nFrame=\r\nView=Edit\r\n",
                    "EmEditorMainFrame3", "Edit"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUpTest, TakesTheFirstArgumentAsContent) {
    WriteLists();
    composer.StartUp(folder.ExePath(), "\"" + folder.ExePath() + "\" \"a b\" second");
    EXPECT_EQ(composer.State().Content, "a b");
    EXPECT_TRUE(composer.State().HasContent);
}

// The editor quotes its selection without escaping the quotes inside.
TEST_F(StartUpTest, TakesAQuotedSelectionWithItsOwnQuotesWhole) {
    WriteLists();
    composer.StartUp(folder.ExePath(), "\"" + folder.ExePath() + "\" \"<a href=\"x\">go</a>\"");
    EXPECT_EQ(composer.State().Content, "<a href=\"x\">go</a>");
    EXPECT_TRUE(composer.State().HasContent);
}

TEST_F(StartUpTest, PairOfQuotesAloneIsNoContent) {
    WriteLists();
    composer.StartUp(folder.ExePath(), "quillnest.exe \"\"  ");
    EXPECT_EQ(composer.State().Content, "");
    EXPECT_FALSE(composer.State().HasContent);
}

TEST_F(StartUpTest, AnyMissingListEndsWithTheNoticeAfterTheWidth) {
    for (const char* missing : {"html.dat", "attribute.dat", "empty.dat"}) {
        FixtureFolder own;
        CallLog calls;
        RecordingEditor ed{calls};
        RecordingPopup pop{calls};
        for (const char* name : {"html.dat", "attribute.dat", "empty.dat"}) {
            if (std::string(name) != missing) own.Write(name, "p\r\n");
        }
        own.Write("quillnest.ini", "[Pos]\r\nWidth=250\r\n");
        Composer c{ed, pop};
        c.StartUp(own.ExePath(), "quillnest.exe abc");
        EXPECT_EQ(calls, (CallLog{"width 250", "notice " + kMissingFiles, "terminate"}))
            << missing;
        EXPECT_TRUE(pop.items.empty());
        EXPECT_EQ(pop.position.x, 792);
        EXPECT_FALSE(c.State().HasContent);
    }
}

TEST_F(StartUpTest, AListThatIsAFolderCountsAsMissing) {
    WriteLists();
    folder.Remove("attribute.dat");
    folder.MakeFolder("attribute.dat");
    composer.StartUp(folder.ExePath(), "quillnest.exe");
    EXPECT_TRUE(popup.terminated);
}

TEST_F(StartUpTest, TagListThatCannotBeReadStopsBeforeThePlacement) {
    WriteLists();
    folder.Write("quillnest.ini", "[Mode]\r\nXHTML=1\r\n");
    auto hold = folder.HoldOpenForWriting("html.dat");
    EXPECT_THROW(composer.StartUp(folder.ExePath(), "quillnest.exe abc"), FileOpenError);
    EXPECT_EQ(log, (CallLog{"width 215"}));
    EXPECT_EQ(composer.State().EmptySuffix, " /");
    EXPECT_EQ(composer.State().Content, "abc");
    EXPECT_EQ(composer.State().Stage, 0);
    EXPECT_FALSE(popup.terminated);
}

TEST_F(StartUpTest, FolderWhoseNameEndsInABackslashByte) {
    FixtureFolder hyo("\x95\x5C");  // 表
    hyo.Write("html.dat", "p\r\n");
    hyo.Write("attribute.dat", "id=\"\"\r\n");
    hyo.Write("empty.dat", "br\r\n");
    hyo.Write("quillnest.ini", "[Pos]\r\nWidth=199\r\n");
    composer.StartUp(hyo.ExePath(), "quillnest.exe");
    EXPECT_EQ(popup.width, 199);
    EXPECT_EQ(popup.items, std::vector<std::string>{"p"});
    EXPECT_FALSE(popup.terminated);
}

}  // namespace
