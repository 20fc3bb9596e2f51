#include "command_line.h"

#include "ansi_text.h"

namespace {

bool IsSeparator(char c) {
    unsigned char b = static_cast<unsigned char>(c);
    return b >= 0x01 && b <= 0x20;
}

// Skips separators and pairs of double quotes; returns where the next
// argument starts.
size_t SkipToArgument(const std::string& line, size_t i) {
    for (;;) {
        while (i < line.size() && IsSeparator(line[i])) ++i;
        if (line.compare(i, 2, "\"\"") != 0) return i;
        i += 2;
    }
}

// Reads one argument starting at i; i is left after it.
std::string ReadArgument(const std::string& line, size_t& i) {
    std::string arg;
    bool quoted = false;
    while (i < line.size() && line[i] != '\0' && (quoted || !IsSeparator(line[i]))) {
        if (line[i] == '"') {
            quoted = !quoted;
            ++i;
            continue;
        }
        size_t n = CharSize(line, i);
        arg.append(line, i, n);
        i += n;
    }
    return arg;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> args;
    size_t i = 0;
    for (;;) {
        i = SkipToArgument(line, i);
        std::string arg = ReadArgument(line, i);
        if (arg.empty()) return args;
        args.push_back(arg);
    }
}
