#!/bin/bash
# Installs, from Debian's archive, whatever the build and the tests need and
# this machine lacks. Does nothing when everything is there.
set -euo pipefail
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }
for p in locales cmake ninja-build clang libclang-rt-14-dev g++ googletest libbenchmark-dev \
         g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev \
         g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev \
         wine wine32:i386 wine64 fonts-wine xvfb xauth x11-utils zip imagemagick; do
  have "$p" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then dpkg --add-architecture i386; fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${need[@]}"
fi
# Wine takes the Unix side's file-name encoding from the locale: without the
# glibc Shift-JIS locale, Japanese file names can't be made under Wine.
if ! locale -a | grep -qix 'ja_JP.sjis'; then
  localedef --no-warnings=ascii -f SHIFT_JIS -i ja_JP ja_JP.SJIS
fi
