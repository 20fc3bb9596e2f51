#!/bin/bash
# Installs what is missing, then builds and runs every suite: the composer's
# tests natively under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the same tests plus the Windows program's own, cross-built with MinGW-w64
# and run under Wine (Japanese locale) on a virtual display; then a short
# fuzzing pass.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/setup.sh"

jobs="$(nproc)"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQN_SANITIZE=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build/native -j "$jobs"
"$root/scripts/build-win32.sh"

export WINEPREFIX="${QN_WINEPREFIX:-$root/build/wine-prefix}"
# Always a private virtual display: the suites type keys and move windows,
# which must never reach a person's own desktop.
unset DISPLAY
source "$root/scripts/virtual-display.sh"
"$root/scripts/wine-prefix.sh"

passed=0
failed=0
suite() {
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
suite bash -c 'cd build/native && ctest --output-on-failure'
suite bash -c 'cd build/win32 && ctest --output-on-failure'
# A short, bounded fuzzing pass over the composer (about a minute in all).
suite "$root/scripts/fuzz.sh"
echo "suites: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
