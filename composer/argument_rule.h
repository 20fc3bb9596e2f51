// The program's command-line rule, for text of any character width, so the
// ANSI command line and the wide one are read alike: characters 0x01..0x20
// separate, double quotes open a stretch that may hold separators and are
// dropped, a backslash is an ordinary character, and the line ends at its
// first NUL. The caller says how many units each character takes
// (width(line, i)), so a double-byte character is read as one and its trail
// byte is never taken for a quote.
#pragma once

#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

template <class Char>
bool IsArgumentSeparator(Char c) {
    auto u = static_cast<std::make_unsigned_t<Char>>(c);
    return u >= 0x01 && u <= 0x20;
}

// Where the next argument starts: separators and pairs of double quotes
// before it are skipped.
template <class Char>
size_t SkipToArgument(const std::basic_string<Char>& line, size_t i) {
    const Char quote = static_cast<Char>('"');
    for (;;) {
        while (i < line.size() && IsArgumentSeparator(line[i])) ++i;
        if (i + 1 >= line.size() || line[i] != quote || line[i + 1] != quote) return i;
        i += 2;
    }
}

// Reads the argument that starts at i; i is left just after it.
template <class Char, class Width>
std::basic_string<Char> ReadArgument(const std::basic_string<Char>& line, size_t& i, Width width) {
    const Char quote = static_cast<Char>('"');
    std::basic_string<Char> arg;
    bool quoted = false;
    while (i < line.size() && line[i] != Char() && (quoted || !IsArgumentSeparator(line[i]))) {
        if (line[i] == quote) {
            quoted = !quoted;
            ++i;
            continue;
        }
        size_t n = width(line, i);
        arg.append(line, i, n);
        i += n;
    }
    return arg;
}

// The arguments of line, the program's own path first; the list ends at the
// first argument that comes out empty.
template <class Char, class Width>
std::vector<std::basic_string<Char>> SplitArguments(const std::basic_string<Char>& line, Width width) {
    std::vector<std::basic_string<Char>> args;
    size_t i = 0;
    for (;;) {
        i = SkipToArgument(line, i);
        std::basic_string<Char> arg = ReadArgument(line, i, width);
        if (arg.empty()) return args;
        args.push_back(arg);
    }
}

// The content the editor handed over: its selection, as it wrote it after
// the program's path. The editor puts the selection in double quotes
// without escaping the quotes inside, or passes it bare, so splitting it
// into arguments would cut it short. Two forms are therefore read whole
// from the text after the path (separators at either end dropped):
//   - it begins and ends with a double quote and holds more between them:
//     everything between the first and the last quote;
//   - it holds no double quote but several arguments: the text as it stands.
// Any other line gives its first argument after the path, as the rule reads
// it; so does a text of nothing but pairs of quotes and separators, which
// the rule skips: it holds no argument. Empty means no content.
template <class Char, class Width>
std::basic_string<Char> ContentArgument(const std::basic_string<Char>& line, Width width) {
    const Char quote = static_cast<Char>('"');
    size_t i = SkipToArgument(line, 0);
    if (ReadArgument(line, i, width).empty()) return {};
    const size_t afterPath = i;
    const size_t argumentAt = SkipToArgument(line, afterPath);
    if (argumentAt == line.size() || line[argumentAt] == Char()) return {};
    while (i < line.size() && IsArgumentSeparator(line[i])) ++i;
    const size_t start = i;
    size_t end = start;  // just after the last character that is no separator
    size_t quotes = 0;
    bool endsInQuote = false;
    bool severalRuns = false;
    for (bool separated = false; i < line.size() && line[i] != Char(); i += width(line, i)) {
        if (IsArgumentSeparator(line[i])) {
            separated = true;
            continue;
        }
        severalRuns = severalRuns || separated;
        separated = false;
        endsInQuote = line[i] == quote;
        if (endsInQuote) ++quotes;
        end = i + width(line, i);
    }
    if (quotes >= 3 && line[start] == quote && endsInQuote) {
        return line.substr(start + 1, end - start - 2);
    }
    if (quotes == 0 && severalRuns) return line.substr(start, end - start);
    i = argumentAt;
    return ReadArgument(line, i, width);
}
