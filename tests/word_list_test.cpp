#include "composer/word_list.h"

#include <gtest/gtest.h>

#include "fixture_folder.h"

namespace {

struct SplitCase {
    std::string bytes;
    WordList lines;
};

TEST(SplitLines, BreaksAtEveryKindOfLineEnd) {
    const SplitCase cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"p\ndiv\nspan\n", {"p", "div", "span"}},
        {"p\rdiv", {"p", "div"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR is two breaks
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {" a \tb ", {" a \tb "}},    // nothing is trimmed
        {"a\r\nb\0c\r\nd", {"a", "b"}},
        {std::string("\0a", 2), {}},
        {"\x95\x5C\r\n\x83", {"\x95\x5C", "\x83"}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(SplitLines(c.bytes), c.lines) << c.bytes;
    }
}

TEST(LoadWordList, ReadsTheFileInOrderWithDuplicates) {
    FixtureFolder folder;
    folder.Write("html.dat", "p\r\ndiv\r\np\r\nspan");
    EXPECT_EQ(LoadWordList(folder.Path("html.dat")), (WordList{"p", "div", "p", "span"}));
}

TEST(LoadWordList, MissingListRaisesTheOpenErrorWithItsPath) {
    FixtureFolder folder;
    const std::string path = folder.Path("empty.dat");
    try {
        LoadWordList(path);
        FAIL() << "no error";
    } catch (const FileOpenError& e) {
        // "ファイル <path> は開けません"
        EXPECT_EQ(std::string(e.what()), "\x83\x74\x83\x40\x83\x43\x83\x8B " + path +
                                             " \x82\xCD\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1");
        // The path keeps the system's code page apart from the program's words.
        const UserText text = e.Text();
        const std::vector<UserText::Piece>& pieces = text.Pieces();
        ASSERT_EQ(pieces.size(), 3u);
        EXPECT_TRUE(pieces[0].own);
        EXPECT_EQ(pieces[0].bytes, "\x83\x74\x83\x40\x83\x43\x83\x8B ");
        EXPECT_FALSE(pieces[1].own);
        EXPECT_EQ(pieces[1].bytes, path);
        EXPECT_TRUE(pieces[2].own);
        EXPECT_EQ(pieces[2].bytes, " \x82\xCD\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1");
        EXPECT_EQ(text.Bytes(), std::string(e.what()));
    }
}

TEST(LoadWordList, FolderOrListHeldOpenForWritingCannotBeLoaded) {
    FixtureFolder folder;
    folder.MakeFolder("html.dat");
    EXPECT_THROW(LoadWordList(folder.Path("html.dat")), FileOpenError);
    folder.Write("empty.dat", "br\r\n");
    {
        auto hold = folder.HoldOpenForWriting("empty.dat");
        EXPECT_THROW(LoadWordList(folder.Path("empty.dat")), FileOpenError);
    }
    EXPECT_EQ(LoadWordList(folder.Path("empty.dat")), WordList{"br"});
}

struct LookupCase {
    std::string typed;
    bool found;
};

// Runs against CompareStringA on Windows and the stand-in natively.
TEST(IsEmptyElement, IgnoresCaseAloneUnderTheUserLocale) {
    const WordList empty = {"br", "img", "\x82\x81\x82\x82",  // ａｂ
                            "\x83\xBF", "\x84\x70\x84\x80",   // α, а о
                            "\x83\x41", "", "hr "};           // ア
    const LookupCase cases[] = {
        {"br", true},
        {"BR", true},
        {"Img", true},
        {"\x82\x60\x82\x61", true},    // ＡＢ
        {"\x82\x60\x82\x82", true},    // Ａｂ
        {"ab", false},                 // half width is another form
        {"\x83\x9F", true},            // Α
        {"\x84\x40\x84\x4F", true},    // А О
        {"\x82\xA0", false},           // あ is not ア
        {"\xB1", false},               // half-width ｱ is not ア
        {"\x83\x41", true},
        {"hr", false},                 // the entry's blank counts
        {"br ", false},
        {"b", false},
        {"brx", false},
        {"\x01" "br", false},
    };
    for (const LookupCase& c : cases) {
        EXPECT_EQ(IsEmptyElement(empty, c.typed), c.found) << c.typed;
    }
}

}  // namespace
