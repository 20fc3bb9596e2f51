// The command-line rule of the program for text of any character width, so
// the wide command line can be split exactly as the ANSI one: characters
// 0x01..0x20 separate, double quotes open a stretch that may hold separators
// and are dropped, a backslash is an ordinary character. Before an argument
// starts, separators and pairs of double quotes are skipped; the list ends at
// the first argument that comes out empty.
#pragma once

#include <string>
#include <type_traits>
#include <vector>

template <class Char>
std::vector<std::basic_string<Char>> SplitArguments(const std::basic_string<Char>& line) {
    using Unit = std::make_unsigned_t<Char>;
    auto separates = [](Char c) {
        Unit u = static_cast<Unit>(c);
        return u >= 0x01 && u <= 0x20;
    };
    const Char quote = static_cast<Char>('"');
    std::vector<std::basic_string<Char>> args;
    size_t i = 0, n = line.size();
    for (;;) {
        while (i < n && (separates(line[i]) ||
                         (line[i] == quote && i + 1 < n && line[i + 1] == quote))) {
            i += separates(line[i]) ? 1 : 2;
        }
        std::basic_string<Char> arg;
        while (i < n && !separates(line[i])) {
            if (line[i] != quote) {
                arg += line[i++];
                continue;
            }
            for (++i; i < n && line[i] != quote; ++i) arg += line[i];
            if (i < n) ++i;
        }
        if (arg.empty()) return args;
        args.push_back(arg);
    }
}
