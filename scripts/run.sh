#!/bin/bash
# Builds what is missing and starts the stand-in editor with a small page,
# then Quillnest beside it, as the editor's shortcut would: with the selected
# text as its argument. Uses the display when one answers. Without one it
# plays the walk-through on a virtual display and records it: an animated
# GIF and a still of the dropped-down list, the pictures the README shows.
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
printf '<body>\r\n<h1>Quillnest</h1>\r\n<table>\r\n<tr>\r\nHello, world\r\n</tr>\r\n</table>\r\n</body>\r\n' \
  > "$demo/page.html"
selected="Hello, world"
start=$(( $(printf '<body>\r\n<h1>Quillnest</h1>\r\n<table>\r\n<tr>\r\n' | wc -c) ))
end=$(( start + ${#selected} ))

# Without a window manager nobody draws window frames; a Wine desktop window
# draws its own, so the virtual display shows title bars as a desktop would.
width=480 height=300
run() {
  if [ -n "${QN_VIRTUAL_DISPLAY:-}" ]; then
    "$root/scripts/wine-run.sh" explorer "/desktop=Quillnest,${width}x${height}" "$@"
  else
    "$root/scripts/wine-run.sh" "$@"
  fi
}
cd "$demo"
frames="$demo/frames"
mkdir -p "$frames"
shot() {
  import -display "$DISPLAY" -window root -crop "${width}x${height}+0+0" +repage "$1"
}
# Waits, at most 30 s, until the screen differs from the picture $1 in more
# than a blinking caret's pixels.
await_change() {
  local now="$frames/now.png" changed
  for _ in $(seq 60); do
    shot "$now"
    changed=$(compare -metric AE "$1" "$now" null: 2>&1 | cut -d' ' -f1 || true)
    awk -v n="$changed" 'BEGIN { exit !(n + 0 > 400) }' && break
    sleep 0.5
  done
  rm -f "$now"
}
[ -n "${QN_VIRTUAL_DISPLAY:-}" ] && shot "$frames/empty.png"
QN_WINE_TIMEOUT=3600 run standin_editor.exe --text page.html --select "$start" "$end" \
  --pos 16 16 440 260 --title "page.html - stand-in editor" &
editor=$!

if [ -z "${QN_VIRTUAL_DISPLAY:-}" ]; then
  sleep 3
  QN_WINE_TIMEOUT=3600 run quillnest.exe "$selected" &
  popup=$!
  echo "Quillnest is open below the editor's caret: type an element name, then"
  echo "Enter (write it and end), Space (write it, then attributes) or Escape."
  wait "$popup" || true
  echo "Quillnest has ended; close the stand-in editor to finish."
  wait "$editor" || true
  exit 0
fi

# The walk-through, typed on the virtual display's keyboard, one frame after
# each step.
n=0
frame() {
  sleep "${1:-1.5}"
  n=$((n + 1))
  shot "$frames/$(printf '%02d' "$n").png"
}
# xdotool's keys go to the X window that has the focus. Wine's desktop hands
# that focus to the editor's process when Quillnest brings the editor
# forward, and keeps it there when Quillnest takes the foreground back, so
# each key first gives it back to Quillnest's process.
press() {
  xdotool windowfocus "$popup_focus" 2>/dev/null || true
  xdotool key --delay 0 "$1"
  frame "${2:-1.5}"
}
await_change "$frames/empty.png"
frame 1                   # the editor with a page and a selection
QN_WINE_TIMEOUT=3600 run quillnest.exe "$selected" &
popup=$!
await_change "$frames/01.png"
popup_focus=$(xdotool getwindowfocus)
frame 1                   # the popup opens below the caret
press t                   # t completes table, the list drops down
cp "$frames/$(printf '%02d' "$n").png" "$demo/list.png"
press BackSpace           # the completed rest goes
press d                   # td
press space 2             # <td>Hello, world</td>, the caret in the opening tag; attributes
press c                   # class=""
press Return 2            # written; Quillnest ends, the caret between the quotes
for _ in $(seq 20); do kill -0 "$popup" 2>/dev/null || break; sleep 0.5; done
rm -f "$frames/empty.png"

# Each step shown for a second and a half, the result for four.
shots=("$frames"/*.png)
sequence=()
for f in "${shots[@]:0:${#shots[@]}-1}"; do sequence+=(-delay 150 "$f"); done
sequence+=(-delay 400 "${shots[-1]}")
convert -loop 0 "${sequence[@]}" -layers Optimize "$demo/demo.gif"
kill "$popup" "$editor" 2>/dev/null || true
WINEDEBUG=-all wineserver -k || true

mkdir -p "$root/docs"
cp "$demo/demo.gif" "$root/docs/demo.gif"
cp "$demo/list.png" "$root/docs/list.png"
echo "No display here: recorded the walk-through on a virtual one."
echo "Animation:          $root/docs/demo.gif"
echo "Dropped-down list:  $root/docs/list.png"
echo "Frames:             $frames"
