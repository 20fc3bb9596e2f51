// Settings values: the conversion is checked against a reading of the same
// rule made with digit strings instead of arithmetic, and against round trips
// of the value it gives.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "check.h"
#include "composer/settings.h"

namespace {

bool AllOf(const std::string& s, const char* digits) {
    return !s.empty() && s.find_first_not_of(digits) == std::string::npos;
}

// Digits without leading zeros ("0" for zero).
std::string Significant(const std::string& digits) {
    size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

// a <= b for digit strings without leading zeros.
bool NotAbove(const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a <= b;
}

std::optional<int32_t> ReferenceHex(const std::string& digits) {
    if (!AllOf(digits, "0123456789abcdefABCDEF")) return std::nullopt;
    std::string value = Significant(digits);
    if (value.size() > 8) return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(std::stoul(value, nullptr, 16)));
}

std::optional<int32_t> ReferenceDecimal(const std::string& text) {
    bool negative = !text.empty() && text[0] == '-';
    bool sign = negative || (!text.empty() && text[0] == '+');
    std::string digits = text.substr(sign ? 1 : 0);
    if (!AllOf(digits, "0123456789")) return std::nullopt;
    std::string value = Significant(digits);
    if (!NotAbove(value, negative ? "2147483648" : "2147483647")) return std::nullopt;
    int64_t magnitude = std::stoll(value);
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

std::optional<int32_t> Reference(std::string s) {
    if (s.size() > 2 && (s.rfind("0x", 0) == 0 || s.rfind("0X", 0) == 0)) s.replace(0, 2, "$");
    size_t start = s.find_first_not_of(' ');
    if (start == std::string::npos) return std::nullopt;
    s.erase(0, start);
    if (s.rfind("0x", 0) == 0 || s.rfind("0X", 0) == 0) return ReferenceHex(s.substr(2));
    if (s[0] == '$' || s[0] == 'x' || s[0] == 'X') return ReferenceHex(s.substr(1));
    return ReferenceDecimal(s);
}

std::string Hex(int32_t v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", static_cast<uint32_t>(v));
    return buffer;
}

// Every int32 written in each accepted form reads back as itself.
void CheckRoundTrips(int32_t v) {
    QN_CHECK(ConvertSettingsInt(std::to_string(v)) == v);
    QN_CHECK(ConvertSettingsInt("  " + std::to_string(v)) == v);
    if (v >= 0) QN_CHECK(ConvertSettingsInt("+" + std::to_string(v)) == v);
    for (const char* mark : {"0x", "0X", "$", "x", "X"}) {
        QN_CHECK(ConvertSettingsInt(mark + Hex(v)) == v);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::optional<int32_t> value = ConvertSettingsInt(text);
    QN_CHECK(value == Reference(text));
    // Nothing may follow the digits, not even a blank.
    QN_CHECK(!ConvertSettingsInt(text + " ").has_value());
    QN_CHECK(!ConvertSettingsInt(text + "g").has_value());
    if (value) {
        CheckRoundTrips(*value);
        // Leading blanks never change a value (a leading "0x" stays a mark
        // only when it opens the text, so prefix those only when absent).
        if (text.rfind("0x", 0) != 0 && text.rfind("0X", 0) != 0) {
            QN_CHECK(ConvertSettingsInt(" " + text) == value);
        }
    }
    if (size >= 4) {
        int32_t raw;
        std::memcpy(&raw, data, sizeof raw);
        CheckRoundTrips(raw);
    }
    return 0;
}
