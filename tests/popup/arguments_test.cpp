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

struct ContentCase {
    const char* line;
    const char* content;
};

// Lines of single-byte text: the wide rule must take the same content as the
// ANSI one.
const ContentCase kContentCases[] = {
    {"q.exe", ""},
    {"q.exe abc", "abc"},
    {"q.exe \"a b\"", "a b"},
    {"q.exe a\"b c\"d", "ab cd"},
    {"q.exe \"\"", ""},
    {"q.exe \"\" abc", "abc"},
    {"q.exe \"a b\" c", "a b"},
    {"q.exe \"<a href=\"x\">go</a>\"", "<a href=\"x\">go</a>"},
    {"q.exe \"say \"hi there\" now\" \t", "say \"hi there\" now"},
    {"q.exe \"\"\"", "\""},
    {"q.exe \"\"\"\"", ""},
    {"q.exe hello world", "hello world"},
    {"q.exe  a \t b\r\n", "a \t b"},
    {"\"C:\\Program Files\\q.exe\" \"a\" \"b\"", "a\" \"b"},
};

TEST(ContentArgument, AgreesWithTheCommandLineRuleOnBytes) {
    for (const ContentCase& c : kContentCases) {
        EXPECT_EQ(ContentArgument(std::string(c.line)), c.content) << c.line;
        EXPECT_EQ(ContentOfCommandLine(c.line), c.content) << c.line;
    }
}

TEST(ContentArgument, TakesWideSelectionsWhole) {
    EXPECT_EQ(ContentArgument(std::wstring(L"q \"\u65e5 \"\u672c\" \u00e9\"")), L"\u65e5 \"\u672c\" \u00e9");
    EXPECT_EQ(ContentArgument(std::wstring(L"q \u65e5\u672c  \u00e9 ")), L"\u65e5\u672c  \u00e9");
    EXPECT_EQ(ContentArgument(std::wstring(L"q \"\u65e5 \u672c\" \u00e9")), L"\u65e5 \u672c");
    EXPECT_EQ(ContentArgument(std::wstring(L"q")), L"");
}

// Characters beyond the byte range are never separators or quotes, whatever
// their low byte says.
TEST(SplitArguments, WideCharactersWithSeparatorLikeLowBytesStayInTheArgument) {
    std::vector<std::wstring> args = SplitArguments(std::wstring(L"q \u0120\u0122x"));
    ASSERT_EQ(args.size(), 2u);
    EXPECT_EQ(args[1], L"\u0120\u0122x");
    EXPECT_EQ(ContentArgument(std::wstring(L"q \u0120\u0122x")), L"\u0120\u0122x");
    EXPECT_EQ(ContentArgument(std::wstring(L"q \u0122a\u0120b\u0122")), L"\u0122a\u0120b\u0122");
}

}  // namespace
