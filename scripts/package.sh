#!/bin/bash
# Makes dist/quillnest.zip, the release for Windows users: the program, the
# three word lists, the sample settings and a short read-me.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/setup.sh"
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build build/win32 --target quillnest
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/Quillnest"
cp build/win32/popup/quillnest.exe data/html.dat data/attribute.dat data/empty.dat \
   data/quillnest.ini "$stage/Quillnest/"
cp docs/windows-readme.txt "$stage/Quillnest/README.txt"
mkdir -p dist
rm -f dist/quillnest.zip
(cd "$stage" && zip -q -r -X "$root/dist/quillnest.zip" Quillnest)
echo "dist/quillnest.zip:"
unzip -l dist/quillnest.zip
