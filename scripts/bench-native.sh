#!/bin/bash
# Builds the native benchmarks in Release (no sanitizers) in build/bench and
# runs them; each prints its time per list size and a fit against N.
# Arguments go to the benchmark program, e.g. --benchmark_repetitions=3.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQN_BENCH=ON >/dev/null
cmake --build build/bench -j "$(nproc)" --target composer_bench
# glibc hands large blocks back to the kernel and takes them again, and when
# it does depends on what ran before; that made the same benchmark differ by
# half depending on its place in the run. Fixed thresholds keep the heap, so
# every benchmark meets the allocator in the same state.
export GLIBC_TUNABLES=glibc.malloc.mmap_threshold=33554432:glibc.malloc.trim_threshold=4294967295
build/bench/bench/composer_bench "$@"
