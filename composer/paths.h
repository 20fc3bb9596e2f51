// Where the settings file and the word lists live: beside the executable.
// Separators are searched character by character, so the second byte of a
// double-byte character (0x5C in many Shift-JIS names) is never taken for "\".
#pragma once

#include <string>

// exePath with its extension (from the last "." after the last "\" or ":")
// replaced by ".ini", or ".ini" appended when the name has no ".".
std::string SettingsPathOf(const std::string& exePath);

// The folder part of exePath, up to and including its last "\" or ":"
// (empty when there is none), followed by fileName.
std::string BesideExecutable(const std::string& exePath, const std::string& fileName);
