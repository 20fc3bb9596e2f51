// The application's title, shown as the caption of the notice and error
// boxes, and the text of the error box. Byte strings in the ANSI code page.
#pragma once

#include <string>

#include "composer/user_text.h"

// The executable's name without its folder, cut before its first dot, with
// the single-byte letters after the first character lowered. Double-byte
// characters stay as they are: their trail bytes may look like capitals.
std::string ApplicationTitle(const std::string& exePath);

// message, followed by "." when its last byte sorts after "." (as unsigned
// bytes), so a sentence gets its full stop and a path or "..." is left alone.
std::string ErrorBoxText(const std::string& message);
// The same for a text of pieces, judged by its last byte.
UserText ErrorBoxUserText(UserText message);
