// The command line split into arguments by the rule the program has always
// used: bytes 0x01..0x20 separate, double quotes open a stretch that may hold
// separators and are dropped, a backslash is an ordinary byte.
#pragma once

#include <string>
#include <vector>

// The arguments of line, the program's own path first. Before an argument
// starts, separators and pairs of double quotes are skipped; the list ends at
// the first argument that comes out empty.
std::vector<std::string> SplitCommandLine(const std::string& line);
