// The system services, on Windows, through their ANSI entry points.
#include "platform.h"

#include <windows.h>

#include <vector>

namespace platform {

std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key) {
    char buffer[2048];
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer,
                                       path.c_str());
    return std::string(buffer, n);
}

bool EqualIgnoreCase(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

bool IsLeadByte(unsigned char b) { return IsDBCSLeadByte(b) != FALSE; }

bool FileExists(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(path.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Shared for reading only: a list that another program holds open for
// writing can't be opened, and none can be changed while it is read.
bool ReadWholeFile(const std::string& path, std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    LARGE_INTEGER size{};
    if (GetFileSizeEx(h, &size) && size.QuadPart < (1LL << 30)) bytes.reserve(static_cast<size_t>(size.QuadPart));
    char buffer[65536];
    DWORD n = 0;
    BOOL ok = TRUE;
    while ((ok = ReadFile(h, buffer, sizeof buffer, &n, nullptr)) && n > 0) bytes.append(buffer, n);
    CloseHandle(h);
    return ok != FALSE;
}

std::string ModulePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

std::string CommandLine() { return GetCommandLineA(); }

}  // namespace platform
