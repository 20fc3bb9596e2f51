#include "settings.h"

#include "platform/platform.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Length of the hexadecimal mark at s[i], or 0 when there is none.
size_t HexMarkLength(const std::string& s, size_t i) {
    if (s.compare(i, 2, "0x") == 0 || s.compare(i, 2, "0X") == 0) return 2;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) return 1;
    return 0;
}

std::optional<int32_t> ConvertHex(const std::string& s, size_t i) {
    if (i == s.size()) return std::nullopt;
    uint64_t value = 0;
    for (; i < s.size(); ++i) {
        int d = HexDigit(s[i]);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(d);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::optional<int32_t> ConvertDecimal(const std::string& s, size_t i) {
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    if (i == s.size()) return std::nullopt;
    const uint64_t limit = negative ? 2147483648u : 2147483647u;
    uint64_t value = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(s[i] - '0');
        if (value > limit) return std::nullopt;
    }
    int64_t signedValue = negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
    return static_cast<int32_t>(signedValue);
}

}  // namespace

std::optional<int32_t> ConvertSettingsInt(const std::string& text) {
    std::string s = text;
    if (s.size() > 2 && (s.compare(0, 2, "0x") == 0 || s.compare(0, 2, "0X") == 0)) {
        s.replace(0, 2, "$");
    }
    size_t i = s.find_first_not_of(' ');
    if (i == std::string::npos) return std::nullopt;
    size_t mark = HexMarkLength(s, i);
    return mark ? ConvertHex(s, i + mark) : ConvertDecimal(s, i);
}

int32_t ReadSettingsInt(const std::string& path, const std::string& section,
                        const std::string& key, int32_t fallback) {
    return ConvertSettingsInt(platform::ReadProfileString(path, section, key)).value_or(fallback);
}

std::string ReadSettingsText(const std::string& path, const std::string& section,
                             const std::string& key, const std::string& fallback) {
    std::string value = platform::ReadProfileString(path, section, key);
    return value.empty() ? fallback : value;
}
