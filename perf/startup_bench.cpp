// Times start-up: from process creation to the program's window being
// visible, for several programs in one interleaved run, so all of them see
// the same machine, and prints each one's median with its spread and the
// ratios asked for.
//
//   startup_bench ROUNDS NAME=EXE... [A/B[:GOAL]]...
//
// Every round starts each program once, the order turned by one program per
// round, so none always runs first or right after the same neighbour. A/B is
// the ratio of program A to program B: their medians' ratio, and the ratio
// within each round with its median, quartiles, min and max. With a goal the
// line says whether the medians' ratio meets it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
// process; negative when it never shows within ten seconds. The window list
// is looked at once a millisecond: under Wine every look is a call to the
// server that the starting program needs too, and looking without a pause
// slowed the program measured.
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
        Sleep(1);
    }
    if (f.window) PostMessageA(f.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return elapsed;
}

// Quantile q of v by linear interpolation between the nearest ranks.
double Quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    double at = q * static_cast<double>(v.size() - 1);
    size_t lo = static_cast<size_t>(at);
    size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (at - static_cast<double>(lo));
}

struct Program {
    std::string name;
    std::string exe;
    std::vector<double> times;
};

struct Ratio {
    size_t a, b;
    double goal;  // 0: none
};

int FindProgram(const std::vector<Program>& programs, const std::string& name) {
    for (size_t i = 0; i < programs.size(); ++i) {
        if (programs[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

bool ParseRatio(const std::vector<Program>& programs, const std::string& arg, Ratio& r) {
    size_t slash = arg.find('/');
    size_t colon = arg.find(':', slash);
    int a = FindProgram(programs, arg.substr(0, slash));
    int b = FindProgram(programs, arg.substr(slash + 1, colon == std::string::npos ? colon : colon - slash - 1));
    if (a < 0 || b < 0) return false;
    r = {static_cast<size_t>(a), static_cast<size_t>(b), colon == std::string::npos ? 0 : std::atof(arg.c_str() + colon + 1)};
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench ROUNDS NAME=EXE... [A/B[:GOAL]]...\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    std::vector<Program> programs;
    std::vector<std::string> ratioArgs;
    for (int i = 2; i < argc; ++i) {
        const char* eq = std::strchr(argv[i], '=');
        if (eq) {
            programs.push_back({std::string(argv[i], static_cast<size_t>(eq - argv[i])), eq + 1, {}});
        } else {
            ratioArgs.push_back(argv[i]);
        }
    }
    std::vector<Ratio> ratios;
    for (const std::string& arg : ratioArgs) {
        Ratio r;
        if (!ParseRatio(programs, arg, r)) {
            std::fprintf(stderr, "unknown program in %s\n", arg.c_str());
            return 2;
        }
        ratios.push_back(r);
    }
    // One round first, untimed: the file cache and the window system warm up.
    for (const Program& p : programs) TimeOneStart(p.exe);
    const size_t n = programs.size();
    for (int round = 0; round < rounds; ++round) {
        for (size_t k = 0; k < n; ++k) {
            Program& p = programs[(static_cast<size_t>(round) + k) % n];
            double t = TimeOneStart(p.exe);
            if (t < 0) {
                std::fprintf(stderr, "%s: a window never showed\n", p.name.c_str());
                return 1;
            }
            p.times.push_back(t * 1000);
        }
    }
    std::printf("rounds %d (each program once a round, order turned every round)\n", rounds);
    std::printf("%-18s %8s %8s %8s %8s %8s   (ms)\n", "program", "median", "q1", "q3", "min", "max");
    for (const Program& p : programs) {
        std::printf("%-18s %8.1f %8.1f %8.1f %8.1f %8.1f\n", p.name.c_str(), Quantile(p.times, 0.5),
                    Quantile(p.times, 0.25), Quantile(p.times, 0.75), Quantile(p.times, 0),
                    Quantile(p.times, 1));
    }
    for (const Ratio& r : ratios) {
        const Program& a = programs[r.a];
        const Program& b = programs[r.b];
        std::vector<double> perRound;
        for (size_t i = 0; i < a.times.size(); ++i) perRound.push_back(a.times[i] / b.times[i]);
        double ofMedians = Quantile(a.times, 0.5) / Quantile(b.times, 0.5);
        std::printf("%s / %s: %.3f (medians); per round median %.3f, q1 %.3f, q3 %.3f, min %.3f, max %.3f",
                    a.name.c_str(), b.name.c_str(), ofMedians, Quantile(perRound, 0.5),
                    Quantile(perRound, 0.25), Quantile(perRound, 0.75), Quantile(perRound, 0),
                    Quantile(perRound, 1));
        if (r.goal > 0) std::printf("; goal %.2f %s", r.goal, ofMedians <= r.goal ? "met" : "MISSED");
        std::printf("\n");
    }
    return 0;
}
