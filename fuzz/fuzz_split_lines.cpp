// Word-list splitting: the entries, joined again with one line end, give back
// the text up to its first NUL with every line end in one form, and the same
// text with other line-end forms splits the same way.
#include <cstdint>
#include <string>

#include "check.h"
#include "composer/word_list.h"

namespace {

std::string UpToNul(const std::string& s) { return s.substr(0, s.find('\0')); }

// CR LF and lone CR both become LF; LF CR stays two breaks.
std::string WithLfOnly(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
        out += s[i] == '\r' ? '\n' : s[i];
    }
    return out;
}

std::string WithCrLf(const std::string& lfOnly) {
    std::string out;
    for (char c : lfOnly) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

std::string Joined(const WordList& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

size_t Count(const std::string& s, char c) {
    size_t n = 0;
    for (char x : s) n += x == c;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    WordList lines = SplitLines(bytes);
    for (const std::string& line : lines) {
        QN_CHECK(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
    }
    std::string text = WithLfOnly(UpToNul(bytes));
    // A break at the very end adds no entry; text after the last break does.
    bool openLast = !text.empty() && text.back() != '\n';
    QN_CHECK(lines.size() == Count(text, '\n') + (openLast ? 1 : 0));
    QN_CHECK(lines.size() <= UpToNul(bytes).size());
    QN_CHECK(Joined(lines) == (openLast ? text + "\n" : text));
    QN_CHECK(SplitLines(text) == lines);
    QN_CHECK(SplitLines(WithCrLf(text)) == lines);
    return 0;
}
