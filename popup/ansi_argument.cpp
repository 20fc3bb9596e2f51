#include "ansi_argument.h"

#include <windows.h>

#include "arguments.h"

bool ContentFitsAnsi(const std::wstring& wideCommandLine) {
    std::wstring content = ContentArgument(wideCommandLine);
    if (content.empty()) return true;
    int length = static_cast<int>(content.size());
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, content.data(), length, nullptr, 0, nullptr,
                                &usedDefault);
    if (n <= 0 || usedDefault) return false;
    std::string ansi(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, content.data(), length, ansi.data(), n, nullptr,
                        &usedDefault);
    if (usedDefault) return false;
    // Best-fit mappings that the flag doesn't catch show on the way back.
    int back = MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, nullptr, 0);
    std::wstring wide(static_cast<size_t>(back), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, wide.data(), back);
    return wide == content;
}
