// Values of the settings file: integers ("Mode"/"XHTML", "Pos"/"Width", ...)
// and texts ("Editor"/"Frame", "Editor"/"View").
// Nothing here fails: a missing file, section or key, or a value that does
// not convert, gives the caller's default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Converts a settings value: blanks at the start skipped, then an optional
// sign and decimal digits, or a hexadecimal mark ("$", "x", "X", "0x", "0X")
// and hex digits. Anything after the digits, an out-of-range decimal or a
// hex value above 0xFFFFFFFF fails. Hex keeps its 32 bits (0xFFFFFFFF is -1).
std::optional<int32_t> ConvertSettingsInt(const std::string& text);

// One integer of the settings file at path, or fallback.
int32_t ReadSettingsInt(const std::string& path, const std::string& section,
                        const std::string& key, int32_t fallback);

// One text of the settings file at path, or fallback when it is missing or
// empty.
std::string ReadSettingsText(const std::string& path, const std::string& section,
                             const std::string& key, const std::string& fallback);
