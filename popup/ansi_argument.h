// Whether the selected text, handed over as the first argument, reaches the
// program intact: the ANSI command line holds "?" where the code page has no
// character, and that copy must never be written into the editor.
#pragma once

#include <string>

// True when the first argument after the program's path (if any) of the wide
// command line converts into the ANSI code page and back unchanged.
bool FirstArgumentFitsAnsi(const std::wstring& wideCommandLine);
