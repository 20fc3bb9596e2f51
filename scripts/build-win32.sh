#!/bin/bash
# Installs what is missing and builds the named Windows targets (all when
# none is named) in build/win32, the release build the scripts share.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/setup.sh"
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build/win32 "${targets[@]}"
