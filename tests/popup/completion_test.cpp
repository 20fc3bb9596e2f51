#include "popup/completion.h"

#include <gtest/gtest.h>

#include <cctype>
#include <vector>

namespace {

// The list's prefix search as the combo box makes it: first entry from the
// top, letters compared without case.
struct FakeList {
    std::vector<std::string> entries;
    std::vector<std::string> searched;

    PrefixSearch Search() {
        return [this](const std::string& prefix, std::string& entry) {
            searched.push_back(prefix);
            for (size_t i = 0; i < entries.size(); ++i) {
                const std::string& e = entries[i];
                if (e.size() < prefix.size()) continue;
                bool same = true;
                for (size_t k = 0; k < prefix.size() && same; ++k)
                    same = std::tolower(static_cast<unsigned char>(e[k])) ==
                           std::tolower(static_cast<unsigned char>(prefix[k]));
                if (same) {
                    entry = e;
                    return static_cast<int>(i);
                }
            }
            return -1;
        };
    }
};

struct CompletionCase {
    const char* name;
    EditField before;
    char key;
    const char* searchedFor;  // nullptr: no search made
    bool consumed;
    bool dropDown;
    int entry;
    bool replaced;
    EditField after;
};

const CompletionCase kCases[] = {
    {"first letter completes the first entry", {"", 0, 0}, 't', "t", true, true, 0, true, {"table", 1, 5}},
    {"next letter searches what stands before the selection", {"table", 1, 5}, 'b', "tb", true, true, 1, true,
     {"tbody", 2, 5}},
    {"case of the typed text is kept", {"", 0, 0}, 'T', "T", true, true, 0, true, {"Table", 1, 5}},
    {"entry text after the typed part keeps its own case", {"", 0, 0}, 'h', "h", true, true, 4, true,
     {"hR", 1, 2}},
    {"exact entry leaves nothing selected", {"t", 1, 1}, 'd', "td", true, true, 2, true, {"td", 2, 2}},
    {"caret inside the text still searches the whole text", {"tb", 1, 1}, 'o', "tbo", true, true, 1, true,
     {"tbody", 3, 5}},
    {"no entry: the key goes on to the edit field", {"tb", 2, 2}, 'x', "tbx", false, true, -1, false, {}},
    {"swallowed key only opens the list", {"p", 1, 1}, '\0', nullptr, true, true, -1, false, {}},
    {"backspace removes the selection", {"table", 1, 5}, kBackspace, nullptr, true, false, -1, true,
     {"t", 1, 1}},
    {"backspace removes the byte before the caret", {"tab", 2, 2}, kBackspace, nullptr, true, false, -1, true,
     {"tb", 1, 1}},
    {"backspace takes one byte of a double-byte character", {"\x82\xA0", 2, 2}, kBackspace, nullptr, true,
     false, -1, true, {"\x82", 1, 1}},
    {"backspace at the start changes nothing", {"ab", 0, 0}, kBackspace, nullptr, true, false, -1, false, {}},
    {"escape is left alone", {"ta", 2, 2}, 0x1B, nullptr, false, false, -1, false, {}},
    {"selection past the end is taken as the end", {"tab", 1, 99}, kBackspace, nullptr, true, false, -1,
     true, {"t", 1, 1}},
};

TEST(CompleteKey, FollowsTheComboBoxCompletion) {
    for (const CompletionCase& c : kCases) {
        FakeList list{{"table", "tbody", "td", "p", "hR"}, {}};
        KeyOutcome out = CompleteKey(c.before, c.key, list.Search());
        SCOPED_TRACE(c.name);
        if (c.searchedFor) {
            ASSERT_EQ(list.searched.size(), 1u);
            EXPECT_EQ(list.searched[0], c.searchedFor);
        } else {
            EXPECT_TRUE(list.searched.empty());
        }
        EXPECT_EQ(out.consumed, c.consumed);
        EXPECT_EQ(out.dropDown, c.dropDown);
        EXPECT_EQ(out.entry, c.entry);
        ASSERT_EQ(out.replaceEdit, c.replaced);
        if (c.replaced) {
            EXPECT_EQ(out.edit.text, c.after.text);
            EXPECT_EQ(out.edit.selStart, c.after.selStart);
            EXPECT_EQ(out.edit.selEnd, c.after.selEnd);
        }
    }
}

// Typing t, then b, then a letter that matches nothing, as the popup sees it.
TEST(CompleteKey, TypingThroughTheListStepByStep) {
    FakeList list{{"table", "tbody"}, {}};
    EditField field;
    for (char key : std::string("tb")) {
        KeyOutcome out = CompleteKey(field, key, list.Search());
        ASSERT_TRUE(out.replaceEdit);
        field = out.edit;
    }
    EXPECT_EQ(field.text, "tbody");
    EXPECT_EQ(field.selStart, 2u);
    KeyOutcome out = CompleteKey(field, 'z', list.Search());
    EXPECT_FALSE(out.consumed);
    EXPECT_EQ(list.searched.back(), "tbz");
}

TEST(CompleteKey, EmptyListNeverCompletes) {
    FakeList list;
    KeyOutcome out = CompleteKey(EditField{}, 'a', list.Search());
    EXPECT_FALSE(out.consumed);
    EXPECT_TRUE(out.dropDown);
    EXPECT_FALSE(out.replaceEdit);
}

}  // namespace
