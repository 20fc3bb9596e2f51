#include "ansi_text.h"

#include "platform/platform.h"

size_t CharSize(const std::string& s, size_t i) {
    bool lead = platform::IsLeadByte(static_cast<unsigned char>(s[i]));
    return lead && i + 1 < s.size() ? 2 : 1;
}

namespace {

// Bytes from s[i] on that one Left press crosses.
size_t StepSize(const std::string& s, size_t i) {
    return s.compare(i, 2, "\r\n") == 0 ? 2 : CharSize(s, i);
}

}  // namespace

int32_t CountCaretSteps(const std::string& s) {
    int32_t n = 0;
    for (size_t i = 0; i < s.size(); i += StepSize(s, i)) ++n;
    return n;
}

int32_t LastMarkerPosition(const std::string& marker, const std::string& s) {
    int32_t found = 0;
    int32_t position = 1;
    for (size_t i = 0; i < s.size(); i += StepSize(s, i), ++position) {
        if (s.compare(i, marker.size(), marker) == 0) found = position;
    }
    return found;
}

std::string ReplaceMarker(const std::string& s, const std::string& marker,
                          const std::string& with) {
    std::string out;
    size_t i = 0;
    while (i < s.size()) {
        if (!marker.empty() && s.compare(i, marker.size(), marker) == 0) {
            out += with;
            i += marker.size();
            continue;
        }
        size_t n = CharSize(s, i);
        out.append(s, i, n);
        i += n;
    }
    return out;
}
