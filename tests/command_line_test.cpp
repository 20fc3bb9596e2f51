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

struct ContentCase {
    const char* name;
    std::string line;
    std::string content;
};

TEST(ContentOfCommandLine, TakesTheSelectionWhole) {
    const ContentCase cases[] = {
        // Lines whose content is their first argument after the path.
        {"no line", "", ""},
        {"path alone", "q.exe", ""},
        {"path and blanks", "q.exe   \t ", ""},
        {"one word", "q.exe abc", "abc"},
        {"quoted path", "\"C:\\Program Files\\q.exe\" abc", "abc"},
        {"quoted stretch", "q.exe \"a b\"", "a b"},
        {"quotes inside a word", "q.exe a\"b c\"d", "ab cd"},
        {"pair of quotes skipped", "q.exe \"\" abc", "abc"},
        {"pair of quotes alone", "q.exe \"\"", ""},
        {"two pairs then a word", "q.exe \"\"\"\" abc", "abc"},
        {"quote left open", "q.exe \"open", "open"},
        {"lone quote", "q.exe \"", ""},
        {"three quotes then a word", "q.exe \"\"\" abc", " abc"},
        {"quoted stretch then a word", "q.exe \"a b\" c", "a b"},
        {"quote inside then a word", "q.exe a\"b\" c", "ab"},
        {"quoted after a word", "q.exe a \"b c\"", "a"},
        {"quote ends the text only", "q.exe say hi\"", "say"},
        {"backslash is ordinary", "q.exe a\\\"b c\"", "a\\b c"},
        {"trail byte 0x5C", "q.exe \x95\x5C\"x y\"", "\x95\x5Cx y"},
        {"lead byte takes the quote", "q.exe \x83\"", "\x83\""},
        {"lone lead byte at the end", "q.exe ab\x83", "ab\x83"},
        {"ends at NUL", std::string("q.exe abc\0 def", 14), "abc"},
        // A selection with quotes of its own, in quotes: between the first and
        // the last quote, byte for byte.
        {"element with attribute", "q.exe \"<a href=\"x\">go</a>\"", "<a href=\"x\">go</a>"},
        {"quoted words inside", "q.exe \"say \"hi there\" now\"", "say \"hi there\" now"},
        {"blanks at the ends kept", "q.exe \" a \"b\" \" \t", " a \"b\" "},
        {"one quote inside", "q.exe \"5\" tall\"", "5\" tall"},
        {"a quote selected", "q.exe \"\"\"", "\""},
        // Pairs of quotes alone hold no argument, whatever they stood for.
        {"two pairs of quotes", "q.exe \"\"\"\"", ""},
        {"pairs of quotes and blanks", "q.exe \"\" \"\"\t\"\"", ""},
        {"a word in two pairs", "q.exe \"\"x\"\"", "\"x\""},
        {"two quoted stretches", "q.exe \"a\" \"b\"", "a\" \"b"},
        {"line break inside", "q.exe \"a\r\n\"b\"\"", "a\r\n\"b\""},
        {"double-byte beside the quotes", "q.exe \"\x95\x5C\"\x83\x41\"\"", "\x95\x5C\"\x83\x41\""},
        // The trail byte of a double-byte character is never the last quote.
        {"lead byte before the end", "q.exe \"a\"b\x83\"", "ab\x83\""},
        // A selection without quotes, passed bare: the text as it stands.
        {"two words", "q.exe hello world", "hello world"},
        {"first second", "q.exe first second", "first second"},
        {"blanks inside kept", "q.exe a  \t b", "a  \t b"},
        {"separators at the ends dropped", "q.exe \t hello world \r\n", "hello world"},
        {"line break inside, bare", "q.exe a\r\nb", "a\r\nb"},
        {"control bytes separate", "q.exe\x01" "a\x1f" "b", "a\x1f" "b"},
        {"double-byte words", "q.exe \x93\xFA \x96\x7B", "\x93\xFA \x96\x7B"},
        {"quoted path, bare words", "\"C:\\Program Files\\q.exe\" a b", "a b"},
    };
    for (const ContentCase& c : cases) {
        EXPECT_EQ(ContentOfCommandLine(c.line), c.content) << c.name;
    }
}

}  // namespace
