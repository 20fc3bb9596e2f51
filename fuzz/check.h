// A broken invariant is a finding: say which one and abort, so libFuzzer
// saves the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define QN_CHECK(condition)                                                          \
    do {                                                                             \
        if (!(condition)) {                                                          \
            std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, \
                         #condition);                                                \
            std::abort();                                                            \
        }                                                                            \
    } while (0)
