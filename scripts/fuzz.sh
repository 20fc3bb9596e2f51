#!/bin/bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehavior-
# Sanitizer) and runs each one for a bounded time on a copy of its seed corpus,
# so the repository stays as it was. Exits non-zero if any target finds
# something; the input that did it is kept under build/fuzz/findings/.
#
#   scripts/fuzz.sh          about 12 s per target, a minute in all
#   scripts/fuzz.sh 600      the long run: 600 s per target
#   QN_FUZZ_JOBS=2 scripts/fuzz.sh 600    two targets at a time
set -euo pipefail
seconds="${1:-12}"
jobs="${QN_FUZZ_JOBS:-1}"
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
targets=(settings_int split_lines command_line paths key_sequence)

cmake -S . -B build/fuzz -G Ninja -DQN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

work="$(mktemp -d /tmp/quillnest-fuzz-XXXXXX)"
trap 'rm -rf "$work"' EXIT
findings="$root/build/fuzz/findings"
mkdir -p "$findings"

# Runs one target; its log ends with libFuzzer's final statistics.
run_target() {
  local name="$1"
  mkdir -p "$work/$name"
  cp fuzz/corpus/"$name"/* "$work/$name"/
  "build/fuzz/fuzz/fuzz_$name" "$work/$name" -max_total_time="$seconds" \
    -print_final_stats=1 -artifact_prefix="$findings/$name-" >"$work/$name.log" 2>&1
}

report() {
  local name="$1" status="$2" runs cover
  runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$name.log" | grep -o '[0-9]*$' || true)"
  cover="$(grep -o 'DONE *cov: [0-9]* ft: [0-9]* corp: [0-9]*' "$work/$name.log" | sed 's/DONE *//' || true)"
  if [ "$status" -eq 0 ]; then
    printf '%-14s ok  %12s runs in %s s  (%s)\n' "$name" "${runs:-?}" "$seconds" "$cover"
  else
    printf '%-14s FINDING  (exit %s), input kept in %s\n' "$name" "$status" "$findings"
    grep -E -A12 'invariant broken|ERROR: |runtime error' "$work/$name.log" | head -40 || true
  fi
}

failed=0
pending=("${targets[@]}")
while [ ${#pending[@]} -gt 0 ]; do
  batch=("${pending[@]:0:$jobs}")
  pending=("${pending[@]:$jobs}")
  pids=()
  for name in "${batch[@]}"; do
    run_target "$name" &
    pids+=($!)
  done
  for i in "${!batch[@]}"; do
    status=0
    wait "${pids[$i]}" || status=$?
    report "${batch[$i]}" "$status"
    [ "$status" -eq 0 ] || failed=1
  done
done
exit $failed
