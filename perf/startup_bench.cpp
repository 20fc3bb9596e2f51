// Times start-up: from process creation to the program's window being
// visible, for Quillnest and for a bare window, interleaved so both see the
// same machine, and prints the median of each and their ratio.
//
//   startup_bench QUILLNEST_EXE BARE_EXE PAIRS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

struct Found {
    DWORD pid;
    HWND window;
};

BOOL CALLBACK FindVisible(HWND h, LPARAM l) {
    Found* f = reinterpret_cast<Found*>(l);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != f->pid || !IsWindowVisible(h)) return TRUE;
    f->window = h;
    return FALSE;
}

// Seconds from CreateProcess to a visible top-level window of the new
// process; negative when it never shows within ten seconds.
double TimeOneStart(const std::string& exe) {
    std::string line = "\"" + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    double start = Now();
    if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        return -1;
    }
    Found f = {pi.dwProcessId, nullptr};
    double elapsed = -1;
    while (Now() - start < 10) {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&f));
        if (f.window) {
            elapsed = Now() - start;
            break;
        }
        Sleep(0);
    }
    if (f.window) PostMessageA(f.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return elapsed;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench QUILLNEST_EXE BARE_EXE PAIRS\n");
        return 2;
    }
    const int pairs = std::atoi(argv[3]);
    TimeOneStart(argv[2]);  // warm the file cache and the window system
    TimeOneStart(argv[1]);
    std::vector<double> quill, bare, ratios;
    for (int i = 0; i < pairs; ++i) {
        bool quillFirst = i % 2 == 0;
        double a = TimeOneStart(quillFirst ? argv[1] : argv[2]);
        double b = TimeOneStart(quillFirst ? argv[2] : argv[1]);
        double q = quillFirst ? a : b;
        double w = quillFirst ? b : a;
        if (q < 0 || w < 0) {
            std::fprintf(stderr, "a window never showed\n");
            return 1;
        }
        quill.push_back(q);
        bare.push_back(w);
        ratios.push_back(q / w);
    }
    std::printf("pairs %d\n", pairs);
    std::printf("quillnest median %.1f ms (min %.1f, max %.1f)\n", Median(quill) * 1000,
                *std::min_element(quill.begin(), quill.end()) * 1000,
                *std::max_element(quill.begin(), quill.end()) * 1000);
    std::printf("bare      median %.1f ms (min %.1f, max %.1f)\n", Median(bare) * 1000,
                *std::min_element(bare.begin(), bare.end()) * 1000,
                *std::max_element(bare.begin(), bare.end()) * 1000);
    std::printf("ratio of medians %.3f; per-pair ratio median %.3f (min %.3f, max %.3f)\n",
                Median(quill) / Median(bare), Median(ratios),
                *std::min_element(ratios.begin(), ratios.end()),
                *std::max_element(ratios.begin(), ratios.end()));
    return 0;
}
