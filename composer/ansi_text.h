// Byte strings in the ANSI code page, read character by character. A lead
// byte with nothing after it counts as a character of its own, so no read
// ever passes the end of a text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Bytes taken by the character that starts at s[i]: 2 for a lead byte
// followed by another byte, else 1.
size_t CharSize(const std::string& s, size_t i);

// Number of Left presses that take the editor's caret across s: one per
// character, where a CR LF pair is one line break and so one press (a lone
// CR or LF is one press too).
int32_t CountCaretSteps(const std::string& s);

// 1-based position of the last occurrence of marker in s, counted in caret
// steps as above, or 0. Only occurrences that start on a character boundary
// count.
int32_t LastMarkerPosition(const std::string& marker, const std::string& s);

// s with every occurrence of marker that starts on a character boundary
// replaced by with, scanning left to right.
std::string ReplaceMarker(const std::string& s, const std::string& marker,
                          const std::string& with);
