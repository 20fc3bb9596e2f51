// Marks of start-up phases for the builds that time them: each mark notes
// the milliseconds since the process was created; WritePhases appends them
// as one line "name=ms;name=ms;..." to phases.log beside the program.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace phase_marks {

struct Mark {
    const char* name;
    double ms;
};

inline Mark marks[64];
inline int count = 0;
inline bool written = false;

inline double MsSinceCreation() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    ULARGE_INTEGER a{{created.dwLowDateTime, created.dwHighDateTime}};
    ULARGE_INTEGER b{{now.dwLowDateTime, now.dwHighDateTime}};
    return static_cast<double>(b.QuadPart - a.QuadPart) / 10000.0;
}

}  // namespace phase_marks

inline void MarkPhase(const char* name) {
    using namespace phase_marks;
    if (count < 64) marks[count++] = {name, MsSinceCreation()};
}

inline bool PhaseMarked(const char* name) {
    using namespace phase_marks;
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(marks[i].name, name) == 0) return true;
    }
    return false;
}

// Once per run: the program may be ended before it returns from WinMain.
inline void WritePhases() {
    using namespace phase_marks;
    if (written) return;
    written = true;
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (n == 0 || !slash || slash - path + 12 >= MAX_PATH) return;
    std::strcpy(slash + 1, "phases.log");
    if (FILE* f = std::fopen(path, "a")) {
        for (int i = 0; i < count; ++i) std::fprintf(f, "%s%s=%.2f", i ? ";" : "", marks[i].name, marks[i].ms);
        std::fprintf(f, "\n");
        std::fclose(f);
    }
}
