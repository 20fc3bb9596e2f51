#!/bin/bash
# Installs what is missing and builds the named Windows targets (all when
# none is named) in build/win32, the build the scripts share: i686, or x86_64
# where this machine runs no 32-bit programs (then the i686 release program
# is built too, in its own folder).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/setup.sh"
source "$root/scripts/win-arch.sh"

# Configures folder for one architecture, starting afresh when it was made
# for another.
configure() {
  local folder="$1" arch="$2"; shift 2
  local toolchain="$root/cmake/mingw-$arch.cmake"
  if [ -f "$folder/CMakeCache.txt" ] && ! grep -q "CMAKE_TOOLCHAIN_FILE:.*=$toolchain\$" "$folder/CMakeCache.txt"; then
    rm -rf "$folder"
  fi
  cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" "$@" >/dev/null
}

release_args=()
if [ "$QN_WIN_ARCH" != i686 ]; then
  configure "$QN_RELEASE_BUILD" i686
  cmake --build "$QN_RELEASE_BUILD" --target quillnest
  release_args=(-DQN_RELEASE_EXE="$root/$QN_RELEASE_BUILD/popup/quillnest.exe")
fi
configure build/win32 "$QN_WIN_ARCH" "${release_args[@]}"
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build/win32 "${targets[@]}"
