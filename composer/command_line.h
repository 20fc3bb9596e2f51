// The command line split into arguments by the rule the program has always
// used (argument_rule.h), read as ANSI text: a double-byte character is one
// character, so its trail byte never counts as a quote or a separator.
#pragma once

#include <string>
#include <vector>

// The arguments of line, the program's own path first. Before an argument
// starts, separators and pairs of double quotes are skipped; the list ends at
// the first argument that comes out empty.
std::vector<std::string> SplitCommandLine(const std::string& line);

// The selection the editor handed over after the program's path, whole:
// inner quotes and blanks kept where the editor wrote them (see
// ContentArgument). Empty when there is none.
std::string ContentOfCommandLine(const std::string& line);
