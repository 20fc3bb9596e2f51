#include "composer/ansi_text.h"

#include <gtest/gtest.h>

namespace {

// "ポ" is 0x83 0x7C in Shift-JIS: its second byte is "|".
const std::string kPo = "\x83\x7C";
// "表" is 0x95 0x5C: its second byte is "\".
const std::string kHyo = "\x95\x5C";

TEST(CountChars, CountsDoubleByteCharactersOnce) {
    EXPECT_EQ(CountChars(""), 0);
    EXPECT_EQ(CountChars("abc"), 3);
    EXPECT_EQ(CountChars(kPo + kHyo), 2);
    EXPECT_EQ(CountChars("a" + kPo + "b"), 3);
}

TEST(CountChars, LoneLeadByteAtTheEndIsOneCharacter) {
    EXPECT_EQ(CountChars("ab\x83"), 3);
    EXPECT_EQ(CountChars("\x83"), 1);
}

struct MarkerCase {
    std::string text;
    int32_t position;
};

TEST(LastMarkerPosition, FindsTheLastMarkerCountedInCharacters) {
    const MarkerCase cases[] = {
        {"", 0},
        {"<p></p>", 0},
        {"<p>|</p>", 4},
        {"|", 1},
        {"<a|b>|</a|b>", 10},
        {"<" + kHyo + ">|</" + kHyo + ">", 4},
        {"<" + kPo + ">|</" + kPo + ">", 4},  // the trail byte of ポ is no marker
        {"<" + kPo + ">", 0},
        {"a|\x83", 2},
    };
    for (const MarkerCase& c : cases) {
        EXPECT_EQ(LastMarkerPosition("|", c.text), c.position) << c.text;
    }
}

TEST(ReplaceMarker, ReplacesEveryMarkerButNotTrailBytes) {
    EXPECT_EQ(ReplaceMarker("<p>|</p>", "|", "abc"), "<p>abc</p>");
    EXPECT_EQ(ReplaceMarker("<a|b>|</a|b>", "|", "x"), "<axb>x</axb>");
    EXPECT_EQ(ReplaceMarker("<p>|</p>", "|", ""), "<p></p>");
    EXPECT_EQ(ReplaceMarker("<" + kPo + ">|</" + kPo + ">", "|", "c"),
              "<" + kPo + ">c</" + kPo + ">");
    EXPECT_EQ(ReplaceMarker("|", "|", "|"), "|");
    EXPECT_EQ(ReplaceMarker("\x83", "|", "x"), "\x83");
}

}  // namespace
