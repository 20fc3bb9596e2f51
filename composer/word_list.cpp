#include "word_list.h"

#include "platform/platform.h"

namespace {

// "ファイル %s は開けません" (the file %s can't be opened), in Shift-JIS.
const char kCantOpenBefore[] = "\x83\x74\x83\x40\x83\x43\x83\x8B\x20";
const char kCantOpenAfter[] = "\x20\x82\xCD\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1";

// Line breaks before end: CR LF, lone CR and lone LF each count once.
size_t CountBreaks(const std::string& bytes, size_t end) {
    size_t breaks = 0;
    for (size_t i = 0; i < end; ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == end || bytes[i + 1] != '\n'))) ++breaks;
    }
    return breaks;
}

}  // namespace

FileOpenError::FileOpenError(const std::string& path)
    : path_(path), message_(Text().Bytes()) {}

UserText FileOpenError::Text() const { return UserText().Own(kCantOpenBefore).Ansi(path_).Own(kCantOpenAfter); }

WordList SplitLines(const std::string& bytes) {
    WordList lines;
    const size_t end = bytes.find('\0') == std::string::npos ? bytes.size() : bytes.find('\0');
    // Reserved at once, a long list isn't moved again and again as it grows.
    lines.reserve(CountBreaks(bytes, end) + 1);
    size_t start = 0;
    size_t i = 0;
    while (i < end) {
        char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.push_back(bytes.substr(start, i - start));
        i += (c == '\r' && i + 1 < end && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < end) lines.push_back(bytes.substr(start, end - start));
    return lines;
}

WordList LoadWordList(const std::string& path) {
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) throw FileOpenError(path);
    return SplitLines(bytes);
}

bool IsEmptyElement(const WordList& emptyList, const std::string& name) {
    for (const std::string& entry : emptyList) {
        if (platform::EqualIgnoreCase(entry, name)) return true;
    }
    return false;
}
