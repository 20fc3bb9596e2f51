#!/bin/bash
# Makes dist/quillnest-<version>.zip, the release for Windows users: the
# program, the three word lists, the sample settings, the read-me and the
# licence, in a folder Quillnest. The version comes from VERSION, as it does
# for the program's version resource.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
version="$(head -n 1 VERSION | tr -d '\r')"
"$root/scripts/build-win32.sh" quillnest
source "$root/scripts/win-arch.sh"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/Quillnest"
cp "$QN_RELEASE_BUILD/popup/quillnest.exe" data/html.dat data/attribute.dat data/empty.dat \
   data/quillnest.ini "$stage/Quillnest/"
# The read-me is UTF-8 with Windows line ends; its byte-order mark makes any
# Windows editor show the Japanese right.
grep -q '@VERSION@' docs/windows-readme.txt || { echo "the read-me has no @VERSION@" >&2; exit 1; }
{ printf '\xEF\xBB\xBF'; sed -e "s/@VERSION@/$version/g" docs/windows-readme.txt; } \
  > "$stage/Quillnest/README.txt"
sed -e 's/$/\r/' LICENSE > "$stage/Quillnest/LICENSE"
zip_name="quillnest-$version.zip"
mkdir -p dist
rm -f "dist/$zip_name"
(cd "$stage" && zip -q -r -X "$root/dist/$zip_name" Quillnest)
echo "dist/$zip_name:"
unzip -l "dist/$zip_name"
