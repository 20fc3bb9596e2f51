// The word lists that ship in data/, read from the source tree: what a user
// relies on when the popup opens with them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "composer/word_list.h"
#include "popup/completion.h"

namespace {

const char* const kListNames[] = {"html.dat", "attribute.dat", "empty.dat"};

std::string ListPath(const std::string& name) { return std::string(QN_DATA_DIR) + name; }

std::string ReadBytes(const std::string& name) {
    std::ifstream in(ListPath(name), std::ios::binary);
    EXPECT_TRUE(in) << ListPath(name);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool StartsWithIgnoringCase(const std::string& entry, const std::string& prefix) {
    return entry.size() >= prefix.size() && Lower(entry.substr(0, prefix.size())) == Lower(prefix);
}

// Types the letters one by one into an empty entry field as the popup's combo
// box completes them from the list, and returns what the field then holds.
std::string TypeInto(const WordList& list, const std::string& letters) {
    PrefixSearch search = [&list](const std::string& prefix, std::string& entry) {
        for (size_t i = 0; i < list.size(); ++i) {
            if (StartsWithIgnoringCase(list[i], prefix)) {
                entry = list[i];
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    EditField field;
    for (char key : letters) {
        KeyOutcome out = CompleteKey(field, key, search);
        if (out.replaceEdit) {
            field = out.edit;
        } else if (!out.consumed) {
            field.text = field.text.substr(0, field.selStart) + key + field.text.substr(field.selEnd);
            field.selStart = field.selEnd = field.selStart + 1;
        }
    }
    return field.text;
}

TEST(ShippedLists, AsciiWithCrLfLineEnds) {
    for (const char* name : kListNames) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadBytes(name);
        ASSERT_FALSE(bytes.empty());
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "the last line ends with CR LF";
        EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
        for (size_t i = 0; i < bytes.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(bytes[i]);
            if (c == '\r') {
                EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at byte " << i;
            } else if (c == '\n') {
                EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at byte " << i;
            } else {
                EXPECT_TRUE(c >= 0x21 && c <= 0x7E) << "byte " << i << " is " << int(c);
            }
        }
    }
}

TEST(ShippedLists, NoBlankLineAndNoDuplicate) {
    for (const char* name : kListNames) {
        SCOPED_TRACE(name);
        const WordList entries = LoadWordList(ListPath(name));
        ASSERT_FALSE(entries.empty());
        std::set<std::string> seen;
        for (const std::string& e : entries) {
            EXPECT_FALSE(e.empty()) << "blank line";
            EXPECT_TRUE(seen.insert(Lower(e)).second) << "duplicate " << e;
        }
    }
}

TEST(ShippedLists, EveryAttributeLeavesTheCaretBetweenItsQuotes) {
    for (const std::string& e : LoadWordList(ListPath("attribute.dat"))) {
        ASSERT_GT(e.size(), 3u) << e;
        const std::string name = e.substr(0, e.size() - 3);
        EXPECT_EQ(e.substr(name.size()), "=\"\"") << e;
        EXPECT_EQ(name.find_first_of("=\" "), std::string::npos) << e;
    }
}

TEST(ShippedLists, EmptyListHoldsTheVoidElementsAllOfferedByTheTagList) {
    WordList empty = LoadWordList(ListPath("empty.dat"));
    const WordList tags = LoadWordList(ListPath("html.dat"));
    for (const std::string& name : empty) {
        EXPECT_NE(std::find(tags.begin(), tags.end(), name), tags.end()) << name;
    }
    std::sort(empty.begin(), empty.end());
    EXPECT_EQ(empty, (WordList{"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta",
                               "source", "track", "wbr"}));
}

struct CompletionRow {
    const char* list;
    const char* typed;
    const char* completes;
};

// The most used name comes first for its first letters, so the fewest keys
// reach it; the others are still reached by typing on.
const CompletionRow kCompletions[] = {
    {"html.dat", "a", "a"},
    {"html.dat", "ab", "abbr"},
    {"html.dat", "d", "div"},
    {"html.dat", "dia", "dialog"},
    {"html.dat", "s", "span"},
    {"html.dat", "se", "section"},
    {"html.dat", "p", "p"},
    {"html.dat", "pr", "pre"},
    {"html.dat", "l", "li"},
    {"html.dat", "lin", "link"},
    {"html.dat", "t", "table"},
    {"html.dat", "td", "td"},
    {"html.dat", "u", "ul"},
    {"html.dat", "mat", "math"},
    {"html.dat", "sv", "svg"},
    {"html.dat", "selectedc", "selectedcontent"},
    {"attribute.dat", "a", "alt=\"\""},
    {"attribute.dat", "c", "class=\"\""},
    {"attribute.dat", "ci", "cite=\"\""},
    {"attribute.dat", "cols=", "cols=\"\""},
    {"attribute.dat", "h", "href=\"\""},
    {"attribute.dat", "he", "height=\"\""},
    {"attribute.dat", "i", "id=\"\""},
    {"attribute.dat", "n", "name=\"\""},
    {"attribute.dat", "t", "type=\"\""},
    {"attribute.dat", "v", "value=\"\""},
    {"attribute.dat", "s", "src=\"\""},
    {"attribute.dat", "r", "rel=\"\""},
    {"attribute.dat", "ro", "role=\"\""},
    {"attribute.dat", "aria-", "aria-label=\"\""},
    {"attribute.dat", "as=", "as=\"\""},
};

TEST(ShippedLists, FirstLettersCompleteToTheMostUsedName) {
    for (const CompletionRow& row : kCompletions) {
        SCOPED_TRACE(std::string(row.list) + ": " + row.typed);
        EXPECT_EQ(TypeInto(LoadWordList(ListPath(row.list)), row.typed), row.completes);
    }
}

}  // namespace
