#!/bin/bash
# Start-up of Quillnest under Wine against two baselines from the same
# toolchain: a bare window with one combo box, and the same bare window with
# Quillnest's manifest (visual styles, per-monitor density). The time from
# process creation to a visible window; Quillnest with the default lists and
# with a 100,000-entry html.dat; all four programs interleaved in one run.
#   bash scripts/bench-startup.sh [ROUNDS]   (default 21)
#   bash scripts/bench-startup.sh --phases [ROUNDS]
# The second form runs a build of Quillnest that times its own phases
# (QN_PHASE_LOG) beside the styled bare window and prints, per phase, the
# median milliseconds since process creation and the median step.
# Measures the build that runs on this machine (scripts/win-arch.sh): the
# i686 one, or the x86_64 one where the kernel runs no 32-bit programs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
phases=
if [ "${1:-}" = --phases ]; then phases=1; shift; fi
rounds="${1:-21}"
targets=(quillnest bare_window bare_window_v6 startup_bench)

source "$root/scripts/win-arch.sh"
"$root/scripts/build-win32.sh" "${targets[@]}" >/dev/null
# The shipped program is the i686 one: its size is the one that counts.
stat -c 'quillnest.exe size (i686 release): %s bytes' "$QN_RELEASE_BUILD/popup/quillnest.exe"
build=build/win32
if [ "$QN_WIN_ARCH" != i686 ]; then
  echo "this machine runs no 32-bit programs: measuring the $QN_WIN_ARCH build under $QN_WINE"
  stat -c "quillnest.exe size ($QN_WIN_ARCH, measured): %s bytes" "$build/popup/quillnest.exe"
fi
if [ -n "$phases" ]; then
  build=build/win32-phases
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQN_PHASE_LOG=ON \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$QN_WIN_ARCH.cmake" >/dev/null
  cmake --build "$build" $(printf -- '--target %s ' "${targets[@]}") >/dev/null
fi

export WINEPREFIX="$root/build/wine-prefix"
source "$root/scripts/virtual-display.sh"
"$root/scripts/wine-prefix.sh"
run() { "$root/scripts/wine-run.sh" "$@"; }

work="$root/build/bench-startup"
rm -rf "$work" && mkdir -p "$work/default" "$work/large"
for d in default large; do
  cp "$build/popup/quillnest.exe" data/attribute.dat data/empty.dat "$work/$d/"
done
cp data/html.dat "$work/default/"
seq -f 'element%06g' 1 100000 | sed 's/$/\r/' > "$work/large/html.dat"
cp "$build/perf/bare_window.exe" "$build/perf/bare_window_v6.exe" "$build/perf/startup_bench.exe" "$work/"

winpath() { echo "Z:${1//\//\\}"; }
if [ -n "$phases" ]; then
  run "$work/startup_bench.exe" "$rounds" \
    "quillnest=$(winpath "$work/default/quillnest.exe")" \
    "quillnest_large=$(winpath "$work/large/quillnest.exe")" \
    "bare_styled=$(winpath "$work/bare_window_v6.exe")"
  for d in default large bare_styled; do
    log="$work/$d/phases.log"
    [ "$d" = bare_styled ] && log="$work/phases.log"
    echo "== phases, $d: ms since process creation (median), step from the phase before (median)"
    awk -F';' '
      { prev = 0
        for (i = 1; i <= NF; i++) {
          split($i, kv, "="); name = kv[1]; t = kv[2] + 0
          if (!(name in seen)) { seen[name] = 1; order[++n] = name }
          at[name, ++count[name]] = t; step[name, count[name]] = t - prev; prev = t } }
      function median(arr, name, k,   i, j, v, tmp) {
        for (i = 1; i <= k; i++) v[i] = arr[name, i]
        for (i = 2; i <= k; i++) { tmp = v[i]; for (j = i - 1; j >= 1 && v[j] > tmp; j--) v[j + 1] = v[j]; v[j + 1] = tmp }
        return k % 2 ? v[(k + 1) / 2] : (v[k / 2] + v[k / 2 + 1]) / 2 }
      END { for (i = 1; i <= n; i++) printf "%8.1f %+8.1f  %s (%d runs)\n",
              median(at, order[i], count[order[i]]), median(step, order[i], count[order[i]]), order[i], count[order[i]] }
    ' "$log"
  done
  exit 0
fi
run "$work/startup_bench.exe" "$rounds" \
  "quillnest=$(winpath "$work/default/quillnest.exe")" \
  "quillnest_large=$(winpath "$work/large/quillnest.exe")" \
  "bare=$(winpath "$work/bare_window.exe")" \
  "bare_styled=$(winpath "$work/bare_window_v6.exe")" \
  quillnest/bare_styled:1.10 quillnest/bare:1.25 quillnest_large/bare_styled:1.35 quillnest_large/bare
