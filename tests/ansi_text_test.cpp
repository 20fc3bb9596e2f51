#include "composer/ansi_text.h"

#include <gtest/gtest.h>

namespace {

// "ポ" is 0x83 0x7C in Shift-JIS: its second byte is "|".
const std::string kPo = "\x83\x7C";
// "表" is 0x95 0x5C: its second byte is "\".
const std::string kHyo = "\x95\x5C";

TEST(CountCaretSteps, CountsDoubleByteCharactersOnce) {
    EXPECT_EQ(CountCaretSteps(""), 0);
    EXPECT_EQ(CountCaretSteps("abc"), 3);
    EXPECT_EQ(CountCaretSteps(kPo + kHyo), 2);
    EXPECT_EQ(CountCaretSteps("a" + kPo + "b"), 3);
}

TEST(CountCaretSteps, LoneLeadByteAtTheEndIsOneCharacter) {
    EXPECT_EQ(CountCaretSteps("ab\x83"), 3);
    EXPECT_EQ(CountCaretSteps("\x83"), 1);
}

struct StepCase {
    std::string text;
    int32_t steps;
};

// The editor crosses a CR LF pair with one Left press.
TEST(CountCaretSteps, LineBreakIsOneStepWhateverItsForm) {
    const StepCase cases[] = {
        {"a\r\nb", 3},
        {"a\r\nb\r\nc", 5},
        {"\r\n", 1},
        {"\r\n\r\n", 2},
        {"a\rb", 3},           // a lone CR
        {"a\nb", 3},           // a lone LF
        {"a\n\rb", 4},        // LF then CR: two breaks
        {"a\r\r\nb", 4},     // a lone CR, then a pair
        {"\r\n\n", 2},
        {"\r", 1},
        {kPo + "\r\n" + kHyo, 3},
    };
    for (const StepCase& c : cases) {
        EXPECT_EQ(CountCaretSteps(c.text), c.steps) << ::testing::PrintToString(c.text);
    }
}

struct MarkerCase {
    std::string text;
    int32_t position;
};

TEST(LastMarkerPosition, FindsTheLastMarkerCountedInCaretSteps) {
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
        {"<p>a\r\nb|</p>", 7},
        {"\r\n|\r|\n", 4},
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
