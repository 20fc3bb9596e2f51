#!/bin/bash
# Makes the Wine prefix the tests and the demo use, once: initialised, and
# with the crash dialog off so a crash ends the program instead of waiting.
set -euo pipefail
: "${WINEPREFIX:?}"
export WINEDEBUG=-all
source "$(dirname "$0")/win-arch.sh"
[ -f "$WINEPREFIX/.quillnest-ready" ] && exit 0
mkdir -p "$WINEPREFIX"
timeout 300 "$QN_WINE" wineboot -i >/dev/null 2>&1 || true
timeout 120 "$QN_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
timeout 60 wineserver -w || true
touch "$WINEPREFIX/.quillnest-ready"
