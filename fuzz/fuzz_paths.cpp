// Paths beside the executable: the folder part ends at the last separator
// character, the settings path swaps only the extension of the last name for
// ".ini", and a trail byte is never taken for "\", ":" or ".".
#include <cstdint>
#include <string>

#include "check.h"
#include "composer/paths.h"
#include "platform/platform.h"

namespace {

size_t CharLength(const std::string& s, size_t i) {
    return platform::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

bool SingleByteCharIs(const std::string& s, size_t i, const char* set) {
    return CharLength(s, i) == 1 && std::string(set).find(s[i]) != std::string::npos &&
           s[i] != '\0';
}

// True when a character of s from offset `from` on is one of set.
bool HoldsCharFrom(const std::string& s, size_t from, const char* set) {
    for (size_t i = 0; i < s.size(); i += CharLength(s, i)) {
        if (i >= from && SingleByteCharIs(s, i, set)) return true;
    }
    return false;
}

bool IsBoundary(const std::string& s, size_t at) {
    size_t i = 0;
    while (i < at) i += CharLength(s, i);
    return i == at;
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

void CheckListPath(const std::string& exe, const std::string& name) {
    std::string list = BesideExecutable(exe, name);
    QN_CHECK(list.size() >= name.size());
    size_t folderEnd = list.size() - name.size();
    QN_CHECK(list.compare(folderEnd, name.size(), name) == 0);
    std::string folder = list.substr(0, folderEnd);
    QN_CHECK(StartsWith(exe, folder));
    QN_CHECK(IsBoundary(exe, folderEnd));
    // The folder ends at a separator character, and none follows it.
    if (!folder.empty()) QN_CHECK(SingleByteCharIs(exe, folderEnd - 1, "\\:"));
    QN_CHECK(!HoldsCharFrom(exe, folderEnd, "\\:"));
}

void CheckSettingsPath(const std::string& exe, size_t folderEnd) {
    std::string ini = SettingsPathOf(exe);
    QN_CHECK(ini.size() >= 4 && ini.compare(ini.size() - 4, 4, ".ini") == 0);
    size_t stem = ini.size() - 4;
    QN_CHECK(StartsWith(exe, ini.substr(0, stem)));
    QN_CHECK(stem >= folderEnd && IsBoundary(exe, stem));
    if (stem < exe.size()) {
        // Only the extension went: a "." of its own, with no "." or
        // separator after it.
        QN_CHECK(SingleByteCharIs(exe, stem, "."));
        QN_CHECK(!HoldsCharFrom(exe, stem + 1, ".\\:"));
    } else {
        QN_CHECK(!HoldsCharFrom(exe, folderEnd, "."));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string exe(reinterpret_cast<const char*>(data), size);
    for (const char* name : {"html.dat", "attribute.dat", "empty.dat", ""}) CheckListPath(exe, name);
    std::string list = BesideExecutable(exe, "");
    CheckSettingsPath(exe, list.size());
    // The folder is the same whatever the name of the executable in it.
    QN_CHECK(BesideExecutable(list + "q.exe", "") == list);
    return 0;
}
