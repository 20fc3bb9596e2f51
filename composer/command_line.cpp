#include "command_line.h"

#include "ansi_text.h"
#include "argument_rule.h"

std::vector<std::string> SplitCommandLine(const std::string& line) {
    return SplitArguments(line, CharSize);
}

std::string ContentOfCommandLine(const std::string& line) {
    return ContentArgument(line, CharSize);
}
