// Whether the selected text, handed over as the argument, reaches the
// program intact: the ANSI command line holds "?" where the code page has no
// character, and that copy must never be written into the editor.
#pragma once

#include <string>

// True when the content of the wide command line (the whole selection, read
// by the same rule as the ANSI line) converts into the ANSI code page and
// back unchanged, or when there is none.
bool ContentFitsAnsi(const std::wstring& wideCommandLine);
