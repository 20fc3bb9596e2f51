// The narrow set of system services the composer relies on. win32_platform.cpp
// implements them with the Windows services; posix_platform.cpp stands in for
// them on other systems so the logic can be built and tested natively. Text is
// bytes in the system ANSI code page (code page 932 on the POSIX side).
#pragma once

#include <string>

namespace platform {

// Value of key in section of the INI file at path, as the private-profile
// reader returns it into a 2048-byte buffer (at most 2047 bytes); empty when
// the file, section or key is missing.
std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key);

// True when a and b are equal for the user's locale ignoring case only:
// widths, kana types and blanks still count.
bool EqualIgnoreCase(const std::string& a, const std::string& b);

// True when b starts a double-byte character in the ANSI code page.
bool IsLeadByte(unsigned char b);

// True when path names an existing file (a folder does not count).
bool FileExists(const std::string& path);

// Reads the whole file into bytes, with other programs denied writing while it
// is open. False when it can't be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Full path of the running executable.
std::string ModulePath();

// The process's command line, as the system hands it over.
std::string CommandLine();

}  // namespace platform
