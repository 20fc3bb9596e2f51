#!/bin/bash
# Makes dist/quillnest.zip, the release for Windows users: the program, the
# three word lists, the sample settings and a short read-me.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/build-win32.sh" quillnest
source "$root/scripts/win-arch.sh"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/Quillnest"
cp "$QN_RELEASE_BUILD/popup/quillnest.exe" data/html.dat data/attribute.dat data/empty.dat \
   data/quillnest.ini "$stage/Quillnest/"
cp docs/windows-readme.txt "$stage/Quillnest/README.txt"
mkdir -p dist
rm -f dist/quillnest.zip
(cd "$stage" && zip -q -r -X "$root/dist/quillnest.zip" Quillnest)
echo "dist/quillnest.zip:"
unzip -l dist/quillnest.zip
