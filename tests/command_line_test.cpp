#include "composer/command_line.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

struct CommandLineCase {
    std::string line;
    Args args;
};

TEST(SplitCommandLine, FollowsTheArgumentRule) {
    const CommandLineCase cases[] = {
        {"", {}},
        {"q.exe", {"q.exe"}},
        {"q.exe abc", {"q.exe", "abc"}},
        {"\"C:\\Program Files\\q.exe\" abc", {"C:\\Program Files\\q.exe", "abc"}},
        {"q.exe \"a b\"", {"q.exe", "a b"}},
        {"q.exe a\"b c\"d", {"q.exe", "ab cd"}},
        {"q.exe \"\" abc", {"q.exe", "abc"}},                 // a lone pair is skipped
        {"q.exe \"\"\"\" abc", {"q.exe", "abc"}},
        {"q.exe \"open", {"q.exe", "open"}},                  // a quote left open runs to the end
        {"q.exe \"", {"q.exe"}},                              // comes out empty: counting stops
        {"q.exe \"\"\" abc", {"q.exe", " abc"}},
        {"q.exe\t\x01\x20x", {"q.exe", "x"}},                 // 0x01..0x20 all separate
        {"q.exe a\\\"b c\"", {"q.exe", "a\\b c"}},            // backslash is ordinary
        {"q.exe \x95\x5C\"x y\"", {"q.exe", "\x95\x5Cx y"}},
        {"q.exe \x83\"", {"q.exe", "\x83\""}},                // a lead byte takes the quote as its trail
        {"q.exe ab\x83", {"q.exe", "ab\x83"}},
        {"q.exe first second", {"q.exe", "first", "second"}},
    };
    for (const CommandLineCase& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.line), c.args) << c.line;
    }
}

}  // namespace
