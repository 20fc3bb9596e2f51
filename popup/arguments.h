// The command-line rule of the program (composer/argument_rule.h) for wide
// text, where every character is one unit, so the wide command line is read
// exactly as the ANSI one.
#pragma once

#include <string>
#include <vector>

#include "composer/argument_rule.h"

template <class Char>
size_t OneUnit(const std::basic_string<Char>&, size_t) {
    return 1;
}

template <class Char>
std::vector<std::basic_string<Char>> SplitArguments(const std::basic_string<Char>& line) {
    return SplitArguments(line, OneUnit<Char>);
}

template <class Char>
std::basic_string<Char> ContentArgument(const std::basic_string<Char>& line) {
    return ContentArgument(line, OneUnit<Char>);
}
