#include "app_title.h"

#include "platform/platform.h"

namespace {

size_t CharBytes(const std::string& s, size_t i) {
    return platform::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// The file name after the last "\", "/" or ":" that stands on a character
// boundary; a 0x5C trail byte is part of its character, not a separator.
std::string FileName(const std::string& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); i += CharBytes(path, i)) {
        char c = path[i];
        if (c == '\\' || c == '/' || c == ':') start = i + 1;
    }
    return path.substr(start);
}

}  // namespace

std::string ApplicationTitle(const std::string& exePath) {
    std::string name = FileName(exePath);
    std::string title;
    for (size_t i = 0; i < name.size();) {
        size_t n = CharBytes(name, i);
        if (n == 1 && name[i] == '.') break;
        std::string ch = name.substr(i, n);
        if (i > 0 && n == 1 && ch[0] >= 'A' && ch[0] <= 'Z') ch[0] = static_cast<char>(ch[0] - 'A' + 'a');
        title += ch;
        i += n;
    }
    return title;
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

UserText ErrorBoxUserText(UserText message) {
    std::string bytes = message.Bytes();
    if (ErrorBoxText(bytes).size() > bytes.size()) message.Ansi(".");
    return message;
}
