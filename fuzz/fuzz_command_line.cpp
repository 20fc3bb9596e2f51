// The command-line rule: arguments are never empty and never hold a quote
// of their own; without quotes in the line, they are exactly its
// separator-free runs; and quoting them again gives them back. The content:
// the first argument after the path or a stretch of the line as it stands;
// and any text, taken as a selection that the editor quotes or passes bare,
// comes back whole.
#include <cstdint>
#include <string>
#include <vector>

#include "check.h"
#include "composer/command_line.h"
#include "platform/platform.h"

namespace {

using Args = std::vector<std::string>;

size_t CharLength(const std::string& s, size_t i) {
    return platform::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

bool IsSeparator(char c) { return c >= 0x01 && c <= 0x20; }

// True when c stands in s as a character of its own, not as a trail byte.
bool HoldsChar(const std::string& s, bool (*match)(char)) {
    for (size_t i = 0; i < s.size(); i += CharLength(s, i)) {
        if (CharLength(s, i) == 1 && match(s[i])) return true;
    }
    return false;
}

bool IsQuote(char c) { return c == '"'; }

bool EndsInLoneLeadByte(const std::string& s) {
    size_t i = 0;
    size_t last = 0;
    for (; i < s.size(); i += CharLength(s, i)) last = i;
    return !s.empty() && CharLength(s, last) == 1 &&
           platform::IsLeadByte(static_cast<unsigned char>(s[last]));
}

// The separator-free runs of a line without quotes, read by characters.
Args Runs(const std::string& line) {
    Args runs;
    std::string run;
    for (size_t i = 0; i < line.size(); i += CharLength(line, i)) {
        size_t n = CharLength(line, i);
        if (n == 1 && line[i] == '\0') break;
        if (n == 1 && IsSeparator(line[i])) {
            if (!run.empty()) runs.push_back(run);
            run.clear();
            continue;
        }
        run.append(line, i, n);
    }
    if (!run.empty()) runs.push_back(run);
    return runs;
}

// The arguments' bytes appear in the line in the same order.
bool IsSubsequence(const Args& args, const std::string& line) {
    size_t at = 0;
    for (const std::string& arg : args) {
        for (char c : arg) {
            at = line.find(c, at);
            if (at == std::string::npos) return false;
            ++at;
        }
    }
    return true;
}

// s without the separators at its ends, read by characters.
std::string Trimmed(const std::string& s) {
    size_t from = s.size(), to = 0;
    for (size_t i = 0; i < s.size(); i += CharLength(s, i)) {
        if (CharLength(s, i) == 1 && IsSeparator(s[i])) continue;
        from = from < i ? from : i;
        to = i + CharLength(s, i);
    }
    return from < to ? s.substr(from, to - from) : "";
}

// True when s holds nothing but separators and pairs of double quotes.
bool OnlyQuotePairs(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        if (IsSeparator(s[i])) {
            ++i;
        } else if (s.compare(i, 2, "\"\"") == 0) {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

void CheckContent(const std::string& line, const std::string& shown, const Args& shownArgs) {
    std::string content = ContentOfCommandLine(shown);
    if (!EndsInLoneLeadByte(shown)) QN_CHECK(ContentOfCommandLine(line) == content);
    std::string first = shownArgs.size() >= 2 ? shownArgs[1] : "";
    QN_CHECK(content == first || shown.find(content) != std::string::npos);
    QN_CHECK(first.empty() || !content.empty());

    // A selection of quote pairs alone, once quoted, is skipped like any
    // pairs of quotes.
    std::string quoted = "\"" + shown + "\"";
    if (!shown.empty() && !EndsInLoneLeadByte(shown)) {
        QN_CHECK(ContentOfCommandLine("q.exe " + quoted) == (OnlyQuotePairs(quoted) ? "" : shown));
    }
    if (!HoldsChar(shown, IsQuote)) {
        QN_CHECK(ContentOfCommandLine("q.exe " + shown) == Trimmed(shown));
    }
}

std::string Quoted(const Args& args) {
    std::string line;
    for (const std::string& arg : args) line += (line.empty() ? "\"" : " \"") + arg + "\"";
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string line(reinterpret_cast<const char*>(data), size);
    Args args = SplitCommandLine(line);
    QN_CHECK(IsSubsequence(args, line));
    // What the system hands over ends at its NUL. Only a lead byte just
    // before that NUL could take it as its trail byte and read on.
    std::string shown = line.substr(0, line.find('\0'));
    Args shownArgs = SplitCommandLine(shown);
    if (!EndsInLoneLeadByte(shown)) QN_CHECK(args == shownArgs);
    bool tailAlone = false;
    for (const std::string& arg : shownArgs) {
        QN_CHECK(!arg.empty());
        QN_CHECK(!HoldsChar(arg, IsQuote));
        tailAlone = tailAlone || EndsInLoneLeadByte(arg);
    }
    if (!HoldsChar(shown, IsQuote)) {
        QN_CHECK(shownArgs == Runs(shown));
        for (const std::string& arg : shownArgs) QN_CHECK(!HoldsChar(arg, IsSeparator));
    }
    // A closing quote after a lone lead byte would become its trail byte.
    if (!tailAlone) QN_CHECK(SplitCommandLine(Quoted(shownArgs)) == shownArgs);
    CheckContent(line, shown, shownArgs);
    return 0;
}
