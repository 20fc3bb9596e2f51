// POSIX stand-ins for the Windows services, so the composer builds and runs
// natively. The ANSI code page is taken to be 932 (Shift-JIS). Paths arrive
// in the Windows form the composer uses, "\" between folders; they are turned
// into POSIX paths here, character by character, so a Shift-JIS trail byte
// 0x5C stays part of its name.
#include "platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <vector>

namespace platform {
namespace {

const size_t kProfileBuffer = 2048;

size_t CharSize(const std::string& s, size_t i) {
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

std::string ToPosixPath(const std::string& path) {
    std::string out;
    for (size_t i = 0; i < path.size(); i += CharSize(path, i)) {
        if (CharSize(path, i) == 1 && path[i] == '\\') {
            out += '/';
        } else {
            out.append(path, i, CharSize(path, i));
        }
    }
    return out;
}

std::string ToWindowsPath(const std::string& path) {
    std::string out = path;
    for (char& c : out) {
        if (c == '/') c = '\\';
    }
    return out;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualAsciiIgnoreCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

std::string Trim(const std::string& s) {
    size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (i + 1 < bytes.size() && bytes[i] == '\r' && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return lines;
}

// A file that starts with a byte-order mark is read as the system reader
// reads it: UTF-8 without its mark, UTF-16 narrowed to ASCII ("?" for the
// rest, which no setting here uses).
std::string WithoutByteOrderMark(const std::string& bytes) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    bool little = bytes.compare(0, 2, "\xFF\xFE") == 0;
    if (!little && bytes.compare(0, 2, "\xFE\xFF") != 0) return bytes;
    std::string narrow;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        unsigned unit = little ? static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8
                               : static_cast<unsigned char>(bytes[i]) << 8 | static_cast<unsigned char>(bytes[i + 1]);
        narrow += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return narrow;
}

std::string Unquote(const std::string& value) {
    bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                  value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

// The double-byte letters of code page 932 that have a case, as the trail
// byte ranges of their capital and small forms under one lead byte.
struct CaseRange {
    unsigned lead, upperFirst, lowerFirst, count;
};

const CaseRange kCaseRanges[] = {
    {0x82, 0x60, 0x81, 26},  // full-width Latin
    {0x83, 0x9F, 0xBF, 24},  // Greek
    {0x84, 0x40, 0x70, 15},  // Cyrillic А..Н / а..н
    {0x84, 0x4F, 0x80, 18},  // Cyrillic О..Я / о..я (0x847F is unused)
};

// The character at s[i] as a number with small letters folded to capitals.
unsigned FoldedChar(const std::string& s, size_t i) {
    if (CharSize(s, i) == 1) return static_cast<unsigned char>(AsciiUpper(s[i]));
    unsigned lead = static_cast<unsigned char>(s[i]);
    unsigned trail = static_cast<unsigned char>(s[i + 1]);
    for (const CaseRange& r : kCaseRanges) {
        if (lead == r.lead && trail >= r.lowerFirst && trail < r.lowerFirst + r.count) {
            trail = trail - r.lowerFirst + r.upperFirst;
            break;
        }
    }
    return lead << 8 | trail;
}

}  // namespace

std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return "";
    bool inSection = false;
    bool sectionSeen = false;
    for (const std::string& raw : Lines(WithoutByteOrderMark(bytes))) {
        std::string line = Trim(raw);
        size_t close = line.rfind(']');
        // A "[" line without "]" starts no section; its keys stay where they were.
        if (!line.empty() && line.front() == '[' && close != std::string::npos) {
            if (inSection) return "";
            std::string name = Trim(line.substr(1, close - 1));
            inSection = !sectionSeen && EqualAsciiIgnoreCase(name, section);
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        size_t eq = line.find('=');
        if (!inSection || eq == std::string::npos) continue;
        if (!EqualAsciiIgnoreCase(Trim(line.substr(0, eq)), key)) continue;
        return Unquote(Trim(line.substr(eq + 1))).substr(0, kProfileBuffer - 1);
    }
    return "";
}

bool EqualIgnoreCase(const std::string& a, const std::string& b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (FoldedChar(a, i) != FoldedChar(b, j)) return false;
        i += CharSize(a, i);
        j += CharSize(b, j);
    }
    return i == a.size() && j == b.size();
}

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(ToPosixPath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// A read lock on the open file stands in for the Windows sharing rule: it
// fails while a writer holds a write lock on the file.
bool ReadWholeFile(const std::string& path, std::string& bytes) {
    int fd = open(ToPosixPath(path).c_str(), O_RDONLY);
    if (fd < 0) return false;
    struct stat st {};
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    bool ok = fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode) && fcntl(fd, F_OFD_SETLK, &lock) == 0;
    bytes.clear();
    if (ok) bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    ssize_t n = 0;
    while (ok && (n = read(fd, buffer, sizeof buffer)) > 0) bytes.append(buffer, static_cast<size_t>(n));
    close(fd);
    return ok && n == 0;
}

std::string ModulePath() {
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return ToWindowsPath(std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0));
}

std::string CommandLine() {
    std::string bytes;
    if (!ReadWholeFile("\\proc\\self\\cmdline", bytes)) return "";
    // The arguments come NUL-separated and unquoted; quote each again so the
    // command-line rule gives them back as they were.
    std::string line;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\0') continue;
        line += (line.empty() ? "\"" : " \"") + bytes.substr(start, i - start) + "\"";
        start = i + 1;
    }
    return line;
}

}  // namespace platform
