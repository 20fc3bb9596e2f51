// Test folders are removed whole, read-only files included, however the
// case that made them ended.
#pragma once

#include <string>

// Deletes the folder at path with everything in it; whatever can't go stays.
void RemoveTree(const std::string& path);
