#include "paths.h"

#include "ansi_text.h"

namespace {

// Offsets of the last path separator and of the last "." after it, or npos.
struct NameBounds {
    size_t separator = std::string::npos;
    size_t dot = std::string::npos;
};

NameBounds FindNameBounds(const std::string& path) {
    NameBounds b;
    for (size_t i = 0; i < path.size(); i += CharSize(path, i)) {
        char c = path[i];
        if (CharSize(path, i) != 1) continue;
        if (c == '\\' || c == ':') {
            b.separator = i;
            b.dot = std::string::npos;
        } else if (c == '.') {
            b.dot = i;
        }
    }
    return b;
}

}  // namespace

std::string SettingsPathOf(const std::string& exePath) {
    NameBounds b = FindNameBounds(exePath);
    return exePath.substr(0, b.dot) + ".ini";
}

std::string BesideExecutable(const std::string& exePath, const std::string& fileName) {
    NameBounds b = FindNameBounds(exePath);
    size_t folderEnd = b.separator == std::string::npos ? 0 : b.separator + 1;
    return exePath.substr(0, folderEnd) + fileName;
}
