#!/bin/bash
# Start-up of Quillnest against a bare window (one combo box) from the same
# toolchain, under Wine: the time from process creation to a visible window,
# interleaved pairs, medians and their ratio. Once with the default lists,
# once with a 100,000-entry html.dat; and both again against a bare window
# that carries the same manifest.
#   bash scripts/bench-startup.sh [PAIRS]   (default 15)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
pairs="${1:-15}"
"$root/scripts/build-win32.sh" quillnest bare_window bare_window_v6 startup_bench >/dev/null

export WINEPREFIX="$root/build/wine-prefix"
source "$root/scripts/virtual-display.sh"
"$root/scripts/wine-prefix.sh"

work="$root/build/bench-startup"
rm -rf "$work" && mkdir -p "$work/default" "$work/large"
for d in default large; do
  cp build/win32/popup/quillnest.exe data/attribute.dat data/empty.dat "$work/$d/"
done
cp data/html.dat "$work/default/"
seq -f 'element%06g' 1 100000 | sed 's/$/\r/' > "$work/large/html.dat"
cp build/win32/perf/bare_window.exe build/win32/perf/bare_window_v6.exe \
   build/win32/perf/startup_bench.exe "$work/"
ls -l build/win32/popup/quillnest.exe | awk '{print "quillnest.exe size: " $5 " bytes"}'

winpath() { echo "Z:${1//\//\\}"; }
bench() {
  echo "== $1 lists, against $2"
  "$root/scripts/wine-run.sh" "$work/startup_bench.exe" "$(winpath "$work/$1/quillnest.exe")" \
    "$(winpath "$work/$2.exe")" "$pairs"
}
bench default bare_window
bench large bare_window
# The same bare window with Quillnest's manifest: what the manifest costs.
bench default bare_window_v6
bench large bare_window_v6
