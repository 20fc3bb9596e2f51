#include "wide_text.h"

namespace {

const UINT kShiftJis = 932;

std::wstring WideFrom(UINT codePage, const std::string& bytes) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return wide;
}

// A system without the Japanese tables still shows the bytes as its own.
UINT OwnCodePage() { return IsValidCodePage(kShiftJis) ? kShiftJis : CP_ACP; }

}  // namespace

std::wstring Widen(const std::string& ansi) { return WideFrom(CP_ACP, ansi); }

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), s.data(), n, nullptr, nullptr);
    return s;
}

size_t WideLength(const std::string& ansi) {
    if (ansi.empty()) return 0;
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    return static_cast<size_t>(n > 0 ? n : 0);
}

std::wstring WideUserText(const UserText& text) {
    std::wstring wide;
    for (const UserText::Piece& piece : text.Pieces())
        wide += WideFrom(piece.own ? OwnCodePage() : CP_ACP, piece.bytes);
    return wide;
}
