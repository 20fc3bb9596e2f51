// Conversions between the program's byte strings and the system's wide
// text. Byte strings are in the system's ANSI code page, except the program's
// own Japanese sentences, which are Shift-JIS (code page 932) everywhere.
#pragma once

#include <windows.h>

#include <string>

#include "composer/user_text.h"

std::wstring Widen(const std::string& ansi);
std::string Narrow(const std::wstring& wide);
// How many wide characters the ANSI text becomes.
size_t WideLength(const std::string& ansi);

// Each piece from its own code page, joined: what a message box shows.
std::wstring WideUserText(const UserText& text);
