# Sourced: which Windows build this machine can run under Wine.
# Wine runs a 32-bit Windows program inside a 32-bit Unix process; a kernel
# without 32-bit support runs only 64-bit ones. There the suites, the demo
# and the benchmarks use an x86_64 build of the same sources under wine64,
# while the release stays i686 and is built beside it for the checks of its
# headers and size.
#   QN_WIN_ARCH       i686 or x86_64: the build that runs here, in build/win32
#   QN_RELEASE_BUILD  the folder of the i686 release build
#   QN_WINE           the Wine loader to start programs with
if /usr/lib/wine/wine --version >/dev/null 2>&1 || [ ! -x /usr/lib/wine/wine64 ]; then
  QN_WIN_ARCH=i686
  QN_RELEASE_BUILD=build/win32
  QN_WINE=wine
else
  QN_WIN_ARCH=x86_64
  QN_RELEASE_BUILD=build/win32-i686
  QN_WINE=/usr/lib/wine/wine64
  export WINELOADER=/usr/lib/wine/wine64
fi
