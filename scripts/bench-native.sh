#!/bin/bash
# Builds the native benchmarks in Release (no sanitizers) in build/bench and
# runs them; each prints its time per list size and a fit against N.
# Arguments go to the benchmark program, e.g. --benchmark_repetitions=3.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQN_BENCH=ON >/dev/null
cmake --build build/bench -j "$(nproc)" --target composer_bench
build/bench/bench/composer_bench "$@"
