// Word lists: plain text beside the executable, one entry a line, taken byte
// for byte as written.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "user_text.h"

using WordList = std::vector<std::string>;

// Raised when a list can't be opened; its message is the Shift-JIS text
// "ファイル <path> は開けません" shown to the user in the error box, and Text()
// the same with the path kept apart from the program's own words. It keeps
// its text itself: the library's runtime_error would bring a second string
// implementation into the program for this one message.
class FileOpenError : public std::exception {
public:
    explicit FileOpenError(const std::string& path);
    const char* what() const noexcept override { return message_.c_str(); }
    UserText Text() const;

private:
    std::string path_;
    std::string message_;  // Text() joined, kept for what()
};

// Splits bytes into lines at CR LF, lone CR or lone LF. Text after the last
// break is a last entry; a break at the very end adds none. The text ends at
// its first NUL byte.
WordList SplitLines(const std::string& bytes);

// Reads the list at path; throws FileOpenError when it can't be opened.
WordList LoadWordList(const std::string& path);

// True when some entry equals name, ignoring case alone (the user's locale).
bool IsEmptyElement(const WordList& emptyList, const std::string& name);
