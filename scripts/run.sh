#!/bin/bash
# Builds what is missing and starts the stand-in editor with a small page,
# then Quillnest beside it, as the editor's shortcut would: with the selected
# text as its argument. Uses the display when one answers; otherwise a virtual
# one, where it saves a screenshot and says where.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/build-win32.sh" quillnest standin_editor

export WINEPREFIX="$root/build/wine-prefix"
source "$root/scripts/virtual-display.sh"
"$root/scripts/wine-prefix.sh"

demo="$root/build/demo"
rm -rf "$demo" && mkdir -p "$demo"
cp build/win32/popup/quillnest.exe build/win32/standin/standin_editor.exe "$demo/"
cp data/html.dat data/attribute.dat data/empty.dat data/quillnest.ini "$demo/"
printf '<body>\r\n  Hello, world\r\n</body>\r\n' > "$demo/page.html"
selected="Hello, world"
start=$(( $(printf '<body>\r\n  ' | wc -c) ))
end=$(( start + ${#selected} ))

# Without a window manager nobody draws window frames; a Wine desktop window
# draws its own, so the virtual display shows title bars as a desktop would.
run() {
  if [ -n "${QN_VIRTUAL_DISPLAY:-}" ]; then
    "$root/scripts/wine-run.sh" explorer /desktop=Quillnest,640x440 "$@"
  else
    "$root/scripts/wine-run.sh" "$@"
  fi
}
cd "$demo"
QN_WINE_TIMEOUT=3600 run standin_editor.exe --text page.html --select "$start" "$end" \
  --pos 40 40 560 360 --title "page.html - stand-in editor" &
editor=$!
sleep 3
QN_WINE_TIMEOUT=3600 run quillnest.exe "$selected" &
popup=$!

if [ -n "${QN_VIRTUAL_DISPLAY:-}" ]; then
  sleep 4
  import -display "$DISPLAY" -window root -crop 640x440+0+0 "$demo/screenshot.png"
  echo "No display here: ran on a virtual one. Screenshot: $demo/screenshot.png"
  kill "$popup" "$editor" 2>/dev/null || true
  WINEDEBUG=-all wineserver -k || true
  exit 0
fi
echo "Quillnest is open below the editor's caret: type an element name, then"
echo "Enter (write it and end), Space (write it, then attributes) or Escape."
wait "$popup" || true
echo "Quillnest has ended; close the stand-in editor to finish."
wait "$editor" || true
