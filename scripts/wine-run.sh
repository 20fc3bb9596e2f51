#!/bin/sh
# Runs a Windows program under Wine as the tests expect it: Japanese locale
# (code page 932), the project's own prefix, no debugger on a crash, and a
# time limit so a hang can never stall a run.
export LC_ALL="${QN_WINE_LOCALE:-ja_JP.SJIS}"
export WINEPREFIX="${WINEPREFIX:-/tmp/quillnest-wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
. "$(dirname "$0")/win-arch.sh"
exec timeout --kill-after=10 "${QN_WINE_TIMEOUT:-600}" "$QN_WINE" "$@"
