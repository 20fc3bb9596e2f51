#include "popup/arguments.h"

#include <gtest/gtest.h>

#include <vector>

#include "composer/command_line.h"

namespace {

using Args = std::vector<std::string>;

struct SplitCase {
    const char* line;
    Args args;
};

const SplitCase kCases[] = {
    {"q.exe", {"q.exe"}},
    {"q.exe abc", {"q.exe", "abc"}},
    {"\"C:\\Program Files\\q.exe\" \"a b\" c", {"C:\\Program Files\\q.exe", "a b", "c"}},
    {"q.exe a\"b c\"d", {"q.exe", "ab cd"}},
    {"q.exe \"\" second", {"q.exe", "second"}},
    {"q.exe \"\"\"\"  \t second", {"q.exe", "second"}},
    {"q.exe \"open to the end", {"q.exe", "open to the end"}},
    {"q.exe \"", {"q.exe"}},
    {"q.exe C:\\dir\\ \\\"x", {"q.exe", "C:\\dir\\", "\\x"}},
    {"q.exe\x01" "a\x1f" "b", {"q.exe", "a", "b"}},
    {"   ", {}},
    {"q.exe \x95\x5C \x83\x41", {"q.exe", "\x95\x5C", "\x83\x41"}},
};

// The program's own rule, for bytes: the wide split must agree with it.
TEST(SplitArguments, AgreesWithTheCommandLineRuleOnBytes) {
    for (const SplitCase& c : kCases) {
        EXPECT_EQ(SplitArguments(std::string(c.line)), c.args) << c.line;
        EXPECT_EQ(SplitCommandLine(c.line), c.args) << c.line;
    }
}

TEST(SplitArguments, SplitsWideTextTheSameWay) {
    std::vector<std::wstring> args =
        SplitArguments(std::wstring(L"\"C:\\q\\q.exe\" \"\u65e5\u672c \u00e9\" \"\" next"));
    ASSERT_EQ(args.size(), 3u);
    EXPECT_EQ(args[0], L"C:\\q\\q.exe");
    EXPECT_EQ(args[1], L"\u65e5\u672c \u00e9");
    EXPECT_EQ(args[2], L"next");
}

// Characters beyond the byte range are never separators or quotes, whatever
// their low byte says.
TEST(SplitArguments, WideCharactersWithSeparatorLikeLowBytesStayInTheArgument) {
    std::vector<std::wstring> args = SplitArguments(std::wstring(L"q \u0120\u0122x"));
    ASSERT_EQ(args.size(), 2u);
    EXPECT_EQ(args[1], L"\u0120\u0122x");
}

}  // namespace
