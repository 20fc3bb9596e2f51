#include "popup/app_title.h"

#include <gtest/gtest.h>

namespace {

struct TitleCase {
    const char* path;
    const char* title;
};

// Shift-JIS: "ア" 83 41 and "イ" 83 42 have trail bytes that look like
// capitals; "表" 95 5C has a trail byte that looks like a backslash.
const TitleCase kTitles[] = {
    {"C:\\tools\\AbC.Def.exe", "Abc"},
    {"C:\\tools\\quillnest.exe", "quillnest"},
    {"C:\\TOOLS\\QUILLNEST.EXE", "Quillnest"},
    {"C:\\a.b\\Tool.exe", "Tool"},
    {"C:\\tools\\NoDot", "Nodot"},
    {"C:/tools/MiXed.exe", "Mixed"},
    {"D:Drive.exe", "Drive"},
    {"C:\\tools\\.Hidden.exe", ""},
    {"", ""},
    {"C:\\tools\\\x83\x41\x83\x42.exe", "\x83\x41\x83\x42"},
    {"C:\\tools\\\x83\x41QN.exe", "\x83\x41qn"},
    {"C:\\tools\\Q\x83\x41N.exe", "Q\x83\x41n"},
    {"C:\\\x95\x5C\\Tool.exe", "Tool"},
    {"C:\\tools\\\x95\x5C" "ABC.exe", "\x95\x5C" "abc"},
    {"C:\\tools\\\xB1\xB2Z.exe", "\xB1\xB2z"},  // half-width katakana: single bytes without case
};

TEST(ApplicationTitle, NameWithoutFolderCutAtFirstDotWithSingleByteLettersLowered) {
    for (const TitleCase& c : kTitles) EXPECT_EQ(ApplicationTitle(c.path), c.title) << c.path;
}

struct ErrorCase {
    const char* message;
    const char* shown;
};

// "ファイル C:\q\empty.dat は開けません" ends in "ん" 82 F1: a high last byte.
const ErrorCase kErrors[] = {
    {"no such list", "no such list."},
    {"ends with a stop.", "ends with a stop."},
    {"a dash -", "a dash -"},
    {"a bang!", "a bang!"},
    {"C:\\folder/", "C:\\folder/."},
    {"\x83\x74\x83\x40\x83\x43\x83\x8B C:\\q\\empty.dat \x82\xCD\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1",
     "\x83\x74\x83\x40\x83\x43\x83\x8B C:\\q\\empty.dat \x82\xCD\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1."},
    {"", ""},
};

TEST(ErrorBoxText, FullStopAddedWhenTheLastByteSortsAfterTheStop) {
    for (const ErrorCase& c : kErrors) EXPECT_EQ(ErrorBoxText(c.message), c.shown) << c.message;
}

// Pieces keep their code pages; the stop is judged by the last byte of all.
TEST(ErrorBoxUserText, TextOfPiecesGetsItsStopAsAPieceOfItsOwn) {
    UserText path = UserText().Own("\x83\x74\x83\x40\x83\x43\x83\x8B ").Ansi("C:\\q\\empty.dat");
    UserText shown = ErrorBoxUserText(UserText(path).Own(" \x82\xCD\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1"));
    ASSERT_EQ(shown.Pieces().size(), 4u);
    EXPECT_EQ(shown.Pieces()[1].bytes, "C:\\q\\empty.dat");
    EXPECT_FALSE(shown.Pieces()[1].own);
    EXPECT_EQ(shown.Pieces()[3].bytes, ".");
    EXPECT_EQ(ErrorBoxUserText(UserText().Ansi("C:\\folder/")).Bytes(), "C:\\folder/.");
    EXPECT_EQ(ErrorBoxUserText(UserText().Own("a dash -")).Pieces().size(), 1u);
    EXPECT_TRUE(ErrorBoxUserText(UserText()).Pieces().empty());
}

}  // namespace
