// Lists, settings and command lines as they may be found on a real machine:
// huge, binary, badly encoded, empty. Whatever they hold, the editor gets
// exactly the text the entry and content make, and nothing else.
#include "composer_fixture.h"

#include "composer/command_line.h"
#include "platform/platform.h"

namespace {

std::string Lines(const std::string& prefix, int count, const std::string& end = "\r\n") {
    std::string text;
    for (int i = 0; i < count; ++i) text += prefix + std::to_string(i) + end;
    return text;
}

using BadInputTest = ComposerTest;

TEST_F(BadInputTest, HugeListsLoadWhole) {
    WriteLists(Lines("element", 100000), Lines("attr", 100000, "=\"\"\n"),
               Lines("void", 100000) + "br\r\n");
    Start();
    EXPECT_EQ(popup.items.size(), 100000u);
    EXPECT_EQ(popup.items.back(), "element99999");
    Press(kSpace, "BR");
    EXPECT_EQ(EditorWrites(log), Wrote("<BR>", 1));
    EXPECT_EQ(popup.items.size(), 100000u);
    EXPECT_EQ(popup.items[5], "attr5=\"\"");
}

TEST_F(BadInputTest, TenMegabyteListWithLongLines) {
    std::string line(100000, 'x');
    std::string big;
    for (int i = 0; i < 100; ++i) big += line + "\r\n";
    WriteLists(big + "p\r\n");
    Start();
    ASSERT_EQ(popup.items.size(), 101u);
    EXPECT_EQ(popup.items[0], line);
    EXPECT_EQ(popup.items[100], "p");
    Press(kEnter, line);
    EXPECT_EQ(EditorWrites(log), Wrote("<" + line + "></" + line + ">", 100003));
}

TEST_F(BadInputTest, BinaryAndBrokenShiftJisEntriesAreTakenAsTheyStand) {
    std::string garbage;
    for (int i = 1; i < 256; ++i) garbage += static_cast<char>(i);
    WriteLists(garbage + "\r\n\x83\r\n\x83\x7C\x83", "\x81\r\n", std::string("br\0img\r\n", 8));
    Start();
    // The garbage line breaks at its own LF and CR bytes: three entries.
    ASSERT_EQ(popup.items.size(), 5u);
    EXPECT_EQ(popup.items[0].size(), 9u);
    EXPECT_EQ(popup.items[3], "\x83");
    EXPECT_EQ(popup.items[4], "\x83\x7C\x83");
    Press(kEnter, "img");  // after the NUL: not in the list
    EXPECT_EQ(EditorWrites(log), Wrote("<img></img>", 6));
}

TEST_F(BadInputTest, EmptyListsGiveEmptyPopupsButStillWork) {
    WriteLists("", "", "");
    Start();
    EXPECT_TRUE(popup.items.empty());
    Press(kSpace, "br");
    EXPECT_EQ(EditorWrites(log), Wrote("<br></br>", 6));
    EXPECT_TRUE(popup.items.empty());
    EXPECT_EQ(composer.State().Stage, 1);
}

struct SettingsCase {
    const char* name;
    std::string ini;
    int32_t width;
    int32_t xhtml;
};

TEST_F(BadInputTest, OddSettingsFilesFallBackOrReadAsTheSystemDoes) {
    const SettingsCase cases[] = {
        {"no sections", "Width=300\r\nXHTML=1\r\n", 215, 0},
        {"duplicate keys", "[Pos]\r\nWidth=300\r\nWidth=400\r\n", 300, 0},
        {"garbage", "\x01\x02[[[==]\r\n\xFF\xFE\xFD=\r\n[Pos\r\nWidth=300\r\n", 215, 0},
        {"value of 5000 bytes", "[Pos]\r\nWidth=" + std::string(5000, '9') + "\r\n", 215, 0},
        {"utf-8 byte-order mark", "\xEF\xBB\xBF[Pos]\r\nWidth=300\r\n[Mode]\r\nXHTML=1\r\n", 300, 1},
        {"utf-16 byte-order mark",
         std::string("\xFF\xFE[\0P\0o\0s\0]\0\r\0\n\0W\0i\0d\0t\0h\0=\0003\0000\0000\0\r\0\n\0", 38), 300, 0},
    };
    for (const SettingsCase& c : cases) {
        FixtureFolder own;
        CallLog calls;
        RecordingEditor ed{calls};
        RecordingPopup pop{calls};
        for (const char* list : {"html.dat", "attribute.dat", "empty.dat"}) own.Write(list, "br\r\n");
        own.Write("quillnest.ini", c.ini);
        Composer composer{ed, pop};
        composer.StartUp(own.ExePath(), "quillnest.exe");
        EXPECT_EQ(composer.State().PopupWidth, c.width) << c.name;
        EXPECT_EQ(composer.State().XhtmlMode, c.xhtml) << c.name;
    }
}

TEST(BadCommandLine, LongLinesAndStrayQuotesSplitSafely) {
    std::string huge(32000, 'a');
    EXPECT_EQ(SplitCommandLine("q.exe " + huge), (std::vector<std::string>{"q.exe", huge}));
    EXPECT_EQ(SplitCommandLine("q.exe \"" + huge), (std::vector<std::string>{"q.exe", huge}));
    EXPECT_EQ(SplitCommandLine("q.exe \"\"\"\"\"\""), std::vector<std::string>{"q.exe"});
    EXPECT_EQ(SplitCommandLine(std::string(32000, '"')), std::vector<std::string>{});
    EXPECT_EQ(SplitCommandLine("q.exe " + std::string(31999, '"')), std::vector<std::string>{"q.exe"});
}

}  // namespace
