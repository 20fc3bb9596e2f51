#!/bin/bash
# Makes the Wine prefix the tests and the demo use: initialised, with the
# crash dialog off so a crash ends the program instead of waiting, and with
# the fonts a Japanese Windows has (or stand-ins for them). The marker holds the
# revision of these settings, so an older prefix is brought up to date
# instead of being taken as it is.
# QN_WINE_DPI, when set, is the screen's density in dots per inch (96 else).
set -euo pipefail
: "${WINEPREFIX:?}"
export WINEDEBUG=-all
source "$(dirname "$0")/win-arch.sh"
revision=2
marker="$WINEPREFIX/.quillnest-ready"
[ "$(cat "$marker" 2>/dev/null)" = "$revision" ] && exit 0
mkdir -p "$WINEPREFIX"
[ -f "$WINEPREFIX/system.reg" ] || timeout 300 "$QN_WINE" wineboot -i >/dev/null 2>&1 || true
timeout 120 "$QN_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1

# The popup's design font and Japan's usual interface fonts are not there:
# the prefix replaces them by the IPA Gothic fonts that the set-up installs.
# The file is UTF-16, the form reg import reads whatever the locale.
reg="$WINEPREFIX/quillnest-fonts.reg"
iconv -f UTF-8 -t UTF-16 > "$reg" <<'EOF'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"
EOF
timeout 120 "$QN_WINE" reg import "Z:${reg//\//\\}" >/dev/null 2>&1
# Title-bar buttons are glyphs of Wine's symbol font Marlett, which this
# prefix does not pick up from Wine's own font folder: without a copy in its
# Fonts folder the buttons show the letters 0, 1 and r.
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
if [ -n "${QN_WINE_DPI:-}" ]; then
  timeout 120 "$QN_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$QN_WINE_DPI" /f >/dev/null 2>&1
fi
timeout 60 wineserver -w || true
echo "$revision" > "$marker"
